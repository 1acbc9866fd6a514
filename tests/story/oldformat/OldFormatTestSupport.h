#pragma once
// Shared by the old-document tests: old records built byte by byte as the old program
// wrote them, files of such bytes read through the old file, and a fixture that checks
// that no old object outlives its test.
#include "story/oldformat/OldDocumentClasses.h"
#include "story/oldformat/ZClass.h"
#include "story/oldformat/ZFile.h"
#include "tests/story/StoryTestSupport.h"

#include <initializer_list>
#include <string>

// Old records: every number big-endian, every record under its class ID and version.
class OldBytes {
public:
    // The class ID of a stored name, then the version.
    OldBytes& header(const char* StoredName, long Version = 1) { return longs({ZClass::makeClassID(StoredName), Version}); }
    // What an object slot of an array holds before the object: its class ID.
    OldBytes& slot(const char* StoredName) { return longs({ZClass::makeClassID(StoredName)}); }
    OldBytes& longs(std::initializer_list<long> Values)
    {
        m_list.longs(Values);
        return *this;
    }
    OldBytes& shorts(std::initializer_list<int> Values)
    {
        m_list.shorts(Values);
        return *this;
    }
    OldBytes& bytes(std::initializer_list<unsigned char> Values)
    {
        m_list.raw(Values);
        return *this;
    }
    // A 16-bit length and the text.
    OldBytes& string(const std::string& Text)
    {
        m_list.shorts({static_cast<int>(Text.size())}).text(Text);
        return *this;
    }
    OldBytes& append(const Bytes& More)
    {
        m_list.append(More);
        return *this;
    }
    OldBytes& color(int Red, int Green, int Blue) { return header("ZColor").shorts({Red, Green, Blue}); }
    OldBytes& rectangle(int X, int Y, int Width, int Height) { return header("ZRectangle").shorts({X, Y, Width, Height}); }
    // A media file record written on Windows.
    OldBytes& file(const std::string& Path) { return header("ZFile").bytes({0}).string(Path); }
    // The tape object's record and the header of the kind's own one.
    OldBytes& tapeObject(const char* StoredName, long Kind, long Version = 1)
    {
        return header("TapeObject").longs({Kind}).bytes({1}).header(StoredName, Version);
    }
    // The tape's array, bag and own records around slots of objects.
    OldBytes& tape(const std::initializer_list<Bytes>& Objects, long TickRate = 20, unsigned char Loop = 0)
    {
        const long count = static_cast<long>(Objects.size());
        header("ZArray", 2).longs({count}).bytes({0, 0});
        for (const Bytes& object : Objects)
            append(object);
        return header("ZBag").longs({count, 1, 0}).header("Tape").longs({0, TickRate}).bytes({Loop, 1});
    }

    operator const Bytes&() const { return m_list.bytes(); }
    const Bytes& get() const { return m_list.bytes(); }

private:
    ByteList m_list;
};

class OldFormatTest : public StoryTest {
protected:
    OldFormatTest() { registerOldDocumentClasses(); }
    void SetUp() override
    {
        StoryTest::SetUp();
        m_oldBlocks = ZThing::getHeapBlockCount();
    }
    void TearDown() override
    {
        EXPECT_EQ(ZThing::getHeapBlockCount(), m_oldBlocks) << "old objects left";
        StoryTest::TearDown();
    }

    std::string path(const std::string& Name = "old.lmt") const { return m_folder.file(Name); }
    // The bytes as a file, opened for reading.
    ZFile& fileOf(const Bytes& Content, const std::string& Name = "old.lmt")
    {
        // The file is not shared while open.
        m_file.close();
        writeBytes(path(Name), Content);
        m_file.setPath(ZString(path(Name).c_str()));
        m_file.open();
        return m_file;
    }
    // Reads Object from the bytes; true when the file neither failed nor was left with
    // bytes unread.
    bool read(ZThing& Object, const Bytes& Content)
    {
        ZFile& file = fileOf(Content);
        Object.readFromFile(file);
        return !file.hasFailed() && file.getRemaining() == 0;
    }
    std::string damage() const { return std::string(m_file.getDamageContext()) + ": " + m_file.getDamageMessage(); }
    // What Object writes.
    Bytes written(ZThing& Object)
    {
        writeBytes(path("written.lmt"), {});
        ZFile file(ZString(path("written.lmt").c_str()));
        file.open();
        Object.writeToFile(file);
        file.close();
        return readBytes(path("written.lmt"));
    }

    ZFile m_file;

private:
    long m_oldBlocks = 0;
};
