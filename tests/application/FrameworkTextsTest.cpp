// The framework's texts and their bytes in the running platform's character set.
#include "application/FrameworkTexts.h"
#include "foundation/KernelFunctions.h"
#include "tests/application/ApplicationTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string bytesOf(const KString& S) { return std::string(S.getText(), S.getLength()); }

TEST(FrameworkTexts, LanguagesKeysAndTexts)
{
    ASSERT_EQ(FrameworkTexts::getLanguageCount(), 3);
    EXPECT_EQ(bytesOf(FrameworkTexts::getLanguageName(0)), "Fran\xE7" "ais");
    EXPECT_EQ(bytesOf(FrameworkTexts::getLanguageName(1)), "Italiano");
    EXPECT_EQ(bytesOf(FrameworkTexts::getLanguageName(2)), "Deutsch");

    ASSERT_EQ(FrameworkTexts::getKeyCount(), 5);
    const char* const keys[] = {"OK", "Cancel", "E&xit\tAlt+F4", "Help", "Preferences..."};
    for (long row = 0; row < 5; ++row)
        EXPECT_EQ(bytesOf(FrameworkTexts::getKey(row)), keys[row]);
    EXPECT_EQ(bytesOf(FrameworkTexts::getText(1, 2)), "Abbrechen");
    EXPECT_EQ(bytesOf(FrameworkTexts::getText(2, 0)), "Quitter\tAlt+F4");
    EXPECT_EQ(bytesOf(FrameworkTexts::getText(3, 1)), "?");
    // Written in the Mac set, held in the running platform's.
    const KString preferences = FrameworkTexts::getText(4, 0);
    EXPECT_EQ(bytesOf(preferences), "Pr\xE9" "f\xE9" "rences...");
    EXPECT_EQ(preferences.getCharacterSet(), kCharacterSetWindows);
    EXPECT_EQ(FrameworkTexts::getLanguageName(0).getCharacterSet(), kCharacterSetWindows);
    EXPECT_TRUE(FrameworkTexts::getText(5, 0).isEmpty());
    EXPECT_TRUE(FrameworkTexts::getText(0, 3).isEmpty());
}

TEST(FrameworkTexts, BecomeTheApplicationsLocalizer)
{
    ApplicationScope application;
    EXPECT_FALSE(application->hasLocalizer());
    application->initLocalizedStrings();
    ASSERT_TRUE(application->hasLocalizer());
    KLocalizer& texts = application->getLocalizer();
    EXPECT_EQ(texts.getKeyCount(), 5);
    texts.setLanguage("Deutsch");
    EXPECT_EQ(bytesOf(texts.getText("Cancel")), "Abbrechen");
    texts.setLanguage(FrameworkTexts::getLanguageName(0));
    EXPECT_EQ(bytesOf(texts.getText("Preferences...")), "Pr\xE9" "f\xE9" "rences...");
    texts.setLanguage("English");
    EXPECT_EQ(bytesOf(texts.getText("Help")), "Help");
}

} // namespace
