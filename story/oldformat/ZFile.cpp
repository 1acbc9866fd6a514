#include "story/oldformat/ZFile.h"

#include "foundation/DiskWin32.h"

#include <cstring>
#include <vector>

Z_DEFINE_CLASS(ZFile)

namespace {
constexpr long kLongestLine = 255;
constexpr char kCR = '\r';
constexpr char kLF = '\n';

// Big-endian bytes of the low Count bytes of Value.
void toBigEndian(uint32 Value, unsigned char* Out, int Count)
{
    for (int i = 0; i < Count; ++i)
        Out[i] = static_cast<unsigned char>(Value >> (8 * (Count - 1 - i)));
}

uint32 fromBigEndian(const unsigned char* In, int Count)
{
    uint32 value = 0;
    for (int i = 0; i < Count; ++i)
        value = (value << 8) | In[i];
    return value;
}

// Every CR that no LF follows becomes CR LF.
ZString withCRLFLineEnds(const ZString& S)
{
    ZString result;
    for (long i = 0; i < S.getLength(); ++i) {
        const char c = S.charAt(i);
        result.append(c);
        if (c == kCR && S.charAt(i + 1) != kLF)
            result.append(kLF);
    }
    return result;
}
} // namespace

ZFile::ZFile(const ZString& Path)
    : m_path(Path)
{
}

ZFile::~ZFile() { close(); }

uint8 ZFile::mapSystemError(long NativeError)
{
    switch (NativeError) {
    case 0:
        return NoError;
    case 2:   // ERROR_FILE_NOT_FOUND
    case 3:   // ERROR_PATH_NOT_FOUND
    case 55:  // ERROR_DEV_NOT_EXIST
    case 267: // ERROR_DIRECTORY
        return NotFound;
    case 39:  // ERROR_HANDLE_DISK_FULL
    case 112: // ERROR_DISK_FULL
        return DiskFull;
    case 29: // ERROR_WRITE_FAULT
        return WriteFault;
    case 30: // ERROR_READ_FAULT
        return ReadFault;
    case 110: // ERROR_OPEN_FAILED
        return OpenFailed;
    case 38: // ERROR_HANDLE_EOF
        return EndOfFile;
    default:
        return OtherError;
    }
}

void ZFile::setErrorFromSystem(uint8 Otherwise)
{
    const uint8 code = mapSystemError(static_cast<uint16>(lastDiskErrorWin32()));
    m_error = code != NoError ? code : Otherwise;
}

// Opening and positioning -----------------------------------------------------------------

void ZFile::open()
{
    if (m_path.isEmpty() || isOpen())
        return;
    void* handle = openFileWin32(m_path.getText(), false);
    if (!handle)
        handle = openFileWin32(m_path.getText(), true);
    if (!handle) {
        setErrorFromSystem(OtherError);
        return;
    }
    m_handle = handle;
    m_open = 1;
    m_damageContext = nullptr;
    m_damageMessage = nullptr;
    m_nesting = 0;
    seek(0);
}

void ZFile::close()
{
    if (!isOpen())
        return;
    if (!closeFileWin32(m_handle)) {
        setErrorFromSystem(OtherError);
        return;
    }
    m_open = 0;
    m_handle = nullptr;
}

void ZFile::seek(long Position)
{
    if (!isOpen())
        return;
    m_error = NoError;
    if (!setFilePositionWin32(m_handle, Position))
        setErrorFromSystem(OtherError);
}

long ZFile::tell()
{
    if (!isOpen())
        return -1;
    return getFilePositionWin32(m_handle);
}

long ZFile::getSize() const { return isOpen() ? getFileSizeWin32(m_handle) : -1; }

long ZFile::getRemaining()
{
    const long size = getSize();
    const long position = tell();
    if (size < 0 || position < 0 || position > size)
        return 0;
    return size - position;
}

// Writing ---------------------------------------------------------------------------------

long ZFile::writeBytes(const void* Buffer, long Count)
{
    if (!isOpen() || Count <= 0)
        return 0;
    const long written = writeFileWin32(m_handle, Buffer, Count);
    if (written < 0) {
        setErrorFromSystem(WriteFault);
        return 0;
    }
    return written;
}

void ZFile::writeByte(char Value) { writeBytes(&Value, 1); }

void ZFile::writeShort(short Value)
{
    unsigned char bytes[2];
    toBigEndian(static_cast<uint16>(Value), bytes, 2);
    writeBytes(bytes, 2);
}

void ZFile::writeLong(long Value)
{
    unsigned char bytes[4];
    toBigEndian(static_cast<uint32>(Value), bytes, 4);
    writeBytes(bytes, 4);
}

void ZFile::writeDouble(double Value)
{
    unsigned char bytes[8];
    std::memcpy(bytes, &Value, sizeof bytes);
    for (int i = 0; i < 4; ++i)
        std::swap(bytes[i], bytes[7 - i]);
    writeBytes(bytes, 8);
}

