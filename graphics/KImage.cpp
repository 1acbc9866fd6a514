#include "graphics/KImage.h"

#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"
#include "foundation/KFileReference.h"
#include "foundation/KFileTypeHandler.h"
#include "foundation/KMemory.h"
#include "foundation/KernelFunctions.h"
#include "graphics/DeviceDrawingWin32.h"
#include "graphics/DibBlockLayout.h"
#include "graphics/ImageFileFormat.h"
#include "graphics/ImageFiltersWin32.h"
#include "graphics/ImageWin32.h"
#include "graphics/KAlphaImage.h"
#include "graphics/PictImportHook.h"
#include "graphics/SectionOne.h"

#include <algorithm>
#include <cmath>

K_DEFINE_CLASS(KImage, KGraphicObject, 1)

namespace {
constexpr long kBMPFileHeaderSize = 14;

uint32 readLittleEndian32(const uint8* At)
{
    return uint32(At[0]) | uint32(At[1]) << 8 | uint32(At[2]) << 16 | uint32(At[3]) << 24;
}

bool hasBMPSignature(const uint8* Header) { return Header[0] == 'B' && Header[1] == 'M'; }

// Raw memory from KMemory for the length of a load; null after KMemory has reported.
struct MemoryBlock {
    explicit MemoryBlock(long Length)
        : bytes(Length > 0 ? static_cast<uint8*>(KMemory::allocate(Length, false)) : nullptr)
    {
    }
    ~MemoryBlock()
    {
        if (bytes)
            KMemory::dispose(bytes);
    }
    MemoryBlock(const MemoryBlock&) = delete;
    MemoryBlock& operator=(const MemoryBlock&) = delete;

    uint8* bytes;
};
} // namespace

KImage::KImage()
    : m_native(static_cast<NativeImageWin32*>(KMemory::allocate(sizeof(NativeImageWin32), true)))
{
    // The pointer's count is the only one: the device goes with the image.
    m_device.setObjectOrNull(new KGraphicDevice(KGraphicDevice::kKindImage));
}

KImage::KImage(short ResourceNumber)
    : KImage()
{
    createFromResource(ResourceNumber);
}

KImage::~KImage()
{
    disposeNative();
    m_device.reset();
    if (m_native)
        KMemory::dispose(m_native);
}

NativeImageWin32& KImage::getNativeImage() const
{
    if (!m_native) {
        kksReportError(18, "KImage::getNativeImage()");
        return kNullReference<NativeImageWin32>();
    }
    return *m_native;
}

KGraphicDevice& KImage::getGraphicDevice()
{
    KGraphicDevice& device = m_device.getObject();
    if (!kIsNullReference(&device) && !device.isBound())
        createGraphicDevice();
    return device;
}

bool KImage::hasBitmap() const { return m_native && m_native->bitmap; }

void KImage::disposeNative()
{
    if (m_native && m_device.get())
        disposeImageBitmapWin32(*this);
}

void KImage::create(const KGraphicSize& Size)
{
    disposeNative();
    const short width = Size.getWidth(), height = Size.getHeight();
    if (m_native && m_device.get() && createImageBitmapWin32(*this, width, height))
        peekGraphicDevice().setBounds(KGraphicRectangle(0, 0, width, height));
    setSize(Size);
}

void KImage::drawAt(KGraphicDevice& D, const KGraphicPoint& P)
{
    draw(D, KGraphicRectangle(P.getH(), P.getV(), getSize().getWidth(), getSize().getHeight()));
}

void KImage::draw(KGraphicDevice& D, const KGraphicRectangle& R)
{
    drawPart(D, KGraphicRectangle(0, 0, getSize().getWidth(), getSize().getHeight()), R);
}

