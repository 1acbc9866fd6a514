#include "graphics/imageimport/DibImageGif.h"

#include "graphics/imageimport/DibImageRowIterator.h"
#include "graphics/imageimport/ImageStream.h"
#include "graphics/imageimport/LittleEndian.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr const char* Corrupted = "Corrupted GIF";
// Cancellation ends the decode without a message.
constexpr const char* Silent = "";

} // namespace

DibImageGif::DibImageGif()
    : DibImage(FormatGif)
{
}

bool DibImageGif::decode(ImageStream* stream)
{
    if (!stream)
        return false;
    return guardedDecode([&] { decodeOrThrow(*stream); });
}

void DibImageGif::decodeOrThrow(ImageStream& stream)
{
    uint8_t header[13];
    if (!stream.readAll(header, sizeof(header)) || std::memcmp(header, "GIF8", 4) != 0)
        throw "Not a GIF";
    const long screenWidth = LittleEndian::u16(header + 6);
    const long screenHeight = LittleEndian::u16(header + 8);
    const bool globalTable = header[10] & 0x80;
    int colours = 1 << ((header[10] & 7) + 1);
    uint8_t table[256 * 3] = {};
    if (globalTable && !stream.readAll(table, size_t(colours) * 3))
        throw Corrupted;
    // Files without a global table whose first frame is smaller than the screen both ways
    // are taken as pieces of one picture, composed from all frames.
    int compose = globalTable ? 0 : 1;

    // Counting reads the extensions of every frame; the first frame must not see those of
    // the last one.
    const ExtensionState before = saveExtensions();
    const long frames = countFrames(stream);
    restoreExtensions(before);
    setNumFrames(frames);
    if (getFrame() < 0 || getFrame() >= frames)
        throw "GIF frame not present";

    long frameCounter = 0;
    long firstTransIndex = -1;
    std::unique_ptr<DibImage> composite;
    std::vector<uint8_t> data;
    for (;;) {
        const int introducer = stream.getc();
        if (introducer < 0)
            break;
        if (getEscape())
            throw Silent;
        if (introducer == '!') {
            if (!readExtension(stream))
                break;
            continue;
        }
        if (introducer == ';')
            break;
        if (introducer != ',')
            continue;

        Descriptor descriptor;
        if (!readDescriptor(stream, descriptor))
            break;
        if (frameCounter == 0 && descriptor.width != screenWidth && descriptor.height != screenHeight)
            ++compose;
        const bool localTable = descriptor.flags & 0x80;
        if (localTable) {
            colours = 1 << ((descriptor.flags & 7) + 1);
            if (!stream.readAll(table, size_t(colours) * 3))
                break;
        }
        // A transparent frame gets the 256-entry palette that leaves room for white.
        const int bits = getTransIndex() != -1 ? 8 : colours <= 2 ? 1 : colours <= 16 ? 4 : 8;

        DibImage back(FormatGif);
        if (frameCounter > 0 && m_disposal == 1)
            back.copyFrom(*this, true, true, true);
        if (frameCounter == 0)
            firstTransIndex = getTransIndex();
        if (!create(descriptor.width, descriptor.height, bits, FormatGif))
            throw Corrupted;
        if (globalTable || localTable)
            setFramePalette(table, colours);

        int codeSize = 0;
        readImageData(stream, codeSize, data);
        DibImageRowIterator rows(*this);
        rows.toTop();
        m_interlaced = descriptor.flags & 0x40;
        m_currentRow = 0;
        m_rowStep = 8;
        m_imageHeight = descriptor.height;
        m_pass = 0;
        // Errors inside the data keep the rows decoded so far.
        decodeLzw(data, codeSize, rows, getWidth());
        if (getEscape())
            throw Silent;

        if (frameCounter > 0 && m_disposal == 1 && compose < 2 && back.isValid()) {
            pasteFrame(back, *this, -descriptor.left, descriptor.top - back.getHeight() + descriptor.height);
            back.setTransIndex(firstTransIndex);
            transfer(back);
        }
        if (compose >= 2) {
            setFrame(frames - 1);
            if (!composite) {
                composite = std::make_unique<DibImage>(FormatGif);
                composite->copyInfo(*this);
                composite->setTransIndex(-1);
                if (!composite->create(screenWidth, screenHeight, 24, FormatGif))
                    throw Corrupted;
            }
            for (long y = 0; y < getHeight(); ++y) {
                for (long x = 0; x < getWidth(); ++x) {
                    composite->setPixelColor(descriptor.left + x, screenHeight - 1 - (descriptor.top + y),
                                             getPixelColor(x, getHeight() - 1 - y));
                }
            }
        }
        if (getFrame() == frameCounter)
            break;
        ++frameCounter;
    }

    if (compose >= 2 && composite) {
        if (m_control[0] & 1) {
            composite->setTransColor(getPaletteColor(uint32_t(getTransIndex() & 0xFF)));
            composite->setTransIndex(0);
        }
        transfer(*composite);
    }
    if (!isValid())
        throw Corrupted;
    setNumFrames(frames);
}

