// The kernel functions built on strings and bags: path separators, message boxes with
// string texts, display modes and font names.
#include "foundation/KBag.h"
#include "foundation/KGraphicSize.h"
#include "foundation/KStringBag.h"
#include "foundation/KernelFunctions.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

std::string text(const KString& S)
{
    return std::string(S.getText(), S.getLength());
}

TEST(KernelServices, PathSeparators)
{
    EXPECT_EQ(text(knsGetPathSeparator(0)), "/");
    EXPECT_EQ(text(knsGetPathSeparator(1)), ":");
    EXPECT_EQ(text(knsGetPathSeparator(2)), "\\");
    EXPECT_EQ(text(knsGetPathSeparator(3)), "/");
    EXPECT_EQ(text(knsGetPathSeparator(200)), "/");
}

TEST(KernelServices, MessageBoxesTakeStrings)
{
    ReportCatcher catcher;
    knsMessageBox(KString("Caption"), KString("Text"));
    catcher.answerBoxesWith(IDYES);
    EXPECT_EQ(knsQuestionBox(KString("Sure?"), KString("Really")), 2);
    catcher.answerBoxesWith(IDCANCEL);
    EXPECT_EQ(knsQuestionBox(KString("Sure?"), KString()), 3);
    ASSERT_EQ(catcher.boxes().size(), 3u);
    EXPECT_EQ(catcher.boxes()[0].caption, "Caption");
    EXPECT_EQ(catcher.boxes()[0].text, "Text");
    EXPECT_EQ(catcher.boxes()[0].flags, unsigned(MB_OK | MB_ICONASTERISK | MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST));
    EXPECT_EQ(catcher.boxes()[1].flags, unsigned(MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST));
    EXPECT_EQ(catcher.boxes()[2].text, "");
}

KBag modes(std::initializer_list<long> Triples)
{
    KBag bag;
    bag.setIsDirect(true);
    for (long value : Triples)
        bag.addDirectData(value);
    return bag;
}

TEST(KernelServices, ChoosingADisplayMode)
{
    const KBag listed = modes({640, 480, 32, 800, 600, 8, 1024, 768, 16});
    EXPECT_TRUE(knsFirstModeAtLeast(listed, 800, 600, 16) == KGraphicSize(1024, 768));
    EXPECT_TRUE(knsFirstModeAtLeast(listed, 640, 480, 8) == KGraphicSize(640, 480));
    EXPECT_TRUE(knsFirstModeAtLeast(listed, 1280, 1024, 8) == KGraphicSize(0, 0));
    EXPECT_TRUE(knsFirstModeAtLeast(modes({}), 1, 1, 1) == KGraphicSize(0, 0));
}

TEST(KernelServices, DisplayModesOfTheSystem)
{
    const KBag all = knsFindDisplayMode(0, 0, 0);
    EXPECT_TRUE(all.isDirect());
    ASSERT_EQ(all.getCount() % 3, 0);
    for (long i = 0; i < all.getCount(); i += 3) {
        EXPECT_GT(all.getDirectDataAt(i), 0);
        EXPECT_GT(all.getDirectDataAt(i + 1), 0);
    }
    // Every mode listed for a minimum meets it.
    const KBag large = knsFindDisplayMode(1024, 768, 16);
    for (long i = 0; i + 2 < large.getCount(); i += 3) {
        EXPECT_GE(large.getDirectDataAt(i), 1024);
        EXPECT_GE(large.getDirectDataAt(i + 1), 768);
        EXPECT_GE(large.getDirectDataAt(i + 2), 16);
    }
    const KGraphicSize chosen = knsChooseDisplayMode(1024, 768, 16);
    if (large.getCount() > 0)
        EXPECT_EQ(chosen.getWidth(), large.getDirectDataAt(0));
    else
        EXPECT_TRUE(chosen == KGraphicSize(0, 0));
}

TEST(KernelServices, FontNamesAreUniqueAndSorted)
{
    const KStringBag names = knsGetFontNames();
    for (long i = 1; i < names.getCount(); ++i)
        EXPECT_TRUE(names.getStringAt(i - 1) < names.getStringAt(i)) << text(names.getStringAt(i));
}

TEST(KernelServices, DestroyingANativeWindow)
{
    HWND window = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    knsDestroyNativeWindow(window);
    EXPECT_FALSE(IsWindow(window));
}

} // namespace
