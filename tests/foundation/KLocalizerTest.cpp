// The localiser: the English-key fallback in every form, languages added late, and the
// exact bytes of the "K!LF" database.
#include "foundation/KLocalizer.h"
#include "foundation/KLocalizerString.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string text(const KString& S) { return std::string(S.getText(), S.getLength()); }

// A localiser with French and German, the key "Open" translated into both and "Save"
// into French only.
class KLocalizerTest : public testing::Test {
protected:
    KLocalizerTest()
    {
        localizer.addLanguage("Français");
        localizer.addLanguage("Deutsch");
        localizer.setText("Open", 0, "Ouvrir");
        localizer.setText("Open", 1, "Öffnen");
        localizer.setText("Save", 0, "Enregistrer");
        localizer.finish();
    }

    std::string lookUp(const char* Key) { return text(localizer.getText(KString(Key))); }

    KLocalizer localizer;
};

TEST_F(KLocalizerTest, TranslatesInTheCurrentLanguage)
{
    EXPECT_EQ(localizer.findLanguage("Français"), 0);
    EXPECT_EQ(localizer.findLanguage("Deutsch"), 1);
    localizer.setLanguage("Deutsch");
    EXPECT_EQ(text(localizer.getLanguage()), "Deutsch");
    EXPECT_EQ(localizer.getLanguageIndex(), 1);
    EXPECT_EQ(lookUp("Open"), "Öffnen");
    EXPECT_EQ(text(localizer.getText("Open", 0)), "Ouvrir");
}

TEST_F(KLocalizerTest, EveryMissYieldsTheKey)
{
    // A key translated into French only, asked in German.
    localizer.setLanguage("Deutsch");
    EXPECT_EQ(lookUp("Save"), "Save");
    // A key not in the tree.
    EXPECT_EQ(lookUp("Quit"), "Quit");
    // Languages outside the list, and English.
    EXPECT_EQ(text(localizer.getText("Open", 2)), "Open");
    EXPECT_EQ(text(localizer.getText("Open", -1)), "Open");
    // Keys are exact and case-sensitive.
    EXPECT_EQ(lookUp("open"), "open");
    EXPECT_EQ(localizer.getKeyCount(), 2);
}

TEST_F(KLocalizerTest, EnglishIsNeverStoredAndUnknownNamesChangeNothing)
{
    EXPECT_EQ(localizer.findLanguage("English"), -1);
    EXPECT_EQ(localizer.findLanguage("Italiano"), -1);
    EXPECT_EQ(localizer.findLanguage("deutsch"), -1);

    localizer.setLanguage("Français");
    localizer.setLanguage("Italiano");
    EXPECT_EQ(text(localizer.getLanguage()), "Français");
    EXPECT_EQ(localizer.getLanguageIndex(), 0);

    localizer.setLanguage("English");
    EXPECT_EQ(localizer.getLanguageIndex(), -1);
    EXPECT_EQ(lookUp("Open"), "Open");
}

TEST_F(KLocalizerTest, AutoAddAddsUnknownKeysOnlyInALanguage)
{
    localizer.setAutoAddKeys(true);
    // English never consults the tree, so nothing is added.
    EXPECT_EQ(lookUp("Quit"), "Quit");
    EXPECT_EQ(localizer.getKeyCount(), 2);

    localizer.setLanguage("Deutsch");
    EXPECT_EQ(lookUp("Quit"), "Quit");
    EXPECT_EQ(localizer.getKeyCount(), 3);
    EXPECT_EQ(lookUp("Quit"), "Quit");
    EXPECT_EQ(localizer.getKeyCount(), 3);
    // The added key holds itself as its German text; a translator's text replaces it.
    localizer.setText("Quit", 1, "Beenden");
    EXPECT_EQ(lookUp("Quit"), "Beenden");

    localizer.setAutoAddKeys(false);
    EXPECT_EQ(lookUp("Help"), "Help");
    EXPECT_EQ(localizer.getKeyCount(), 3);
}

TEST_F(KLocalizerTest, ALanguageAddedLateReadsAsTheKeysUntilTranslated)
{
    localizer.addLanguage("Italiano");
    EXPECT_EQ(localizer.findLanguage("Italiano"), 2);
    localizer.setLanguage("Italiano");
    EXPECT_EQ(lookUp("Open"), "Open");
    EXPECT_EQ(lookUp("Save"), "Save");
    localizer.setText("Open", 2, "Apri");
    EXPECT_EQ(lookUp("Open"), "Apri");
    // The other languages keep their texts.
    EXPECT_EQ(text(localizer.getText("Open", 0)), "Ouvrir");
    EXPECT_EQ(text(localizer.getText("Open", 1)), "Öffnen");
}

TEST_F(KLocalizerTest, AddingALanguageTwiceOrEnglishKeepsEveryTranslation)
{
    localizer.addLanguage("Français");
    localizer.addLanguage("English");
    EXPECT_EQ(localizer.getLanguageCount(), 2);
    EXPECT_EQ(text(localizer.getText("Open", 0)), "Ouvrir");
    EXPECT_EQ(text(localizer.getText("Save", 0)), "Enregistrer");
}