void DibImageGif::setFramePalette(const uint8_t* table, int colours)
{
    uint8_t red[256], green[256], blue[256];
    bool white = false;
    for (int i = 0; i < colours; ++i) {
        red[i] = table[3 * i];
        green[i] = table[3 * i + 1];
        blue[i] = table[3 * i + 2];
        white = white || (red[i] == 255 && green[i] == 255 && blue[i] == 255);
    }
    const bool transparent = getTransIndex() != -1;
    if (transparent && colours < 256) {
        std::memset(red + colours, 255, size_t(256 - colours));
        std::memset(green + colours, 255, size_t(256 - colours));
        std::memset(blue + colours, 255, size_t(256 - colours));
        white = true;
    }
    if (transparent && !white)
        red[255] = green[255] = blue[255] = 255;
    setPaletteRgbArrays(transparent ? 256 : uint32_t(colours), red, green, blue);
}

DibImageGif::ExtensionState DibImageGif::saveExtensions() const
{
    ExtensionState state;
    std::memcpy(state.control, m_control, sizeof(m_control));
    state.transIndex = getTransIndex();
    state.delay = getFrameDelay();
    state.disposal = m_disposal;
    return state;
}

void DibImageGif::restoreExtensions(const ExtensionState& state)
{
    std::memcpy(m_control, state.control, sizeof(m_control));
    setTransIndex(state.transIndex);
    setFrameDelay(state.delay);
    m_disposal = state.disposal;
}

bool DibImageGif::readExtension(ImageStream& stream)
{
    const int label = stream.getc();
    if (label < 0)
        return false;
    bool complete = true;
    if (label == 0xF9) {
        const int size = stream.getc();
        const size_t got = stream.read(m_control, 1, sizeof(m_control));
        complete = size == int(got);
        if (complete) {
            if (m_control[0] & 1)
                setTransIndex(m_control[3]);
            setFrameDelay(LittleEndian::u16(m_control + 1));
            m_disposal = (m_control[0] >> 2) & 7;
        }
    } else if (label == 0xFE) {
        const int length = stream.getc();
        const size_t got = length > 0 ? stream.read(m_comment, 1, size_t(length)) : 0;
        m_comment[got] = '\0';
    } else if (label == 0xFF) {
        uint8_t identifier[11];
        if (stream.getc() != 11 || !stream.readAll(identifier, sizeof(identifier)))
            return false;
        // Only the looping block carries a field we keep; other applications' blocks
        // (XMP and the like) are skipped like any sub-blocks.
        const int length = stream.getc();
        if (length == 3) {
            uint8_t loop[3];
            if (!stream.readAll(loop, sizeof(loop)))
                return false;
            m_loopCount = LittleEndian::u16(loop + 1);
        } else if (length > 0) {
            stream.seek(length, SEEK_CUR);
        } else {
            return length == 0;
        }
    }
    while (complete) {
        const int length = stream.getc();
        if (length <= 0)
            break;
        stream.seek(length, SEEK_CUR);
    }
    return complete;
}

