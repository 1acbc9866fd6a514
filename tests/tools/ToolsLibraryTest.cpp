// The tools library object: its classes registered once per registry, its texts in four
// languages, and the global object that exists only while the library is open.
#include "tools/KToolsLibrary.h"
#include "tests/support/ReportCatcher.h"
#include "tests/support/SuiteClasses.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

K_REGISTER_SUITE_CLASSES(KToolsLibrary::registerClasses);

namespace {

std::string bytesOf(const KString& S) { return std::string(S.getText(), S.getLength()); }

long recordCount()
{
    long count = 0;
    for (const KClass* record = KClass::getFirst(); record; record = record->getNext())
        ++count;
    return count;
}

// The records from the first tools class on.
std::vector<const KClass*> toolsRecords()
{
    std::vector<const KClass*> records;
    for (const KClass* record = KClass::findClass("KScrollViewControl"); record; record = record->getNext())
        records.push_back(record);
    return records;
}

bool registeredBefore(const KClass* Parent, const KClass* Record)
{
    for (const KClass* r = KClass::getFirst(); r && r != Record; r = r->getNext()) {
        if (r == Parent)
            return true;
    }
    return false;
}

const std::string kFrench = "Fran\xE7" "ais";

TEST(ToolsLibrary, RegistersItsClassesOnceEachAfterItsParent)
{
    const std::vector<const KClass*> records = toolsRecords();
    ASSERT_GE(records.size(), 5u);
    EXPECT_STREQ(records.front()->getName(), "KScrollViewControl");
    EXPECT_STREQ(records.back()->getName(), "KToolsLibrary");
    for (const KClass* record : records) {
        EXPECT_EQ(record->getVersion(), 1) << record->getName();
        EXPECT_TRUE(registeredBefore(record->getParent(), record)) << record->getName();
    }
    EXPECT_STREQ(KClass::findClass("KView")->getParent()->getName(), "KGraphicObject");
    EXPECT_STREQ(KClass::findClass("KFindMissingFileDialog")->getParent()->getName(), "KDialog");

    const long before = recordCount();
    KToolsLibrary::registerClasses();
    KToolsLibraryPtr library = new KToolsLibrary;
    EXPECT_EQ(recordCount(), before);
    EXPECT_EQ(&library->getClass(), KClass::findClass("KToolsLibrary"));
}

TEST(ToolsLibrary, ServesItsTextsInFourLanguagesWhileOpen)
{
    KToolsLibrary::openToolsLibrary();
    ASSERT_TRUE(KToolsLibrary::isOpen());
    KLocalizer& texts = KToolsLibrary::getToolsLibrary().getLocalizer();
    EXPECT_EQ(texts.getLanguageCount(), 3);

    struct Case {
        std::string language, key, text;
    };
    const Case cases[] = {
        {kFrench, "Center", "Centr\xE9"},          // typed on the Mac
        {kFrench, "Underline", "Soulign\xE9"},
        {kFrench, "Justified", "Justifi\xE9"},      // typed on Windows
        {kFrench, "Background Color", "Couleur Fond"},
        {"Italiano", "Custom Font Size", "Altra Dimensione Font"},
        {"Italiano", "Text Format...", "Formato del Testo..."},
        {"Deutsch", "Size", "Gr\xF6sse"},
        {"Deutsch", "Custom Size:", "Andere Gr\xF6sse:"},
        {"Deutsch", "Plain", "Standard"},
        // A key without a row reads as itself in every language.
        {"Deutsch", "Format", "Format"},
        {kFrench, "Format", "Format"},
        {"English", "Text Color", "Text Color"},
        {"English", "Other...", "Other..."},
    };
    for (const Case& c : cases) {
        texts.setLanguage(KString(c.language.c_str()));
        EXPECT_EQ(bytesOf(texts.getText(KString(c.key.c_str()))), c.text) << c.language << " " << c.key;
    }
    texts.setLanguage("Italiano");
    EXPECT_EQ(bytesOf(KToolsLibrary::getText("Bold")), "Grassetto");
    // The find-missing-file dialog's rows are in the same localizer.
    EXPECT_EQ(bytesOf(KToolsLibrary::getText("Ignore All")), "Ignora Tutti");
    texts.setLanguage(KString(kFrench.c_str()));
    EXPECT_EQ(bytesOf(KToolsLibrary::getText("No File Found!")), "Aucun Fichier trouv\xE9!");

    // Closing drops the object and empties its localizer.
    KLocalizerPtr kept = &texts;
    KToolsLibrary::closeToolsLibrary();
    EXPECT_FALSE(KToolsLibrary::isOpen());
    EXPECT_EQ(kept->getKeyCount(), 0);
    EXPECT_EQ(kept->getLanguageCount(), 0);
}

TEST(ToolsLibrary, ReportsAnEmptyLibraryPointer)
{
    ReportCatcher catcher;
    KToolsLibrary& library = KToolsLibrary::getToolsLibrary();
    EXPECT_TRUE(kIsNullReference(&library));
    EXPECT_EQ(bytesOf(KToolsLibrary::getText("Left")), "Left");
    EXPECT_EQ(catcher.codes(), std::vector<int>({18, 18}));
    EXPECT_TRUE(catcher.caught(18, "KThing& KThingPtr::getObject() const"));
}

} // namespace
