#include "foundation/KFile.h"

#include "foundation/DiskWin32.h"
#include "foundation/ErrorTable.h"
#include "foundation/KMemory.h"
#include "foundation/KernelFunctions.h"

K_DEFINE_CLASS(KFile, KFileReference, 1)

namespace {
constexpr uint32 kOpenFlag = 1;
constexpr uint8 kDiskFullError = 36;
constexpr uint8 kWriteError = 37;
constexpr uint8 kEndOfFileError = 40;
} // namespace

KFile::KFile()
{
    setKind(KPath::FileKind);
}

KFile::KFile(const KFileReference& R)
    : KFileReference(R)
{
    setKind(KPath::FileKind);
}

KFile::KFile(const KPath& P)
    : KFileReference(P)
{
    setKind(KPath::FileKind);
}

KFile::~KFile()
{
    if (isOpen())
        close();
    freeBuffer();
}

void KFile::setErrorFromSystem()
{
    m_error = kksMapNativeError(lastDiskErrorWin32());
}

void KFile::freeBuffer()
{
    if (m_buffer) {
        KMemory::dispose(m_buffer);
        m_buffer = nullptr;
    }
    m_capacity = 0;
}

void KFile::setMode(uint8 Mode)
{
    if (isOpen()) {
        kksReportError(45, "void KFile::setMode(uint8 Mode)");
        return;
    }
    m_mode = Mode;
}

void KFile::create()
{
    if (isOpen())
        close();
    const KString path = getNativePath();
    if (path.isEmpty()) {
        kksReportError(47, "void KFile::create()");
        return;
    }
    void* handle = createFileWin32(path.getText());
    if (!handle) {
        setErrorFromSystem();
        return;
    }
    closeFileWin32(handle);
}

void KFile::open()
{
    const KString path = getNativePath();
    if (path.isEmpty()) {
        kksReportError(47, "void  KFile::open()");
        return;
    }
    void* handle = openFileWin32(path.getText(), false);
    if (!handle)
        handle = openFileWin32(path.getText(), true);
    if (!handle) {
        setErrorFromSystem();
        return;
    }
    m_handle = handle;
    m_openFlags.set(kOpenFlag);
    m_error = 0;

    if (m_mode == ReadAll) {
        freeBuffer();
        const long size = getSize();
        m_buffer = static_cast<char*>(KMemory::allocate(static_cast<unsigned long>(size), true));
        if (m_buffer) {
            m_capacity = size;
            readNative(m_buffer, size);
        }
        m_position = 0;
    } else if (m_mode == Memory) {
        freeBuffer();
        m_position = 0;
        m_length = 0;
    }
}

void KFile::close()
{
    if (m_mode == WriteBehind && m_buffer && m_position > 0)
        writeNative(m_buffer, m_position);
    else if (m_mode == Memory && m_buffer && m_length > 0)
        writeNative(m_buffer, m_length);
    m_position = 0;

    if (m_handle) {
        if (closeFileWin32(m_handle)) {
            m_openFlags.clear(kOpenFlag);
            m_handle = nullptr;
        } else {
            setErrorFromSystem();
        }
    }
    freeBuffer();
}

long KFile::readNative(void* Buffer, long Size)
{
    if (Size <= 0)
        return 0;
    const long done = readFileWin32(m_handle, Buffer, Size);
    if (done < 0) {
        setErrorFromSystem();
        if (m_error == 0)
            m_error = kEndOfFileError;
        return 0;
    }
    // A short read that the system calls a success is the end of the file.
    if (done < Size)
        m_error = kEndOfFileError;
    return done;
}

long KFile::writeNative(const void* Buffer, long Size)
{
    if (Size <= 0)
        return 0;
    const long done = writeFileWin32(m_handle, Buffer, Size);
    if (done < 0) {
        setErrorFromSystem();
        if (m_error == 0)
            m_error = kWriteError;
        return 0;
    }
    // Bytes the system did not take are lost: the disk is full.
    if (done < Size)
        m_error = kDiskFullError;
    return done;
}

long KFile::read(void* Buffer, long Size)
{
    switch (m_mode) {
    case Direct:
        return readNative(Buffer, Size);
    case ReadAll:
        if (!m_buffer)
            return readNative(Buffer, Size);
        if (Size < 0 || m_position < 0 || Size > m_capacity - m_position) {
            m_error = kEndOfFileError;
            return 0;
        }
        KMemory::copy(m_buffer + m_position, Buffer, static_cast<unsigned long>(Size));
        m_position += Size;
        return Size;
    case WriteBehind:
        kksReportError(46, "long KFile::read(void* Buff,long Size)");
        return 0;
    default:
        return 0;
    }
}

long KFile::write(const void* Buffer, long Size)
{
    switch (m_mode) {
    case Direct:
        return writeNative(Buffer, Size);
    case ReadAll:
        kksReportError(46, "KFile::write(void* Buff,long Size)");
        return Size;
    case WriteBehind:
        return writeBehind(static_cast<const char*>(Buffer), Size);
    case Memory:
        return writeToMemory(static_cast<const char*>(Buffer), Size);
    default:
        return Size;
    }
}

