// The framework's texts and their bytes in the running platform's character set.
#include "application/FrameworkTexts.h"
#include "foundation/KernelFunctions.h"
#include "tests/application/ApplicationTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string bytesOf(const KString& S) { return std::string(S.getText(), S.getLength()); }

TEST(FrameworkTexts, AreHeldInTheRunningPlatformsCharacterSet)
{
    ASSERT_EQ(FrameworkTexts::getLanguageCount(), 3);
    // The keys are what the framework and the programs look texts up by.
    std::string keys;
    for (long row = 0; row < FrameworkTexts::getKeyCount(); ++row)
        keys += bytesOf(FrameworkTexts::getKey(row)) + "|";
    EXPECT_EQ(keys, "OK|Cancel|E&xit\tAlt+F4|Help|Preferences...|");
    // Written in the Mac set, held in the running platform's.
    const KString french = FrameworkTexts::getLanguageName(0), preferences = FrameworkTexts::getText(4, 0);
    EXPECT_EQ(bytesOf(french), "Fran\xE7" "ais");
    EXPECT_EQ(bytesOf(preferences), "Pr\xE9" "f\xE9" "rences...");
    EXPECT_EQ(preferences.getCharacterSet(), kCharacterSetWindows);
    EXPECT_EQ(french.getCharacterSet(), kCharacterSetWindows);
    EXPECT_EQ(bytesOf(FrameworkTexts::getText(2, 0)), "Quitter\tAlt+F4");
    // Outside the table: nothing.
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
