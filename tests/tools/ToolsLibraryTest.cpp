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

// The records from the first tools class on, as "name<parent".
std::vector<std::string> toolsRecords()
{
    std::vector<std::string> names;
    bool inTools = false;
    for (const KClass* record = KClass::getFirst(); record; record = record->getNext()) {
        inTools = inTools || std::string(record->getName()) == "KScrollViewControl";
        if (inTools)
            names.push_back(std::string(record->getName()) + "<" + record->getParent()->getName());
    }
    return names;
}

const std::string kFrench = "Fran\xE7" "ais";

TEST(ToolsLibrary, RegistersItsClassesOnceEachAfterItsParent)
{
    const std::vector<std::string> expected = {
        "KScrollViewControl<KControl",
        "KView<KGraphicObject",
        "KColorMenuItem<KCustomMenuItem",
        "KColorMenu<KCustomMenu",
        "KBackgroundColorMenu<KColorMenu",
        "KImageMenu<KCustomMenu",
        "KEditMenu<KMenu",
        "KFontColorMenu<KColorMenu",
        "KFontFaceMenu<KMenu",
        "KFontStyleMenu<KMenu",
        "KTextAlignmentMenu<KMenu",
        "KColorButtonControl<KControl",
        "KDisclosureControl<KControl",
        "KStaticTextControl<KControl",
        "KWorkingControl<KControl",
        "KFormatEvent<KEvent",
        "KToolsLibrary<KThing",
    };
    EXPECT_EQ(toolsRecords(), expected);
    const long before = recordCount();
    KToolsLibrary::registerClasses();
    KToolsLibraryPtr library = new KToolsLibrary;
    EXPECT_EQ(recordCount(), before);
    EXPECT_EQ(&library->getClass(), KClass::findClass("KToolsLibrary"));
    EXPECT_EQ(KClass::findClass("KView")->getVersion(), 1);
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