long DibImageGif::countFrames(ImageStream& stream)
{
    const long position = stream.tell();
    long count = 0;
    for (;;) {
        const int introducer = stream.getc();
        if (introducer < 0 || introducer == ';')
            break;
        if (introducer == '!') {
            if (!readExtension(stream))
                break;
            continue;
        }
        if (introducer != ',')
            continue;
        Descriptor descriptor;
        if (!readDescriptor(stream, descriptor))
            break;
        ++count;
        if (descriptor.flags & 0x80)
            stream.seek(3L << ((descriptor.flags & 7) + 1), SEEK_CUR);
        if (stream.getc() < 0)
            break;
        int length;
        while ((length = stream.getc()) > 0)
            stream.seek(length, SEEK_CUR);
        if (length < 0)
            break;
    }
    stream.seek(position, SEEK_SET);
    return count;
}

bool DibImageGif::readDescriptor(ImageStream& stream, Descriptor& descriptor)
{
    uint8_t bytes[9];
    if (!stream.readAll(bytes, sizeof(bytes)))
        return false;
    descriptor.left = LittleEndian::u16(bytes);
    descriptor.top = LittleEndian::u16(bytes + 2);
    descriptor.width = LittleEndian::u16(bytes + 4);
    descriptor.height = LittleEndian::u16(bytes + 6);
    descriptor.flags = bytes[8];
    return true;
}

// Gathers the data sub-blocks of one image; a file that ends inside them gives what it has.
void DibImageGif::readImageData(ImageStream& stream, int& codeSize, std::vector<uint8_t>& data)
{
    data.clear();
    codeSize = stream.getc();
    if (codeSize < 0)
        return;
    uint8_t block[255];
    for (;;) {
        const int length = stream.getc();
        if (length <= 0)
            return;
        const size_t got = stream.read(block, 1, size_t(length));
        data.insert(data.end(), block, block + got);
        if (got < size_t(length))
            return;
    }
}

void DibImageGif::initCodeTable(int codeSize)
{
    m_codeSize = codeSize;
    m_currentSize = codeSize + 1;
    m_topSlot = 1 << m_currentSize;
    m_clearCode = 1 << codeSize;
    m_endCode = m_clearCode + 1;
    m_firstFree = m_nextSlot = m_endCode + 1;
    m_bitBuffer = 0;
    m_bitsInBuffer = 0;
    std::memset(m_stack, 0, sizeof(m_stack));
    std::memset(m_suffix, 0, sizeof(m_suffix));
    std::memset(m_prefix, 0, sizeof(m_prefix));
}

// The next code, least significant bits first; -1 once the data has run out.
int DibImageGif::nextCode()
{
    while (m_bitsInBuffer < m_currentSize) {
        if (m_dataPosition >= m_data->size())
            return -1;
        m_bitBuffer |= uint32_t((*m_data)[m_dataPosition++]) << m_bitsInBuffer;
        m_bitsInBuffer += 8;
    }
    const int code = int(m_bitBuffer & ((1u << m_currentSize) - 1));
    m_bitBuffer >>= m_currentSize;
    m_bitsInBuffer -= m_currentSize;
    return code;
}