long KFile::writeBehind(const char* Data, long Size)
{
    if (Size <= 0)
        return Size;
    if (!m_buffer) {
        m_buffer = static_cast<char*>(KMemory::allocate(kBufferSize, true));
        if (!m_buffer)
            return writeNative(Data, Size);
        m_capacity = kBufferSize;
        m_position = 0;
    }
    if (m_position + Size < m_capacity) {
        KMemory::copy(Data, m_buffer + m_position, static_cast<unsigned long>(Size));
        m_position += Size;
        return Size;
    }
    // Fill the buffer and write it out whole; write further full buffers straight from
    // the data; keep the rest for later.
    long used = m_capacity - m_position;
    KMemory::copy(Data, m_buffer + m_position, static_cast<unsigned long>(used));
    writeNative(m_buffer, m_capacity);
    while (Size - used > m_capacity) {
        KMemory::copy(Data + used, m_buffer, static_cast<unsigned long>(m_capacity));
        writeNative(m_buffer, m_capacity);
        used += m_capacity;
    }
    const long rest = Size - used;
    if (rest > 0)
        KMemory::copy(Data + used, m_buffer, static_cast<unsigned long>(rest));
    m_position = rest;
    return Size;
}

long KFile::writeToMemory(const char* Data, long Size)
{
    if (Size <= 0)
        return Size;
    if (!m_buffer) {
        m_buffer = static_cast<char*>(KMemory::allocate(kBufferSize, true));
        if (!m_buffer)
            return Size;
        m_capacity = kBufferSize;
        m_position = 0;
        m_length = 0;
    }
    if (m_position > 0x7FFFFFFF - Size) {
        m_error = 36;
        return Size;
    }
    if (m_position + Size >= m_capacity) {
        long capacity = m_capacity;
        while (m_position + Size >= capacity)
            capacity += kBufferSize;
        char* grown = static_cast<char*>(KMemory::allocate(static_cast<unsigned long>(capacity), true));
        if (!grown)
            return Size;
        KMemory::copy(m_buffer, grown, static_cast<unsigned long>(m_capacity));
        KMemory::dispose(m_buffer);
        m_buffer = grown;
        m_capacity = capacity;
    }
    KMemory::copy(Data, m_buffer + m_position, static_cast<unsigned long>(Size));
    m_position += Size;
    if (m_position > m_length)
        m_length = m_position;
    return Size;
}

void KFile::setPosition(long Pos)
{
    if (m_mode == WriteBehind) {
        kksReportError(46, "void KFile::setPosition(long Pos)");
        return;
    }
    if (m_buffer) {
        if (Pos >= 0)
            m_position = Pos;
        return;
    }
    if (!setFilePositionWin32(m_handle, Pos))
        setErrorFromSystem();
}

long KFile::getPosition()
{
    if ((m_mode == ReadAll || m_mode == Memory) && m_buffer)
        return m_position;
    const long position = getFilePositionWin32(m_handle);
    if (position < 0) {
        setErrorFromSystem();
        return -1;
    }
    // Bytes waiting in the write-behind buffer lie ahead of the system's position.
    if (m_mode == WriteBehind && m_buffer)
        return position + m_position;
    return position;
}

long KFile::getSize()
{
    // A file read whole is its buffer: no other handle may change it while it is open.
    if (m_mode == ReadAll && m_buffer && isOpen())
        return m_capacity;
    if (isOpen()) {
        const long size = getFileSizeWin32(m_handle);
        return size > 0 ? size : 0;
    }
    // A closed file is asked through a handle of its own, which leaves this object's
    // mode, buffer and error code alone.
    const KString path = getNativePath();
    void* handle = path.isEmpty() ? nullptr : openFileWin32(path.getText(), true);
    if (!handle)
        return 0;
    const long size = getFileSizeWin32(handle);
    closeFileWin32(handle);
    return size > 0 ? size : 0;
}

void KFile::writeChar(char C) { write(&C, 1); }
void KFile::writeByte(uint8 B) { write(&B, 1); }

void KFile::writeShort(short S)
{
    const short swapped = knsSwapShort(S);
    write(&swapped, 2);
}

void KFile::writeLong(long L)
{
    const long swapped = knsSwapLong(L);
    write(&swapped, 4);
}

void KFile::writeFloat(float V)
{
    const float swapped = knsSwapFloat(V);
    write(&swapped, 4);
}

void KFile::writeDouble(double V)
{
    const double swapped = knsSwapDouble(V);
    write(&swapped, 8);
}

void KFile::readChar(char& C) { read(&C, 1); }
void KFile::readByte(uint8& B) { read(&B, 1); }

short KFile::readShort(short& S)
{
    short stored = 0;
    read(&stored, 2);
    S = knsSwapShort(stored);
    return S;
}

long KFile::readLong(long& L)
{
    long stored = 0;
    read(&stored, 4);
    L = knsSwapLong(stored);
    return L;
}

float KFile::readFloat(float& V)
{
    float stored = 0;
    read(&stored, 4);
    V = knsSwapFloat(stored);
    return V;
}

double KFile::readDouble(double& V)
{
    double stored = 0;
    read(&stored, 8);
    V = knsSwapDouble(stored);
    return V;
}
