#pragma once
// The file of the old object model: typed big-endian reads and writes, length-prefixed
// strings, CR LF lines and a small error code of its own. The old story objects also hold
// one by value to name their media file, and its record carries that file's path.
//
// Failures leave a code and make the file refuse every further read until seek or open
// clears it, so a reader can read a whole record and look once at the end; a value whose
// read failed keeps what it held. A short read is a failure too: no number is ever made
// of the bytes that were there and the ones that were not.
//
// Old documents are untrusted. A reader that finds what cannot be (a record of another
// class, a count larger than the bytes left, objects nested without end) marks the file
// damaged with a context and a message; that too stops every further read, and only open
// clears it. The importer looks at both and refuses the document.
#include "story/oldformat/ZClass.h"

class ZFile : public ZThing {
    Z_DECLARE_CLASS(ZFile)
public:
    // Error codes, from the system's errors.
    enum Error : uint8 {
        NoError = 0,
        NotFound = 1,
        DiskFull = 4,
        WriteFault = 5,
        ReadFault = 6,
        OpenFailed = 7,
        EndOfFile = 8,
        OtherError = 9,
    };
    // Deeper nesting of objects inside arrays is damage: a document holds a tape of
    // objects, none of which nests further.
    static constexpr long kMaxNesting = 16;

    ZFile() = default;
    explicit ZFile(const ZString& Path);
    // A file owns its handle: copies would close it twice.
    ZFile(const ZFile&) = delete;
    ZFile& operator=(const ZFile&) = delete;
    ~ZFile() override;

    // The media file record: a byte that tells a Mac path (which carries a skipped block
    // and a value first) from a Windows one, then the path. A Mac path is cut to the
    // name after its last colon. Writing gives a Windows record.
    void readFromFile(ZFile& F) override;
    void writeToFile(ZFile& F) override;

    void setPath(const ZString& Path) { m_path = Path; }
    const ZString& getPath() const { return m_path; }

    // Position from the start of the file; clears the error code (not the damage).
    virtual void seek(long Position);
    // −1 when closed or on failure.
    virtual long tell();
    // An existing file, for reading and writing, else for reading only. Only with a path
    // and while closed; position 0 afterwards.
    virtual void open();
    virtual void close();

    // Every write does nothing on a closed file; a failed one sets the error code.
    virtual long writeBytes(const void* Buffer, long Count);
    virtual void writeShort(short Value);
    virtual void writeByte(char Value);
    virtual void writeLong(long Value);
    virtual void writeDouble(double Value);
    // The low 16 bits of the length, then the text when that value is above 0.
    virtual void writeString(const ZString& S);
    virtual void writeLine(const ZString& S);
    virtual void writeNewLine();

    // Up to Count bytes; the count read, 0 on failure.
    virtual long readBytes(void* Buffer, long Count);
    // All of Count bytes, or a failure (a short read is one) that leaves the code.
    bool readFully(void* Buffer, long Count);
    virtual void readShort(short& Value);
    virtual void readByte(char& Value);
    // The same for a flag or an option byte.
    void readByte(uint8& Value);
    virtual void readLong(long& Value);
    virtual void readDouble(double& Value);
    // Empties S, then reads a 16-bit length and, when it is above 0, the text. Every CR
    // that no LF follows becomes CR LF.
    virtual void readString(ZString& S);
    // Empties S, then reads up to a CR, a CR LF or 255 characters.
    virtual void readLine(ZString& S);

    bool isOpen() const { return m_open != 0; }
    uint8 getError() const { return m_error; }
    // The value of a Mac path record, kept and not otherwise used.
    long getMacValue() const { return m_macValue; }

    // The size of the open file, −1 when closed; the bytes from the position to the end.
    long getSize() const;
    long getRemaining();

    // Damage. The first mark is kept.
    void markDamaged(const char* Context, const char* Message);
    bool isDamaged() const { return m_damageMessage != nullptr; }
    const char* getDamageContext() const { return m_damageContext ? m_damageContext : ""; }
    const char* getDamageMessage() const { return m_damageMessage ? m_damageMessage : ""; }
    // A read or a system call failed, or the content is damaged.
    bool hasFailed() const { return m_error != NoError || isDamaged(); }
    // Whether Count items of at least BytesEach bytes can still follow; damage otherwise.
    bool checkCount(long Count, long BytesEach, const char* Context);
    // Moves over Count bytes that must lie in the file; damage otherwise. Unlike seek it
    // never clears a failure.
    void skip(long Count, const char* Context);
    // Around the reading of an object held in an array: false, and damage, beyond the
    // deepest nesting.
    bool enterNestedObject(const char* Context);
    void leaveNestedObject() { --m_nesting; }

    static uint8 mapSystemError(long NativeError);

private:
    bool canRead() const { return isOpen() && !hasFailed(); }
    void setErrorFromSystem(uint8 Otherwise);

    ZString m_path;
    void* m_handle = nullptr;
    uint8 m_open = 0;
    uint8 m_error = NoError;
    long m_macValue = 0;
    const char* m_damageContext = nullptr;
    const char* m_damageMessage = nullptr;
    long m_nesting = 0;
};