void KImage::drawPart(KGraphicDevice& Device, const KGraphicRectangle& S, const KGraphicRectangle& D)
{
    createGraphicDevice();
    if (!Device.isBound() || !m_native || !m_device.get())
        return;
    if (Device.getKind() == KGraphicDevice::kKindWindow || Device.getKind() == KGraphicDevice::kKindImage) {
        setHalftoneStretchModeWin32(Device);
        peekGraphicDevice().copyBits(Device, S, D);
    } else if (hasBitmap()) {
        drawImageThroughDibWin32(*this, Device, S, D);
    }
}

void KImage::makeBlackAndWhite(short Level) { convertToBlackAndWhiteWin32(*this, Level); }

void KImage::makeSmoothBlackAndWhite(uint16 Level) { thresholdAndSmoothWin32(*this, short(Level)); }

void KImage::makeGrey() { convertToGreyWin32(*this); }

void KImage::invertImage()
{
    if (!hasGraphicDevice())
        return;
    KGraphicDevice& device = getGraphicDevice();
    device.saveState();
    device.setDrawMode(KGraphicDeviceState::kInvert);
    device.paintRect(device.getBounds());
    device.restoreState();
}

// A negative width or height of the destination makes the stretched copy a mirror image.
void KImage::mirror(bool Horizontally)
{
    const short width = getSize().getWidth(), height = getSize().getHeight();
    KImage mirrored;
    mirrored.create(width, height);
    const KGraphicRectangle flipped = Horizontally ? KGraphicRectangle(short(width - 1), 0, short(-width), height)
                                                   : KGraphicRectangle(0, short(height - 1), width, short(-height));
    getGraphicDevice().copyBitsInto(mirrored.getGraphicDevice(), flipped);
    mirrored.drawAt(getGraphicDevice(), KGraphicPoint(0, 0));
}

void KImage::flipHorizontal() { mirror(true); }

void KImage::flipVertical() { mirror(false); }

void KImage::rotate(bool Clockwise)
{
    const short width = getSize().getWidth(), height = getSize().getHeight();
    KImagePtr turned(new KImage);
    turned->create(height, width);
    KGraphicDevice& source = getGraphicDevice();
    KGraphicDevice& target = turned->getGraphicDevice();
    for (short y = 0; y < height; ++y) {
        for (short x = 0; x < width; ++x) {
            const KColor color = source.getPixel(x, y);
            if (Clockwise)
                target.setPixel(short(height - 1 - y), x, color);
            else
                target.setPixel(y, short(width - 1 - x), color);
        }
    }
    create(KGraphicSize(height, width));
    turned->drawAt(getGraphicDevice(), KGraphicPoint(0, 0));
}

void KImage::rotateClockwise() { rotate(true); }

void KImage::rotateCounterClockwise() { rotate(false); }

// An alpha image of the colour blended over the picture: Amount 0 leaves it, 1 covers it.
void KImage::fadeTowards(KStandardColor Color, double Amount)
{
    const short width = getSize().getWidth(), height = getSize().getHeight();
    const KGraphicRectangle whole(0, 0, width, height);
    KAlphaImagePtr veil(new KAlphaImage);
    veil->create(width, height);
    veil->setAlphaMode(KAlphaImage::kBlendWithMask);
    veil->setTransparency(1.0 - Amount);
    veil->getGraphicDevice().paintRect(whole, KColor(Color));
    veil->draw(getGraphicDevice(), whole);
}

void KImage::darken(double Amount) { fadeTowards(kBlack, Amount); }

void KImage::lighten(double Amount) { fadeTowards(kWhite, Amount); }

void KImage::adjustBrightnessContrast(double Brightness, double Contrast)
{
    // Limits are applied in double precision, so that no amount overflows an integer.
    const double offset = std::trunc(std::clamp(Brightness * 65536, -65536.0, 65536.0));
    double factor = Contrast + 1.0;
    if (factor == 0.0)
        factor = 0.01;
    const auto adjust = [&](uint16 Component) {
        const double value = std::trunc((Component - 32768.0) * factor + 32768.0) + offset;
        return uint16(std::clamp(value, 0.0, 65535.0));
    };
    const short width = getSize().getWidth(), height = getSize().getHeight();
    KGraphicDevice& device = getGraphicDevice();
    for (short x = 0; x < width; ++x) {
        for (short y = 0; y < height; ++y) {
            const KColor color = device.getPixel(x, y);
            device.setPixel(x, y, KColor(adjust(color.getRed()), adjust(color.getGreen()), adjust(color.getBlue())));
        }
    }
}

