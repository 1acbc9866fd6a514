// The player's texts: the whole table as the localiser holds and writes it, and the
// lookups the player relies on in each language.
#include "player/LumoTextTable.h"

#include "foundation/KFile.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

const char* const kFrench = "Fran\xE7" "ais";
const char* const kPasteHelp = "Move And Resize The Object.\rPress <Enter> Or <Return> To Paste.\rPress <Escape> To "
                               "Cancel.\rYou Can Use The Navigation Buttons Or The Navigation Dialog To Search For "
                               "The Desired Paste Position.";

std::string bytesOf(const KString& S) { return std::string(S.getText(), S.getLength()); }

// A key that counts the entries its lookup passes on the way down the key tree.
class CountingKey : public KString {
public:
    explicit CountingKey(const KString& Text) : KString(Text) {}
    bool operator==(const KComparable& O) const override
    {
        ++passed;
        return KString::operator==(O);
    }
    mutable long passed = 0;
};

class LumoTextTableTest : public testing::Test {
protected:
    LumoTextTableTest()
    {
        localizer.setAutoAddKeys(true);
        LumoTextTable::fill(localizer);
    }

    std::string lookUp(const char* Language, const char* Key)
    {
        localizer.setLanguage(KString(Language));
        return bytesOf(localizer.getText(KString(Key)));
    }

    KLocalizer localizer;
};

TEST_F(LumoTextTableTest, HoldsEveryKeyOnceWithThreeTextsInABalancedTree)
{
    EXPECT_EQ(localizer.getKeyCount(), LumoTextTable::getKeyCount());
    EXPECT_EQ(localizer.findLanguage(KString(kFrench)), 0);
    EXPECT_EQ(localizer.findLanguage(KString("Deutsch")), 2);

    // The database the localiser writes lists its languages, then every entry with its
    // three texts.
    TemporaryFolder folder;
    KPath path;
    path.setPathText(KString(folder.file("texts.KLF").c_str()), 2);
    ASSERT_EQ(localizer.writeDatabase(KFileReference(path)), 0);
    KFile file(path);
    file.setMode(KFile::ReadAll);
    file.open();
    file.setPosition(8);
    long count = 0;
    ASSERT_EQ(file.readLong(count), 3);
    for (KString language; count > 0; --count)
        language.readFromFile(file);
    ASSERT_EQ(file.readLong(count), 340);
    localizer.setLanguage(KString("Deutsch"));
    long deepest = 0;
    for (long entry = 0; entry < count; ++entry) {
        KString key, texts[3];
        key.readFromFile(file);
        for (KString& text : texts) {
            text.readFromFile(file);
            EXPECT_GT(text.getLength(), 0) << bytesOf(key);
        }
        const CountingKey counting(key);
        EXPECT_EQ(bytesOf(localizer.getText(counting)), bytesOf(texts[2]));
        deepest = std::max(deepest, counting.passed);
    }
    EXPECT_EQ(file.getError(), 0);
    // 340 entries fit in nine levels, and no fewer.
    EXPECT_EQ(deepest, 9);
}

TEST_F(LumoTextTableTest, TranslatesInEachLanguageAndFallsBackToTheKey)
{
    const std::string cases[][3] = {
        {"English", "Open Project", "Open Project"},
        {"Deutsch", "This document's resolution (", "Aufl\xF6sung des Dokuments("},
        {kFrench, "Exit and Restart Program to Activate New Language",
         "Pour activer la nouvelle langue il est n\xE9" "cessaire de  quitter l'application et de la red\xE9marrer."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lookUp(c[0].c_str(), c[1].c_str()), c[2]) << c[0] << " " << c[1];
    for (const char* language : {kFrench, "Italiano", "Deutsch"}) {
        EXPECT_EQ(lookUp(language, "OK"), "OK");
        EXPECT_EQ(lookUp(language, " bits)"), " bits)");
        const std::string help = lookUp(language, kPasteHelp);
        EXPECT_EQ(std::count(help.begin(), help.end(), '\r'), 3) << language;
        EXPECT_NE(help, kPasteHelp);
    }
    // Without its carriage returns the long help text is another key.
    std::string flattened = kPasteHelp;
    std::replace(flattened.begin(), flattened.end(), '\r', ' ');
    EXPECT_EQ(lookUp("Deutsch", flattened.c_str()), flattened);

    // A missing key reads as itself and is added once, with itself as its text.
    const long count = localizer.getKeyCount();
    for (int twice = 0; twice < 2; ++twice)
        EXPECT_EQ(lookUp(kFrench, "Not In The Table"), "Not In The Table");
    EXPECT_EQ(localizer.getKeyCount(), count + 1);

    // A language the localiser does not hold keeps the one before.
    EXPECT_EQ(lookUp("Italiano", "Open Project"), "Apri Progetto");
    EXPECT_EQ(lookUp("Espa\xF1ol", "Open Project"), "Apri Progetto");
}

} // namespace
