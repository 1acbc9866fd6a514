// The sound-highlight file: the length and the media block it holds, a save over a longer
// file, and the files that are refused without touching what the editor had.
#include "multimedia/KSoundHiliteMarker.h"
#include "multimedia/KSoundHiliteMedia.h"
#include "speechextras/KSoundHiliteFile.h"
#include "tests/speechextras/SpeechExtrasTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

KFileReference referenceTo(const std::string& Path) { return KFileReference(windowsPath(Path)); }

// "The cat sat on mats" with one marker per word.
KSoundHiliteMediaPtr fiveWords(const TemporaryFolder& Folder)
{
    KSoundHiliteMediaPtr media = new KSoundHiliteMedia;
    media->setText(KString("The cat sat on mats"));
    KBag markers;
    for (long start : {0, 4, 8, 12, 15}) {
        KSoundHiliteMarkerPtr marker = new KSoundHiliteMarker;
        marker->setTime(start * 100);
        marker->setWordStart(start);
        marker->setWord(media->getText().getMid(start, start == 12 ? 2 : start == 15 ? 4 : 3));
        markers.add(*marker);
    }
    media->setMarkers(markers);
    media->setSoundFile(referenceTo(Folder.file("reading.wav")));
    return media;
}

std::string describe(const KSoundHiliteMedia& Media)
{
    std::string text = Media.getText().getText();
    for (long i = 0; i < Media.getMarkers().getCount(); ++i) {
        const auto& m = static_cast<const KSoundHiliteMarker&>(Media.getMarkers()[i]);
        text += " | " + std::to_string(m.getTime()) + " " + std::to_string(m.getWordStart()) + " " +
                std::to_string(m.getWordLength()) + " " + m.getWord().getText();
    }
    return text;
}

TEST(SoundHiliteFile, HoldsTheLengthThenTheMediaBlockAndReplacesALongerFileWhole)
{
    ExtrasScope scope;
    const std::string path = scope.folder.file("reading.SHI");
    writeBytes(path, Bytes(5000, 0x55));
    ASSERT_TRUE(KSoundHiliteFile::save(referenceTo(path), 100, *KSoundHiliteMediaPtr(new KSoundHiliteMedia)));
    const Bytes empty = readBytes(path);
    EXPECT_EQ(empty.size(), 476u);
    EXPECT_EQ(Bytes(empty.begin(), empty.begin() + 8), ByteList().longs({100, 0x3D90F000}).bytes());

    KSoundHiliteMediaPtr reading = fiveWords(scope.folder);
    ASSERT_TRUE(KSoundHiliteFile::save(referenceTo(path), 2345, *reading));
    // Each marker's class ID stands in front of its block and as its first field.
    const Bytes bytes = readBytes(path);
    const Bytes twice = ByteList().longs({long(0xA6575000), long(0xA6575000)});
    long markers = 0;
    for (auto at = bytes.begin(); (at = std::search(at, bytes.end(), twice.begin(), twice.end())) != bytes.end(); ++at)
        ++markers;
    EXPECT_EQ(markers, 5);

    KSoundHiliteMediaPtr loaded = new KSoundHiliteMedia;
    long length = 0;
    ASSERT_TRUE(KSoundHiliteFile::load(referenceTo(path), length, *loaded));
    EXPECT_EQ(length, 2345);
    EXPECT_EQ(describe(*loaded), "The cat sat on mats | 0 0 3 The | 400 4 3 cat | 800 8 3 sat | 1200 12 2 on | "
                                 "1500 15 4 mats");
    EXPECT_TRUE(loaded->getSoundFile().getPath() == reading->getSoundFile().getPath());
    EXPECT_FALSE(KSoundHiliteFile::save(referenceTo(scope.folder.file("missing\\x.SHI")), 100, *reading));
}

TEST(SoundHiliteFile, RefusesAnythingButAWholeFileAndKeepsWhatTheMediaHad)
{
    ExtrasScope scope;
    const std::string path = scope.folder.file("reading.SHI");
    ASSERT_TRUE(KSoundHiliteFile::save(referenceTo(path), 2345, *fiveWords(scope.folder)));
    const Bytes whole = readBytes(path);
    auto patched = [&](long At, std::initializer_list<unsigned char> Values) {
        Bytes bytes = whole;
        std::copy(Values.begin(), Values.end(), bytes.begin() + At);
        return bytes;
    };
    const std::pair<const char*, Bytes> cases[] = {
        {"empty", Bytes{}},
        {"negative length", patched(0, {0xFF, 0xFF, 0xFF, 0xFF})},
        {"a string's block", patched(4, {0x66, 0xCF, 0xCA, 0xD0})},
        {"section 2 first", patched(23, {2})},
        {"block size past the end", patched(12, {0x7F})},
        {"cut short", Bytes(whole.begin(), whole.end() - 10)},
    };
    for (const auto& c : cases) {
        writeBytes(path, c.second);
        KSoundHiliteMediaPtr media = new KSoundHiliteMedia;
        media->setText(KString("kept"));
        long length = 7;
        EXPECT_FALSE(KSoundHiliteFile::load(referenceTo(path), length, *media)) << c.first;
        EXPECT_EQ(std::to_string(length) + " " + describe(*media), "7 kept") << c.first;
    }
    long length = 7;
    EXPECT_FALSE(KSoundHiliteFile::load(referenceTo(scope.folder.file("none.SHI")), length, *fiveWords(scope.folder)));
}

TEST(SoundHiliteFile, DamagedFilesThatOnceEndedTheProgramAreRefusedWithoutAReport)
{
    // A stored minimum size of 0x7fffffff slots (93 bytes), raw values where markers belong,
    // and markers of a class that has no reader and of a menu: each ended the program. The
    // robustness runner opens these kept files too.
    ExtrasScope scope;
    for (const char* name : {"bag-minimum-size.shi", "direct-markers.shi", "marker-of-class-without-reader.shi",
                             "marker-of-menu-class.shi"}) {
        const std::string path = scope.folder.file(name);
        writeBytes(path, readBytes(std::string(K_SOURCE_DIR "/tests/speechextras/fixtures/damaged/soundhilite/") + name));
        KSoundHiliteMediaPtr media = new KSoundHiliteMedia;
        media->setText(KString("kept"));
        long length = 5;
        ReportCatcher catcher;
        EXPECT_FALSE(KSoundHiliteFile::load(referenceTo(path), length, *media)) << name;
        EXPECT_EQ(catcher.codes(), std::vector<int>{}) << name;
        EXPECT_EQ(std::to_string(length) + " " + describe(*media), "5 kept") << name;
    }
}

} // namespace