void ZFile::writeString(const ZString& S)
{
    const short length = static_cast<short>(S.getLength());
    writeShort(length);
    if (length > 0)
        writeBytes(S.getText(), length);
}

void ZFile::writeLine(const ZString& S)
{
    writeBytes(S.getText(), S.getLength());
    writeNewLine();
}

void ZFile::writeNewLine()
{
    const char lineEnd[2] = {kCR, kLF};
    writeBytes(lineEnd, 2);
}

// Reading ---------------------------------------------------------------------------------

bool ZFile::readFully(void* Buffer, long Count)
{
    if (!canRead())
        return false;
    const long read = readFileWin32(m_handle, Buffer, Count);
    if (read == Count)
        return true;
    // The system saw no error in a short read: the file simply ended.
    if (read < 0)
        setErrorFromSystem(ReadFault);
    else
        m_error = ReadFault;
    return false;
}

long ZFile::readBytes(void* Buffer, long Count)
{
    if (!canRead() || Count <= 0)
        return 0;
    const long read = readFileWin32(m_handle, Buffer, Count);
    if (read <= 0) {
        if (read < 0)
            setErrorFromSystem(ReadFault);
        else
            m_error = ReadFault;
        return 0;
    }
    return read;
}

void ZFile::readByte(char& Value)
{
    char byte = 0;
    if (readFully(&byte, 1))
        Value = byte;
}

void ZFile::readByte(uint8& Value)
{
    char byte = static_cast<char>(Value);
    readByte(byte);
    Value = static_cast<uint8>(byte);
}

void ZFile::readShort(short& Value)
{
    unsigned char bytes[2];
    if (readFully(bytes, 2))
        Value = static_cast<short>(fromBigEndian(bytes, 2));
}

void ZFile::readLong(long& Value)
{
    unsigned char bytes[4];
    if (readFully(bytes, 4))
        Value = static_cast<long>(fromBigEndian(bytes, 4));
}

void ZFile::readDouble(double& Value)
{
    unsigned char bytes[8];
    if (!readFully(bytes, 8))
        return;
    for (int i = 0; i < 4; ++i)
        std::swap(bytes[i], bytes[7 - i]);
    std::memcpy(&Value, bytes, sizeof Value);
}

void ZFile::readString(ZString& S)
{
    S.clear();
    short length = 0;
    if (!canRead())
        return;
    readShort(length);
    if (hasFailed() || length <= 0)
        return;
    std::vector<char> text(static_cast<std::size_t>(length));
    if (!readFully(text.data(), length))
        return;
    S = withCRLFLineEnds(ZString(text.data(), length));
}

void ZFile::readLine(ZString& S)
{
    S.clear();
    while (S.getLength() < kLongestLine) {
        char c = 0;
        if (!readFully(&c, 1))
            return;
        if (c != kCR) {
            S.append(c);
            continue;
        }
        char next = 0;
        if (readFully(&next, 1) && next != kLF)
            seek(tell() - 1);
        return;
    }
}

// Damage ----------------------------------------------------------------------------------

void ZFile::markDamaged(const char* Context, const char* Message)
{
    if (isDamaged())
        return;
    m_damageContext = Context;
    m_damageMessage = Message;
}

bool ZFile::checkCount(long Count, long BytesEach, const char* Context)
{
    if (!canRead())
        return false;
    if (Count < 0 || (BytesEach > 0 && Count > getRemaining() / BytesEach)) {
        markDamaged(Context, "Count Out Of Range");
        return false;
    }
    return true;
}

void ZFile::skip(long Count, const char* Context)
{
    if (!checkCount(Count, 1, Context))
        return;
    const long position = tell();
    if (!setFilePositionWin32(m_handle, position + Count))
        setErrorFromSystem(OtherError);
}

bool ZFile::enterNestedObject(const char* Context)
{
    if (m_nesting >= kMaxNesting) {
        markDamaged(Context, "Objects Nested Too Deeply");
        return false;
    }
    ++m_nesting;
    return true;
}

// The media file record -------------------------------------------------------------------

void ZFile::readFromFile(ZFile& F)
{
    if (!ZClass::readClassInfo(s_class, F))
        return;
    char writtenOnMac = 0;
    F.readByte(writtenOnMac);
    if (writtenOnMac != 0) {
        long skipped = 0;
        F.readLong(skipped);
        F.skip(skipped, "ZFile::readFromFile");
        F.readLong(m_macValue);
    }
    ZString path;
    F.readString(path);
    if (F.hasFailed())
        return;
    if (writtenOnMac != 0) {
        long afterColon = 0;
        for (long at = path.indexOf(":", 0); at >= 0; at = path.indexOf(":", at + 1))
            afterColon = at + 1;
        path = path.substring(afterColon, path.getLength() - afterColon);
    }
    m_path = path;
}

void ZFile::writeToFile(ZFile& F)
{
    getClass().writeClassInfo(F);
    F.writeByte(0);
    F.writeString(m_path);
}
