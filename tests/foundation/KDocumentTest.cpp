// Documents: the bytes of a saved document, saves that fail without touching the
// previous document, loading with its type check, the creator from the file, and the
// converted flag.
#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KDate.h"
#include "foundation/KDocument.h"
#include "tests/foundation/ContainerHelpers.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/support/ReportCatcher.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

const long kProjectType = 0x4C4D4446; // "LMDF"

// The names of the entries of a folder, in the order the system lists them.
std::vector<std::string> entriesOf(const std::string& Folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((Folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (std::string(found.cFileName) != "." && std::string(found.cFileName) != "..")
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// A string as a newer layout would store it: section 1 as today, then a section 2 that
// today's reader does not know.
class NewerString : public KString {
public:
    using KString::KString;
    void writeToFile(KFile& F, long) override
    {
        KClassWriter writer;
        writer.begin(F, KString::getClassRecord());
        writer.newSection(1);
        F.writeShort(getCharacterSet());
        F.writeLong(getLength());
        F.write(getText(), getLength() + 1);
        writer.newSection(2);
        F.writeLong(99);
        writer.end();
    }
};

// A string whose block a newer program writes as another class's.
class RetypedString : public KString {
public:
    void writeToFile(KFile& F, long Ver) override { KDate().writeToFile(F, Ver); }
};

// Writes part of its block, then fails as a full disk would.
class FailingThing : public KString {
public:
    void writeToFile(KFile& F, long Ver) override
    {
        KString::writeToFile(F, Ver);
        F.setError(36);
    }
};

class Documents : public LeakChecked {
protected:
    void bind(KDocument& D, const std::string& Name) const
    {
        D.setFileReference(*new KFileReference(windowsPath(folder.file(Name))));
        D.setType(kProjectType);
    }

    // Saves a document of one entry "Tape" holding Text.
    void saveStory(const std::string& Name, long Creator, const char* Text) const
    {
        KDocument document;
        bind(document, Name);
        document.setCreator(Creator);
        document.addNamedObject(KString("Tape"), *new KString(Text));
        ASSERT_TRUE(document.save());
    }

    // A bag of one string: its array block, then the count, grow and minimum sizes.
    static Bytes bagOfOne(const std::string& Text)
    {
        const Bytes element = writtenStringBlock(Text);
        const Bytes array = ByteList()
                                .append(BlockFile::header("KArray", static_cast<long>(8 + 4 + 1 + 4 + element.size())))
                                .longs({1})
                                .raw({0})
                                .longs({KString::getClassRecord()->getClassID()})
                                .append(element);
        return ByteList().append(BlockFile::header("KBag", static_cast<long>(8 + array.size() + 12))).append(array).longs({1, 1, 0});
    }

    ReaderState m_reader;
    TemporaryFolder folder;
};

TEST_F(Documents, ASavedDocumentIsItsCodesThenItsNamedBag)
{
    KDocument document;
    bind(document, "story.tpd");
    document.setCreator(3);
    document.addNamedObject(KString("Tape"), *new KString("hi"));
    ASSERT_TRUE(document.save());

    const Bytes names = bagOfOne("Tape");
    const Bytes objects = bagOfOne("hi");
    const Bytes expected = ByteList()
                               .longs({kProjectType, 3})
                               .append(BlockFile::header("KNamedBag", static_cast<long>(8 + names.size() + objects.size())))
                               .append(names)
                               .append(objects);
    EXPECT_EQ(readBytes(folder.file("story.tpd")), expected);

    // Saving again over the file gives the same bytes and leaves nothing beside it.
    ASSERT_TRUE(document.save());
    EXPECT_EQ(readBytes(folder.file("story.tpd")), expected);
    EXPECT_EQ(entriesOf(folder.path()), std::vector<std::string>{"story.tpd"});
}

TEST_F(Documents, AFailedSaveLeavesThePreviousDocumentWhole)
{
    KDocument document;
    bind(document, "story.tpd");
    document.addNamedObject(KString("Title"), *new KString("The Fox"));
    ASSERT_TRUE(document.save());
    const Bytes previous = readBytes(folder.file("story.tpd"));

    // The disk fills up halfway through.
    document.addNamedObject(KString("Broken"), *new FailingThing);
    EXPECT_FALSE(document.save());
    EXPECT_EQ(readBytes(folder.file("story.tpd")), previous);
    EXPECT_EQ(entriesOf(folder.path()), std::vector<std::string>{"story.tpd"});

    // The file is in use elsewhere, so it cannot be replaced.
    document.removeNamedObject(KString("Broken"));
    HANDLE held = CreateFileA(folder.file("story.tpd").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    document.addNamedObject(KString("More"), *new KString("text"));
    EXPECT_FALSE(document.save());
    CloseHandle(held);
    EXPECT_EQ(readBytes(folder.file("story.tpd")), previous);
    EXPECT_EQ(entriesOf(folder.path()), std::vector<std::string>{"story.tpd"});
}

TEST_F(Documents, SavingWhereNoFileCanBeMadeFails)
{
    KDocument document;
    bind(document, "missing\\story.tpd");
    EXPECT_FALSE(document.save());
    EXPECT_TRUE(entriesOf(folder.path()).empty());

    KDocument unbound;
    ReportCatcher catcher;
    EXPECT_FALSE(unbound.save());
    EXPECT_FALSE(unbound.load());
    EXPECT_EQ(catcher.codes(), (std::vector<int>{18, 18}));
    EXPECT_TRUE(catcher.caught(18, "KThing& KThingPtr::getObject() const"));
}

TEST_F(Documents, LoadingTakesTheCreatorFromTheFile)
{
    saveStory("story.tpd", 3, "once upon a time");
    KDocument loaded;
    bind(loaded, "story.tpd");
    loaded.setCreator(99);
    KClassReader::setUnknownClassMode(KClassReader::KeepEmptySlot);
    EXPECT_TRUE(loaded.load());
    EXPECT_FALSE(loaded.isConverted());
    EXPECT_EQ(loaded.getCreator(), 3);
    EXPECT_EQ(text(loaded.getNamedObject(KString("Tape"))), "once upon a time");
    EXPECT_EQ(KClassReader::getUnknownClassMode(), KClassReader::DropElement);
}

TEST_F(Documents, AFileOfAnotherTypeOrADamagedFileIsRefused)
{
    writeBytes(folder.file("other.tpd"), ByteList().longs({0x4C4D4143, 2}).bytes());
    KDocument document;
    bind(document, "other.tpd");
    document.setCreator(5);
    document.addNamedObject(KString("Kept"), *new KString("as it was"));
    EXPECT_FALSE(document.load());
    EXPECT_FALSE(document.isConverted());
    EXPECT_EQ(document.getCreator(), 5);
    EXPECT_EQ(text(document.getNamedObject(KString("Kept"))), "as it was");

    bind(document, "absent.tpd");
    EXPECT_FALSE(document.load());

    saveStory("cut.tpd", 0, "a long enough text");
    Bytes cut = readBytes(folder.file("cut.tpd"));
    cut.resize(cut.size() - 10);
    writeBytes(folder.file("cut.tpd"), cut);
    KDocument truncated;
    bind(truncated, "cut.tpd");
    EXPECT_FALSE(truncated.load());
}

TEST_F(Documents, LoadingMarksAFileOfAnotherLayoutConverted)
{
    {
        KDocument newer;
        bind(newer, "newer.tpd");
        newer.addNamedObject(KString("Title"), *new NewerString("The Fox"));
        newer.addNamedObject(KString("Retyped"), *new RetypedString);
        newer.addNamedObject(KString("Tape"), *new KString("tape"));
        ASSERT_TRUE(newer.save());
    }
    KDocument loaded;
    bind(loaded, "newer.tpd");
    EXPECT_TRUE(loaded.load());
    EXPECT_TRUE(loaded.isConverted());
    EXPECT_EQ(KClassReader::getMismatchedBlockCount(), 1);
    EXPECT_EQ(KClassReader::getUnreadSectionCount(), 1);
    EXPECT_EQ(text(loaded.getNamedObject(KString("Title"))), "The Fox");
    EXPECT_EQ(text(loaded.getNamedObject(KString("Retyped"))), "");
    EXPECT_EQ(text(loaded.getNamedObject(KString("Tape"))), "tape");

    // The flag describes the last load only.
    loaded.removeNamedObject(KString("Title"));
    ASSERT_TRUE(loaded.save());
    KDocument again;
    bind(again, "newer.tpd");
    EXPECT_TRUE(again.load());
    EXPECT_FALSE(again.isConverted());
}

} // namespace
