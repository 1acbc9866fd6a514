#pragma once
// The one class through which the system reads and writes files: a file reference that
// can be created, opened, positioned, read and written, with typed operations that store
// every number big-endian.
//
// Operating-system failures raise no report: they leave a one-byte framework error code
// in the object (33 file not found, 40 end of file, 36 disk full, ...). An owner clears
// it, does all its transfers without checking each one, closes the file and takes the
// code as the verdict of the whole job. Missing bytes of a short read count as 0.
//
// The mode decides where bytes go:
//   Direct       every read and write goes to the operating system at once;
//   ReadAll      open reads the whole file into memory and reads are served from it;
//                writing is refused;
//   WriteBehind  writes collect in a 512 KB buffer written out when full and at close;
//                reading and positioning are refused (so class blocks cannot be
//                written in this mode);
//   Memory       writes go to a growing buffer that close writes out; the position
//                moves freely; reads give nothing.
// Choose the mode while the file is closed.
#include "foundation/KFileReference.h"
#include "foundation/KFlagSet.h"

class KFile : public KFileReference {
    K_DECLARE_CLASS(KFile)
public:
    enum Mode : uint8 {
        Direct = 0,
        ReadAll = 1,
        WriteBehind = 2,
        Memory = 3,
    };

    // The size of the buffers of the write-behind and memory modes, and the step by
    // which the memory buffer grows.
    static constexpr long kBufferSize = 0x80000;

    KFile();
    explicit KFile(const KFileReference& R);
    explicit KFile(const KPath& P);
    // A file owns its native handle and buffer: copies would close and free them twice.
    KFile(const KFile&) = delete;
    KFile& operator=(const KFile&) = delete;
    ~KFile() override;

    // Creates the file empty (replacing any file of that name) and leaves it closed.
    virtual void create();
    void open();
    void close();
    bool isOpen() const { return (m_openFlags.getFlags() & 1) != 0; }

    // Refused with error 45 while the file is open.
    void setMode(uint8 Mode);
    uint8 getMode() const { return m_mode; }

    uint8 getError() const { return m_error; }
    void setError(uint8 Code) { m_error = Code; }
    void clearError() { m_error = 0; }

    void setPosition(long Pos);
    long getPosition();
    long getSize();

    long read(void* Buffer, long Size);
    long write(const void* Buffer, long Size);
    long readNative(void* Buffer, long Size);
    long writeNative(const void* Buffer, long Size);

    void writeChar(char C);
    void writeByte(uint8 B);
    void writeShort(short S);
    void writeLong(long L);
    void writeFloat(float V);
    void writeDouble(double V);
    void readChar(char& C);
    void readByte(uint8& B);
    short readShort(short& S);
    long readLong(long& L);
    float readFloat(float& V);
    double readDouble(double& V);

private:
    void setErrorFromSystem();
    void freeBuffer();
    long writeBehind(const char* Data, long Size);
    long writeToMemory(const char* Data, long Size);

    void* m_handle = nullptr;
    KFlagSet m_openFlags;
    uint8 m_mode = Direct;
    uint8 m_error = 0;
    char* m_buffer = nullptr;
    long m_capacity = 0;
    long m_position = 0;
    long m_length = 0;
};

K_POINTER_CLASS(KFile, KFileReferencePtr);