int DibImageGif::decodeLzw(const std::vector<uint8_t>& data, int codeSize, DibImageRowIterator& rows, long lineWidth)
{
    if (codeSize < 2 || codeSize > 9)
        return -20;
    initCodeTable(codeSize);
    m_data = &data;
    m_dataPosition = 0;
    std::vector<uint8_t> line(size_t(lineWidth) + 1);
    long filled = 0;
    int result = 0;
    int oldCode = 0;
    int firstChar = 0;

    auto emit = [&](uint8_t value) {
        line[size_t(filled++)] = value;
        if (filled == lineWidth) {
            result = putLine(rows, line.data(), lineWidth);
            filled = 0;
        }
        return result >= 0;
    };

    for (;;) {
        int code = nextCode();
        if (code < 0 || code == m_endCode)
            break;
        if (code == m_clearCode) {
            m_currentSize = m_codeSize + 1;
            m_nextSlot = m_firstFree;
            m_topSlot = 1 << m_currentSize;
            do
                code = nextCode();
            while (code == m_clearCode);
            if (code < 0 || code == m_endCode)
                break;
            if (code >= m_nextSlot)
                code = 0;
            oldCode = firstChar = code;
            if (!emit(uint8_t(code)))
                return result;
            continue;
        }

        const int read = code;
        int depth = 0;
        if (code >= m_nextSlot) {
            m_stack[depth++] = uint8_t(firstChar);
            code = oldCode;
        }
        // A chain longer than the table can only come from corrupt data: the links
        // would otherwise run round for ever.
        while (code >= m_firstFree) {
            if (depth >= TableSize)
                return -30;
            m_stack[depth++] = m_suffix[code];
            code = m_prefix[code];
        }
        if (depth >= TableSize)
            return -30;
        m_stack[depth++] = uint8_t(code);
        if (m_nextSlot < m_topSlot) {
            firstChar = code;
            m_suffix[m_nextSlot] = uint8_t(code);
            m_prefix[m_nextSlot] = uint16_t(oldCode);
            ++m_nextSlot;
            oldCode = read;
        }
        if (m_nextSlot >= m_topSlot && m_currentSize < 12) {
            m_topSlot <<= 1;
            ++m_currentSize;
        }
        // The string comes off the stack a line's room at a time.
        while (depth > 0) {
            const long take = std::min<long>(depth, lineWidth - filled);
            uint8_t* out = &line[size_t(filled)];
            for (long i = 0; i < take; ++i)
                out[i] = m_stack[--depth];
            filled += take;
            if (filled == lineWidth) {
                result = putLine(rows, line.data(), lineWidth);
                filled = 0;
                if (result < 0)
                    return result;
            }
        }
    }
    if (filled > 0)
        result = putLine(rows, line.data(), filled);
    return result < 0 ? result : 0;
}

int DibImageGif::putLine(DibImageRowIterator& rows, uint8_t* line, long length)
{
    const int bits = getBitCount();
    long bytes = length;
    if (bits == 4) {
        bytes = (length + 1) / 2;
        for (long i = 0; i < bytes; ++i) {
            const uint8_t low = 2 * i + 1 < length ? line[2 * i + 1] & 0x0F : 0;
            line[i] = uint8_t((line[2 * i] << 4) | low);
        }
    } else if (bits == 1) {
        bytes = (length + 7) / 8;
        for (long i = 0; i < bytes; ++i) {
            uint8_t packed = 0;
            for (long bit = 0; bit < 8 && 8 * i + bit < length; ++bit)
                packed |= uint8_t((line[8 * i + bit] & 1) << (7 - bit));
            line[i] = packed;
        }
    }

    if (m_interlaced) {
        const long row = m_imageHeight - m_currentRow - 1;
        if (row < 0 || row >= getHeight())
            return -1;
        rows.seekRow(row);
        rows.putRow(line, size_t(bytes));
        m_currentRow += m_rowStep;
        while (m_currentRow >= m_imageHeight) {
            if (m_pass++ > 0)
                m_rowStep /= 2;
            m_currentRow = m_rowStep / 2;
        }
        return 0;
    }
    if (!rows.isValid())
        return -1;
    rows.putRow(line, size_t(bytes));
    rows.moveDown();
    return 0;
}

void DibImageGif::pasteFrame(DibImage& target, const DibImage& source, long xOffset, long yOffset)
{
    const long transIndex = source.getTransIndex();
    for (long y = 0; y < target.getHeight(); ++y) {
        for (long x = 0; x < target.getWidth(); ++x) {
            if (!source.isInside(x + xOffset, y + yOffset))
                continue;
            const uint8_t index = source.getPixelIndex(x + xOffset, y + yOffset);
            if (transIndex >= 0 && index == uint8_t(transIndex & 0xFF))
                continue;
            target.setPixelIndex(x, y, index);
        }
    }
}
