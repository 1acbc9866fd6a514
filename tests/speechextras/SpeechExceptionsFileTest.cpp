// The speech-exceptions file: its exact bytes, what its readers take from whole, damaged
// and foreign files, and saves that fail without touching the file they were to replace.
#include "foundation/KTree.h"
#include "foundation/ReplacingFileWrite.h"
#include "tests/speechextras/SpeechExtrasTestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

// One entry block: a KSpeechException block with the two forms' string blocks.
Bytes entryBlock(const std::string& Written, const std::string& Spoken)
{
    const Bytes written = writtenStringBlock(Written);
    const Bytes spoken = writtenStringBlock(Spoken);
    const long section = static_cast<long>(8 + written.size() + spoken.size());
    return ByteList().longs({0x237E0000, 1, section, 1, 1, section}).append(written).append(spoken);
}

Bytes fileOf(long Magic, long Count, const std::vector<Bytes>& Entries)
{
    ByteList file;
    file.longs({Magic, 7, Count});
    for (const Bytes& entry : Entries)
        file.append(entry);
    return file;
}

// The entries read, in the tree's order, each as "written=spoken".
std::vector<std::string> readEntries(KSpeechExceptionsFile::ReadResult Expected)
{
    KTree tree;
    EXPECT_EQ(KSpeechExceptionsFile::read(tree), Expected);
    std::vector<std::string> entries;
    for (long i = 0; i < tree.getNodeCount(); ++i) {
        const auto& exception = static_cast<const KSpeechException&>(tree.getNodeAt(i)->getObject());
        entries.push_back(std::string(exception.getText()) + "=" + exception.getSpokenForm().getText());
    }
    return entries;
}

TEST(SpeechExceptionsFile, WritesTheHeaderAndOneClassBlockPerEntryInTheGivenOrder)
{
    // The exceptions dialog's tests show the bare header of an empty list.
    ExtrasScope scope;
    ASSERT_TRUE(scope.save({{"USA", "United States Of America"}}));
    const Bytes usa = readBytes(scope.exceptionsPath());
    ASSERT_EQ(usa.size(), 125u);
    EXPECT_EQ(Bytes(usa.begin(), usa.begin() + 40),
              ByteList().raw({0x4B, 0x53, 0x50, 0x58}).longs({0, 1, 0x237E0000, 1, 97, 1, 1, 97, 0x66CFCAD0}).bytes());

    // An empty spoken form is a 30-byte block without text.
    ASSERT_TRUE(scope.save({{"Mr", "Mister"}, {"Hm", ""}}));
    EXPECT_EQ(readBytes(scope.exceptionsPath()),
              ByteList().text("KSPX").longs({0, 2}).append(entryBlock("Mr", "Mister")).append(entryBlock("Hm", "")).bytes());
    EXPECT_EQ(readEntries(KSpeechExceptionsFile::Read), (std::vector<std::string>{"Hm=", "Mr=Mister"}));
}

TEST(SpeechExceptionsFile, ReadsWholeEntriesInWrittenOrderAndNothingFromAForeignFile)
{
    ExtrasScope scope;
    const long magic = KSpeechExceptionsFile::kMagic;
    const Bytes dr = entryBlock("Dr", "Doctor");
    const Bytes ab = entryBlock("Ab", "About");
    // The written form's character-set short set to 0: Mac text.
    Bytes mac = entryBlock("Caf\x8E", "cafe");
    mac[24 + 25] = 0;
    const struct {
        const char* what;
        Bytes file;
        KSpeechExceptionsFile::ReadResult result;
        std::vector<std::string> entries;
    } cases[] = {
        {"same written form twice", fileOf(magic, 3, {dr, ab, entryBlock("Dr", "Drive")}), KSpeechExceptionsFile::Read,
         {"Ab=About", "Dr=Drive", "Dr=Doctor"}},
        {"Mac text", fileOf(magic, 1, {mac}), KSpeechExceptionsFile::Read, {"Caf\xE9=cafe"}},
        {"cut short", fileOf(magic, 2, {ab, Bytes(dr.begin(), dr.end() - 5)}), KSpeechExceptionsFile::Read, {"Ab=About"}},
        {"count past the end", fileOf(magic, 1000000, {ab}), KSpeechExceptionsFile::Read, {"Ab=About"}},
        // What follows a block of another class cannot be found again.
        {"foreign block", fileOf(magic, 3, {ab, writtenStringBlock("Zz"), dr}), KSpeechExceptionsFile::Read,
         {"Ab=About"}},
        // The editor accepts an empty written form, so the readers keep it.
        {"empty written form", fileOf(magic, 2, {entryBlock("", "Nothing"), ab}), KSpeechExceptionsFile::Read,
         {"=Nothing", "Ab=About"}},
        {"no count", ByteList().longs({magic, 0}).bytes(), KSpeechExceptionsFile::Read, {}},
        {"wrong magic", fileOf(0x4B535059, 1, {ab}), KSpeechExceptionsFile::Refused, {}},
        {"magic alone", ByteList().longs({magic}).bytes(), KSpeechExceptionsFile::Read, {}},
    };
    CreateDirectoryA(scope.folder.file("KSpeechExceptions").c_str(), nullptr);
    for (const auto& c : cases) {
        writeBytes(scope.exceptionsPath(), c.file);
        EXPECT_EQ(readEntries(c.result), c.entries) << c.what;
    }
    DeleteFileA(scope.exceptionsPath().c_str());
    EXPECT_TRUE(readEntries(KSpeechExceptionsFile::NoFile).empty());

    // The runtime reader keeps an empty written form too, but no word matches it: not
    // the nothing between two blanks.
    ASSERT_TRUE(scope.save({{"", "Nothing"}, {"Dr", "Doctor"}}));
    KSpeechExceptionHandler handler;
    EXPECT_EQ(handler.getExceptionCount(), 2);
    KString spoken;
    KBag table;
    table.setIsDirect(true);
    handler.rewrite(KString(" Dr  x"), spoken, table);
    EXPECT_STREQ(spoken.getText(), " Doctor  x ");
}

TEST(SpeechExceptionsFile, ASaveThatFailsLeavesTheEarlierFileAndNoTemporaryOne)
{
    ExtrasScope scope;
    ASSERT_TRUE(scope.save({{"USA", "United States Of America"}}));
    const Bytes earlier = readBytes(scope.exceptionsPath());
    // A write that fails part-way leaves no trace.
    EXPECT_FALSE(kksWriteReplacing(KSpeechExceptionsFile::getFileReference(), [](KFile& F) {
        F.writeLong(KSpeechExceptionsFile::kMagic);
        F.setError(36);
    }));
    EXPECT_EQ(readBytes(scope.exceptionsPath()), earlier);
    EXPECT_EQ(KDirectory(windowsPath(scope.folder.file("KSpeechExceptions\\"))).getFiles(KDirectory::Files)->getCount(), 1);
}

} // namespace