void KImagePtr::create() { setObjectOrNull(new KImage); }

void KImage::createFromFile(const KFileReference& Ref)
{
    if (!Ref.exists())
        return;
    switch (getImageFileFormat(Ref)) {
    case KImageFileFormat::kBMP:
        if (!loadBMPFile(Ref))
            return;
        break;
    case KImageFileFormat::kJPEG:
    case KImageFileFormat::kPNG:
    case KImageFileFormat::kGIF:
    case KImageFileFormat::kTIFF: {
        KString path;
        Ref.getPath().getPathText(path, kPlatformWindows, KPath::AsStored);
        importImageFileWin32(*this, path.getText(), getImageFileFormat(Ref));
        break;
    }
    case KImageFileFormat::kPICT:
        if (KPictImportHook hook = getPictImportHook())
            hook(*this, Ref);
        break;
    case KImageFileFormat::kOther:
        break;
    }
    afterLoad();
}

// The file's own size field is not believed: the block is what the file really holds
// after its header, and it must hold everything its info header promises.
bool KImage::loadBMPFile(const KFileReference& Ref)
{
    disposeNative();
    KFile file(Ref);
    file.open();
    uint8 header[kBMPFileHeaderSize] = {};
    const bool signature = file.read(header, kBMPFileHeaderSize) == kBMPFileHeaderSize && hasBMPSignature(header);
    const long length = signature ? file.getSize() - kBMPFileHeaderSize : 0;
    MemoryBlock block(length);
    if (length > 0 && !block.bytes) {
        // KMemory has reported the failure.
        file.close();
        return false;
    }
    const bool complete = block.bytes && file.read(block.bytes, length) == length;
    file.close();
    DibBlockLayout layout{};
    if (!complete || !readDibBlockLayout(block.bytes, uint32(length), layout)) {
        KString leaf;
        Ref.getPath().getLeafName(leaf);
        kksReportError(57, (KString("KImage::createFromFile(const KFileReference& Ref) - ") + leaf).getText());
        return false;
    }
    const short width = short(layout.width), height = short(layout.height);
    create(width, height);
    drawDibBlockWin32(*this, block.bytes, layout.bitsOffset, width, height);
    return true;
}

void KImage::createFromResource(short Number)
{
    disposeNative();
    loadResourceImageWin32(*this, Number);
    afterLoad();
}

void KImage::createFromFileName(const KPath& Path) { createFromFile(KFileReference(Path)); }

// A new bitmap of the size with the original stretched into it.
void KImage::createStretchedFrom(KImage& Original, const KGraphicSize& Size)
{
    create(Size);
    Original.drawPart(getGraphicDevice(),
                      KGraphicRectangle(0, 0, Original.getSize().getWidth(), Original.getSize().getHeight()),
                      KGraphicRectangle(0, 0, Size.getWidth(), Size.getHeight()));
}

void KImage::createFromFileScaled(const KFileReference& Ref, const KGraphicSize& Size)
{
    KImage original;
    original.KImage::createFromFile(Ref);
    createStretchedFrom(original, Size);
}

void KImage::createFromResourceScaled(short Number, const KGraphicSize& Size)
{
    KImage original;
    original.KImage::createFromResource(Number);
    createStretchedFrom(original, Size);
}

void KImage::createFromFileNameScaled(const KPath& Path, const KGraphicSize& Size)
{
    createFromFileScaled(KFileReference(Path), Size);
}

void KImage::saveAsBMP(const KFileReference& Ref)
{
    if (!hasBitmap() || !isBMPFileType(Ref.getFileTypeHandle()))
        return;
    KFile file(Ref);
    file.create();
    file.open();
    writeBMPBytes(file);
    file.close();
}

