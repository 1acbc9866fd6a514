// The localiser: the English-key fallback in every form, languages added late, and the
// exact bytes of the "K!LF" database.
#include "foundation/KLocalizer.h"
#include "foundation/KLocalizerString.h"
#include "tests/foundation/ContainerHelpers.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

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

TEST_F(KLocalizerTest, TranslatesInTheCurrentLanguageAndEveryMissYieldsTheKey)
{
    localizer.setLanguage("Deutsch");
    EXPECT_EQ(localizer.getLanguageIndex(), 1);
    EXPECT_EQ(lookUp("Open"), "Öffnen");
    EXPECT_EQ(text(localizer.getText("Open", 0)), "Ouvrir");
    // A key translated into French only, a key not in the tree, a key in another case,
    // languages outside the list.
    EXPECT_EQ(lookUp("Save"), "Save");
    EXPECT_EQ(lookUp("Quit"), "Quit");
    EXPECT_EQ(lookUp("open"), "open");
    EXPECT_EQ(text(localizer.getText("Open", 2)), "Open");
    EXPECT_EQ(text(localizer.getText("Open", -1)), "Open");

    // English is never stored; unknown names change nothing.
    EXPECT_EQ(localizer.findLanguage("English"), -1);
    EXPECT_EQ(localizer.findLanguage("deutsch"), -1);
    localizer.setLanguage("Italiano");
    EXPECT_EQ(text(localizer.getLanguage()), "Deutsch");
    localizer.setLanguage("English");
    EXPECT_EQ(localizer.getLanguageIndex(), -1);
    EXPECT_EQ(lookUp("Open"), "Open");
    EXPECT_EQ(localizer.getKeyCount(), 2);
}

TEST_F(KLocalizerTest, AutoAddAddsUnknownKeysOnlyInALanguage)
{
    localizer.setAutoAddKeys(true);
    // English never consults the tree, so nothing is added.
    EXPECT_EQ(lookUp("Quit"), "Quit");
    EXPECT_EQ(localizer.getKeyCount(), 2);

    localizer.setLanguage("Deutsch");
    EXPECT_EQ(lookUp("Quit"), "Quit");
    EXPECT_EQ(lookUp("Quit"), "Quit");
    EXPECT_EQ(localizer.getKeyCount(), 3);
    // The added key holds itself as its German text; a translator's text replaces it.
    localizer.setText("Quit", 1, "Beenden");
    EXPECT_EQ(lookUp("Quit"), "Beenden");

    localizer.setAutoAddKeys(false);
    EXPECT_EQ(lookUp("Help"), "Help");
    EXPECT_EQ(localizer.getKeyCount(), 3);
}

TEST_F(KLocalizerTest, LanguagesAndKeysAddedLate)
{
    // Adding a language twice, or English, keeps every translation.
    localizer.addLanguage("Français");
    localizer.addLanguage("English");
    EXPECT_EQ(localizer.getLanguageCount(), 2);
    // -1 only adds the key; an index beyond the languages waits on the key for later.
    localizer.setText("Close", -1, "ignored");
    localizer.setText("Close", 2, "Chiudi");
    EXPECT_EQ(localizer.getKeyCount(), 3);
    EXPECT_EQ(text(localizer.getText("Close", 0)), "Close");

    // A language added late reads as the keys until translated.
    localizer.addLanguage("Italiano");
    localizer.setLanguage("Italiano");
    EXPECT_EQ(lookUp("Open"), "Open");
    EXPECT_EQ(lookUp("Close"), "Close");
    localizer.setText("Open", 2, "Apri");
    EXPECT_EQ(lookUp("Open"), "Apri");
    EXPECT_EQ(text(localizer.getText("Open", 1)), "Öffnen");
    EXPECT_EQ(text(localizer.getText("Save", 0)), "Enregistrer");

    // Clearing removes keys and languages but not the current language.
    localizer.clear();
    EXPECT_EQ(localizer.getKeyCount() + localizer.getLanguageCount(), 0);
    EXPECT_EQ(text(localizer.getLanguage()), "Italiano");
    EXPECT_EQ(lookUp("Open"), "Open");
}

TEST(KLocalizerString, GivesTheKeyWhereALanguageHasNoText)
{
    KLocalizerString key(KString("Yes"));
    key.resetTranslations(3);
    key.setTranslation("Oui", 0);
    key.setTranslation("Sì", 4);
    EXPECT_EQ(key.getTranslationCount(), 5);
    std::string all;
    for (long i = -1; i <= 5; ++i)
        all += text(key.getTranslation(i)) + ",";
    EXPECT_EQ(all, "Yes,Oui,Yes,Yes,Yes,Sì,Yes,");
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

    TemporaryFolder folder;
    std::string path = folder.file("LM_LOCALIZER_DATABASE.KLF");
};

TEST_F(LocalizerDatabase, KeysGoInOrderWithOneTextPerLanguage)
{
    KLocalizer empty;
    EXPECT_EQ(written(empty), ByteList().raw({'K', '!', 'L', 'F'}).longs({1, 0, 0}).bytes());

    // An existing longer file is replaced, not overwritten in place.
    writeBytes(path, Bytes(4096, 0xAA));
    KLocalizer localizer;
    localizer.addLanguage("Deutsch");
    localizer.addLanguage("Italiano");
    localizer.setText("Yes", 0, "Ja");
    localizer.setText("No", 1, "No");
    localizer.setText("Cancel", 0, "Abbrechen");
    localizer.setText("Cancel", 1, "Annulla");
    ByteList expected;
    expected.raw({'K', '!', 'L', 'F'}).longs({1, 2});
    for (const char* language : {"Deutsch", "Italiano"})
        expected.append(writtenStringBlock(language));
    expected.longs({3});
    for (const char* entry : {"Cancel", "Abbrechen", "Annulla", "No", "No", "No", "Yes", "Ja", "Yes"})
        expected.append(writtenStringBlock(entry));
    EXPECT_EQ(written(localizer), expected.bytes());

    const KFileReference missing(windowsPath(folder.file("no such folder\\db.KLF")));
    EXPECT_NE(localizer.writeDatabase(missing), 0);
}

} // namespace
