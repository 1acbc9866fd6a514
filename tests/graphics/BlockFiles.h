#pragma once
// Class blocks written to and read from a file of a temporary folder, for the tests that
// check stored layouts byte for byte.
#include "foundation/KClass.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/support/TemporaryFolder.h"

#include <string>

class BlockFiles {
public:
    Bytes written(KThing& Object)
    {
        {
            FreshFile file(m_path);
            Object.writeToFile(*file, 1);
            file->close();
        }
        return readBytes(m_path);
    }

    // Reads Object from the bytes and gives the position the reading ended at.
    long read(KThing& Object, const Bytes& Content)
    {
        writeBytes(m_path, Content);
        KFile file(windowsPath(m_path));
        file.open();
        Object.readFromFile(file);
        const long position = file.getPosition();
        file.close();
        return position;
    }

    // Class ID, version 1, block size, one section, section 1 of that length.
    static ByteList header(const char* ClassName, long SectionLength)
    {
        const long id = KClass::findClass(ClassName)->getClassID();
        return ByteList().longs({id, 1, SectionLength, 1, 1, SectionLength});
    }

    std::string file(const std::string& Name) const { return m_folder.file(Name); }

private:
    TemporaryFolder m_folder;
    std::string m_path = m_folder.file("block.bin");
};
