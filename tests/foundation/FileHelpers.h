#pragma once
// Helpers shared by the file and class-block tests: files of known bytes inside a
// temporary folder, and big-endian byte lists that read like the stored layout.
#include "foundation/KClassReader.h"
#include "foundation/KFile.h"
#include "foundation/KPath.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

inline KPath windowsPath(const std::string& Text)
{
    KPath path;
    path.setPathText(KString(Text.c_str()), 2);
    return path;
}

inline Bytes readBytes(const std::string& Path)
{
    std::ifstream in(Path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::string& Path, const Bytes& Content)
{
    std::ofstream out(Path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(Content.data()), static_cast<std::streamsize>(Content.size()));
}

// Builds expected contents: longs and shorts big-endian, raw bytes as they are.
class ByteList {
public:
    ByteList& longs(std::initializer_list<long> Values)
    {
        for (long v : Values)
            bigEndian(static_cast<std::uint32_t>(v), 4);
        return *this;
    }
    ByteList& shorts(std::initializer_list<int> Values)
    {
        for (int v : Values)
            bigEndian(static_cast<std::uint16_t>(v), 2);
        return *this;
    }
    ByteList& raw(std::initializer_list<unsigned char> Values)
    {
        m_bytes.insert(m_bytes.end(), Values);
        return *this;
    }
    ByteList& text(const std::string& Text)
    {
        m_bytes.insert(m_bytes.end(), Text.begin(), Text.end());
        return *this;
    }
    ByteList& append(const Bytes& More)
    {
        m_bytes.insert(m_bytes.end(), More.begin(), More.end());
        return *this;
    }
    operator const Bytes&() const { return m_bytes; }
    const Bytes& bytes() const { return m_bytes; }

private:
    void bigEndian(std::uint32_t Value, int Count)
    {
        for (int shift = (Count - 1) * 8; shift >= 0; shift -= 8)
            m_bytes.push_back(static_cast<unsigned char>(Value >> shift));
    }

    Bytes m_bytes;
};

// Keeps the reader's unknown-class mode across a test and starts its load counters afresh.
class ReaderState {
public:
    ReaderState() : m_mode(KClassReader::getUnknownClassMode()) { KClassReader::resetLoadCounters(); }
    ~ReaderState() { KClassReader::setUnknownClassMode(m_mode); }
    ReaderState(const ReaderState&) = delete;
    ReaderState& operator=(const ReaderState&) = delete;

private:
    uint8 m_mode;
};

// A file object in Direct mode over a path, created empty and opened.
class FreshFile {
public:
    explicit FreshFile(const std::string& Path, uint8 Mode = KFile::Direct)
        : m_file(windowsPath(Path))
    {
        m_file.setMode(Mode);
        m_file.create();
        m_file.open();
    }
    KFile& operator*() { return m_file; }
    KFile* operator->() { return &m_file; }

private:
    KFile m_file;
};

// An existing file, opened in a mode.
class OpenedFile : public KFile {
public:
    explicit OpenedFile(const std::string& Path, uint8 Mode = KFile::Direct) : KFile(windowsPath(Path))
    {
        setMode(Mode);
        open();
    }
};

// A file through which a test writes an object's class block and reads one back.
class BlockFile {
public:
    explicit BlockFile(const std::string& Path) : m_path(Path) {}

    Bytes written(KThing& Object)
    {
        {
            FreshFile file(m_path);
            Object.writeToFile(*file, 1);
            file->close();
        }
        return readBytes(m_path);
    }

    // Reads Object from the bytes, checks that the whole block was consumed, and gives
    // the file's error code.
    uint8 read(KThing& Object, const Bytes& Content)
    {
        writeBytes(m_path, Content);
        return readBack(Object);
    }

    uint8 roundTrip(KThing& Source, KThing& Target) { return read(Target, written(Source)); }

    // The same from the file as it stands.
    uint8 readBack(KThing& Object)
    {
        OpenedFile file(m_path);
        Object.readFromFile(file);
        EXPECT_EQ(file.getPosition(), file.getSize());
        file.close();
        return file.getError();
    }

    // The start of a block of one section: class ID, version 1, sizes and section 1.
    static Bytes header(const char* ClassName, long SectionLength)
    {
        const long id = KClass::findClass(ClassName)->getClassID();
        return ByteList().longs({id, 1, SectionLength, 1, 1, SectionLength});
    }

private:
    std::string m_path;
};

// A string's block as this platform writes it: character set 1, the length, the text and
// its NUL (none for an empty string).
inline Bytes writtenStringBlock(const std::string& Text)
{
    const long length = static_cast<long>(Text.size());
    const long section = 14 + (length > 0 ? length + 1 : 0);
    ByteList block;
    block.append(BlockFile::header("KString", section)).shorts({1}).longs({length});
    if (length > 0)
        block.text(Text).raw({0});
    return block;
}
