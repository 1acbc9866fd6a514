// The tools library object: its classes registered once per registry, its texts in four
// languages, and the global object that exists only while the library is open.
#include "tools/KToolsLibrary.h"
#include "tests/support/ReportCatcher.h"
#include "tests/support/SuiteClasses.h"
#include "tests/tools/ToolsTestSupport.h"

#include <gtest/gtest.h>

K_REGISTER_SUITE_CLASSES(KToolsLibrary::registerClasses);

namespace {

long recordCount()
{
    long count = 0;
    for (const KClass* record = KClass::getFirst(); record; record = record->getNext())
        ++count;
    return count;
}

TEST(ToolsLibrary, RegistersItsClassesOnceEachAfterItsParent)
{
    const KClass* first = KClass::findClass("KScrollViewControl");
    ASSERT_NE(first, nullptr);
    std::vector<const KClass*> seen;
    for (const KClass* record = KClass::getFirst(); record != first; record = record->getNext())
        seen.push_back(record);
    const KClass* last = nullptr;
    long count = 0;
    for (const KClass* record = first; record; record = record->getNext(), ++count) {
        EXPECT_EQ(record->getVersion(), 1) << record->getName();
        EXPECT_NE(std::find(seen.begin(), seen.end(), record->getParent()), seen.end()) << record->getName();
        seen.push_back(record);
        last = record;
    }
    EXPECT_EQ(count, 59);
    EXPECT_STREQ(last->getName(), "KToolsLibrary");
    EXPECT_STREQ(KClass::findClass("KView")->getParent()->getName(), "KGraphicObject");

    const long before = recordCount();
    KToolsLibrary::registerClasses();
    KToolsLibraryPtr library = new KToolsLibrary;
    EXPECT_EQ(recordCount(), before);
}

TEST(ToolsLibrary, ServesItsTextsInFourLanguagesWhileOpen)
{
    KToolsLibrary::openToolsLibrary();
    KLocalizer& texts = KToolsLibrary::getToolsLibrary().getLocalizer();
    const std::string french = "Fran\xE7" "ais";
    const struct {
        std::string language, key, text;
    } cases[] = {
        {french, "Center", "Centr\xE9"}, // typed on the Mac
        {french, "Justified", "Justifi\xE9"}, // typed on Windows
        {"Italiano", "Ignore All", "Ignora Tutti"},
        // A key without a row reads as itself in every language.
        {"Deutsch", "Format", "Format"},
        {"English", "Text Color", "Text Color"},
    };
    for (const auto& c : cases) {
        texts.setLanguage(KString(c.language.c_str()));
        EXPECT_EQ(textOf(KToolsLibrary::getText(c.key.c_str())), c.text) << c.language << " " << c.key;
    }

    // Closing drops the object and empties its localizer; asking then is a fault.
    KLocalizerPtr kept = &texts;
    KToolsLibrary::closeToolsLibrary();
    EXPECT_EQ(kept->getKeyCount(), 0);
    EXPECT_EQ(kept->getLanguageCount(), 0);
    ReportCatcher catcher;
    EXPECT_TRUE(kIsNullReference(&KToolsLibrary::getToolsLibrary()));
    EXPECT_EQ(textOf(KToolsLibrary::getText("Left")), "Left");
    EXPECT_EQ(catcher.codes(), std::vector<int>({18, 18}));
    EXPECT_TRUE(catcher.caught(18, "KThing& KThingPtr::getObject() const"));
}

} // namespace