void KImage::saveAsBMPFileName(const KPath& Path, const KFileType& T)
{
    KFileReference ref(Path);
    ref.setFileTypeHandle(T.getTypeID());
    saveAsBMP(ref);
}

void KImage::writeBMPBytes(KFile& F)
{
    std::vector<uint8> data;
    if (getBMPDataWin32(*this, data))
        F.write(data.data(), long(data.size()));
}

// W × D × H / 8 with the device's pixel depth; readers ignore it.
long KImage::getSizeValue()
{
    const long depth = m_device.get() ? m_device->getPixelDepth() : 0;
    return long(getSize().getWidth()) * depth * getSize().getHeight() / 8;
}

void KImage::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, getClassRecord());
    writer.newSection(1);
    KGraphicObject::writeToFile(F, 1);
    F.writeLong(getSizeValue());
    if (hasBitmap())
        writeBMPBytes(F);
    writer.end();
}

void KImage::readFromFile(KFile& F)
{
    KClassReader reader;
    if (beginSectionOne(reader, F, getClassRecord())) {
        KGraphicObject::readFromFile(F);
        long sizeValue = 0;
        F.readLong(sizeValue);
        disposeNative();
        // An image written without bitmap ends its section here.
        if (reader.getSectionBytesLeft() > 0)
            readBMPBlock(F, getSize(), reader.getSectionBytesLeft(), "void KImage::readFromFile(KFile& F)");
        // Damaged BMP data may stop the reading anywhere inside the section.
        reader.skipSection();
    }
    reader.end();
}

// The BMP data inside a block or record: its size field must lie within what the file
// holds, and the pixels within the data. The image takes the size stored before them.
void KImage::readBMPBlock(KFile& F, const KGraphicSize& Size, long BytesAvailable, const char* Context)
{
    uint8 header[kBMPFileHeaderSize] = {};
    if (F.read(header, kBMPFileHeaderSize) != kBMPFileHeaderSize || !hasBMPSignature(header))
        return;
    const long length = long(readLittleEndian32(header + 2)) - kBMPFileHeaderSize;
    if (length <= 0 || length > BytesAvailable - kBMPFileHeaderSize) {
        kksReportError(57, Context);
        return;
    }
    MemoryBlock block(length);
    if (!block.bytes)
        return;
    DibBlockLayout layout{};
    if (F.read(block.bytes, length) != length || !readDibBlockLayout(block.bytes, uint32(length), layout)) {
        kksReportError(57, Context);
        return;
    }
    create(Size);
    drawDibBlockWin32(*this, block.bytes, layout.bitsOffset, Size.getWidth(), Size.getHeight());
}

void KImage::writeBMPData(KFile& F, const KFileType& T)
{
    F.writeLong(T.getTypeID());
    F.writeLong(getSizeValue());
    F.writeShort(getSize().getWidth());
    F.writeShort(getSize().getHeight());
    if (isBMPFileType(T.getTypeID()) && hasBitmap())
        writeBMPBytes(F);
}

void KImage::readBMPData(KFile& F)
{
    long typeID = 0, sizeValue = 0;
    short width = 0, height = 0;
    F.readLong(typeID);
    // A type that is not registered is error 62.
    const KFileType& type = KFileTypeHandler::getAssociation(typeID);
    F.readLong(sizeValue);
    F.readShort(width);
    F.readShort(height);
    disposeNative();
    if (kIsNullReference(&type) || !isBMPFileType(type.getTypeID()))
        return;
    // The record of an image without bitmap ends here: what follows is left unread.
    const long start = F.getPosition();
    uint8 signature[2] = {};
    const bool hasData = F.read(signature, 2) == 2 && hasBMPSignature(signature);
    F.setPosition(start);
    if (hasData)
        readBMPBlock(F, KGraphicSize(width, height), F.getSize() - start, "void KImage::readBMPData(KFile& F)");
}
