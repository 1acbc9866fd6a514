#pragma once
// A temporary file through which objects write and read their class blocks, so that a
// test states a block as the bytes it expects.
#include "foundation/KClass.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

class BlockFile {
public:
    // The bytes Object writes as its block.
    Bytes written(KThing& Object)
    {
        {
            FreshFile file(m_path);
            Object.writeToFile(*file, 1);
            file->close();
        }
        return readBytes(m_path);
    }

    // Reads Object from the bytes, checks that the whole of them was consumed, and gives
    // the file's error code.
    uint8 read(KThing& Object, const Bytes& Content)
    {
        writeBytes(m_path, Content);
        KFile file(windowsPath(m_path));
        file.open();
        Object.readFromFile(file);
        EXPECT_EQ(file.getPosition(), static_cast<long>(Content.size()));
        file.close();
        return file.getError();
    }

    uint8 roundTrip(KThing& Source, KThing& Target) { return read(Target, written(Source)); }

    // The block header and the header of its one section, for a block of one section.
    static Bytes header(const char* ClassName, long SectionLength)
    {
        const long id = KClass::findClass(ClassName)->getClassID();
        return ByteList().longs({id, 1, SectionLength, 1, 1, SectionLength});
    }

private:
    TemporaryFolder m_folder;
    std::string m_path = m_folder.file("block.bin");
};