TEST_F(KLocalizerTest, SetTextAddsKeysAndGrowsTheirTranslations)
{
    // -1 only adds the key.
    localizer.setText("Close", -1, "ignored");
    EXPECT_EQ(localizer.getKeyCount(), 3);
    EXPECT_EQ(text(localizer.getText("Close", 0)), "Close");
    // An index beyond the languages is kept on the key, ready for a language added later.
    localizer.setText("Close", 2, "Chiudi");
    localizer.addLanguage("Italiano");
    EXPECT_EQ(text(localizer.getText("Close", 2)), "Close");
    localizer.setText("Close", 2, "Chiudi");
    EXPECT_EQ(text(localizer.getText("Close", 2)), "Chiudi");
}

TEST_F(KLocalizerTest, ClearRemovesKeysAndLanguagesButNotTheCurrentLanguage)
{
    localizer.setLanguage("Deutsch");
    localizer.clear();
    EXPECT_EQ(localizer.getKeyCount(), 0);
    EXPECT_EQ(localizer.getLanguageCount(), 0);
    EXPECT_EQ(text(localizer.getLanguage()), "Deutsch");
    EXPECT_EQ(lookUp("Open"), "Open");
}

TEST(KLocalizerString, GivesTheKeyWhereALanguageHasNoText)
{
    KLocalizerString key(KString("Yes"));
    key.resetTranslations(3);
    key.setTranslation("Oui", 0);
    key.setTranslation("Sì", 4);
    EXPECT_EQ(key.getTranslationCount(), 5);
    EXPECT_EQ(text(key.getTranslation(0)), "Oui");
    EXPECT_EQ(text(key.getTranslation(1)), "Yes");
    EXPECT_EQ(text(key.getTranslation(4)), "Sì");
    EXPECT_EQ(text(key.getTranslation(5)), "Yes");
    EXPECT_EQ(text(key.getTranslation(-1)), "Yes");
    // The translations take no part in comparison.
    EXPECT_TRUE(key == static_cast<const KComparable&>(KString("Yes")));
    key.resetTranslations(1);
    EXPECT_EQ(key.getTranslationCount(), 1);
    EXPECT_EQ(text(key.getTranslation(0)), "Yes");
}

class LocalizerDatabase : public testing::Test {
protected:
    Bytes written(const KLocalizer& Localizer)
    {
        EXPECT_EQ(Localizer.writeDatabase(KFileReference(windowsPath(path))), 0);
        return readBytes(path);
    }

    // A string as its class block: the class ID of "KString", version 1, one section
    // holding the character set (1, Windows), the length and the text with its NUL.
    static Bytes stringBlock(const std::string& Text)
    {
        const long id = KClass::findClass("KString")->getClassID();
        const long length = static_cast<long>(Text.size());
        const long sectionLength = 14 + (length > 0 ? length + 1 : 0);
        ByteList block;
        block.longs({id, 1, sectionLength, 1, 1, sectionLength}).shorts({1}).longs({length});
        if (length > 0)
            block.text(Text).raw({0});
        return block;
    }

    TemporaryFolder folder;
    std::string path = folder.file("LM_LOCALIZER_DATABASE.KLF");
};

TEST_F(LocalizerDatabase, AnEmptyLocalizerIsSixteenBytes)
{
    KLocalizer empty;
    EXPECT_EQ(written(empty), ByteList().raw({'K', '!', 'L', 'F'}).longs({1, 0, 0}).bytes());
}

TEST_F(LocalizerDatabase, KeysGoInOrderWithOneTextPerLanguage)
{
    // An existing longer file is replaced, not overwritten in place.
    writeBytes(path, Bytes(4096, 0xAA));
    KLocalizer localizer;
    localizer.addLanguage("Deutsch");
    localizer.addLanguage("Italiano");
    localizer.setText("Yes", 0, "Ja");
    localizer.setText("No", 1, "No");
    localizer.setText("Cancel", 0, "Abbrechen");
    localizer.setText("Cancel", 1, "Annulla");
    const Bytes expected = ByteList()
                               .raw({'K', '!', 'L', 'F'})
                               .longs({1, 2})
                               .append(stringBlock("Deutsch"))
                               .append(stringBlock("Italiano"))
                               .longs({3})
                               .append(stringBlock("Cancel"))
                               .append(stringBlock("Abbrechen"))
                               .append(stringBlock("Annulla"))
                               .append(stringBlock("No"))
                               .append(stringBlock("No"))
                               .append(stringBlock("No"))
                               .append(stringBlock("Yes"))
                               .append(stringBlock("Ja"))
                               .append(stringBlock("Yes"));
    EXPECT_EQ(written(localizer), expected);
}

TEST_F(LocalizerDatabase, AFolderThatCannotBeWrittenGivesTheFileError)
{
    KLocalizer localizer;
    const KFileReference missing(windowsPath(folder.file("no such folder\\db.KLF")));
    EXPECT_NE(localizer.writeDatabase(missing), 0);
}

} // namespace
