// The clipboard manager: text out with CR LF line ends, and bitmaps, OEM text and
// device-independent bitmaps back in, the first the clipboard lists winning; a DIB is read
// only as far as its block really goes.
#include "application/ClipboardWin32.h"
#include "application/KClipboardManager.h"
#include "application/NativeMessageTranslationWin32.h"
#include "graphics/KImage.h"
#include "tests/application/InteractionTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

namespace {

using Bytes = std::vector<uint8>;

// A packed DIB: a header of HeaderSize bytes (40 or more) for a 24-bit bottom-up image of
// one colour that gives no image size.
Bytes dib(uint32 HeaderSize, long Width, long Height, COLORREF Color)
{
    BITMAPINFOHEADER header{uint32(sizeof(BITMAPINFOHEADER)), Width, Height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    header.biSize = HeaderSize;
    Bytes block(HeaderSize, 0);
    std::memcpy(block.data(), &header, sizeof header);
    const uint8 pixel[3] = {GetBValue(Color), GetGValue(Color), GetRValue(Color)};
    Bytes line(size_t(Width * 3 + 3) / 4 * 4, 0);
    for (long x = 0; x < Width; ++x)
        std::memcpy(&line[size_t(x) * 3], pixel, 3);
    for (long row = 0; row < Height; ++row)
        block.insert(block.end(), line.begin(), line.end());
    return block;
}

class Clipboard : public ::testing::Test {
protected:
    // The manager joins the viewer chain with the main window, which must come first.
    bool start()
    {
        scope->createMainWindow(*KWindow::getClassRecord());
        KClipboardManager::initManager();
        return true;
    }
    ~Clipboard() override
    {
        KClipboardManager::exitManager();
        scope->closeMainWindow();
    }

    // Empties the clipboard and puts the blocks on it in order; a null block is a bitmap
    // of 3 × 2 pixels.
    void put(const std::vector<std::pair<UINT, Bytes>>& Formats)
    {
        ASSERT_TRUE(OpenClipboard(static_cast<HWND>(scope->getMainWindow().getNativeWindow())));
        EmptyClipboard();
        for (const auto& format : Formats) {
            if (format.first == CF_BITMAP) {
                HDC screen = GetDC(nullptr);
                SetClipboardData(CF_BITMAP, CreateCompatibleBitmap(screen, 3, 2));
                ReleaseDC(nullptr, screen);
                continue;
            }
            HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, format.second.size());
            std::memcpy(GlobalLock(memory), format.second.data(), format.second.size());
            GlobalUnlock(memory);
            SetClipboardData(format.first, memory);
        }
        CloseClipboard();
    }

    // The plain text on the clipboard, its block read whole.
    static std::string clipboardText()
    {
        EXPECT_TRUE(OpenClipboard(nullptr));
        HANDLE data = GetClipboardData(CF_TEXT);
        const std::string text(static_cast<const char*>(GlobalLock(data)), GlobalSize(data));
        GlobalUnlock(data);
        CloseClipboard();
        return text;
    }

    // What the manager holds after reading the clipboard: a text, an image's size and the
    // colour of its first pixel, or "same" when the held object was kept.
    std::string readBack()
    {
        KStringPtr before = new KString("before");
        manager.setObject(*before);
        manager.getObject();
        KThing& held = manager.getHeldObject();
        if (&held == before.get())
            return "same";
        if (auto* text = dynamic_cast<KString*>(&held))
            return text->getText();
        auto& image = dynamic_cast<KImage&>(held);
        const COLORREF pixel = image.getGraphicDevice().getPixel(0, 0).getNativeColor();
        return std::to_string(image.getSize().getWidth()) + "x" + std::to_string(image.getSize().getHeight()) + " "
               + std::to_string(GetRValue(pixel)) + "," + std::to_string(GetGValue(pixel)) + ","
               + std::to_string(GetBValue(pixel));
    }

    ApplicationScope<LoggingApplication> scope;
    bool started = start();
    KClipboardManager& manager = KClipboardManager::getManager();
};

TEST_F(Clipboard, TextGoesOutWithCRLFThroughoutAndATerminatingNul)
{
    const std::pair<const char*, const char*> cases[] = {
        {"a\nb\rc\r\nd", "a\r\nb\r\nc\r\nd"}, {"x\n\ry\n", "x\r\ny\r\n"}, {"", ""}};
    for (const auto& c : cases) {
        KStringPtr text = new KString(c.first);
        manager.setObject(*text);
        manager.putObject();
        EXPECT_EQ(clipboardText(), std::string(c.second, std::strlen(c.second) + 1)) << c.first;
    }
    KImagePtr image = new KImage;
    image->create(2, 2);
    manager.setObject(*image);
    manager.putObject();
    EXPECT_EQ(clipboardText(), std::string(1, '\0'));
}

TEST_F(Clipboard, TheFirstOfBitmapOemTextAndDibThatTheClipboardListsComesIn)
{
    const Bytes text = {'c', 'a', 'f', 0xE9, 0};
    put({{CF_TEXT, text}});
    EXPECT_EQ(readBack(), "caf\xE9");
    put({{CF_BITMAP, {}}});
    EXPECT_EQ(readBack(), "3x2 0,0,0");
    put({{CF_DIB, dib(40, 2, 3, RGB(255, 0, 0))}});
    EXPECT_EQ(readBack(), "2x3 255,0,0");
    put({{CF_DIB, dib(40, 1, 1, RGB(0, 255, 0))}, {CF_TEXT, text}});
    EXPECT_EQ(readBack(), "1x1 0,255,0");
    // OEM text: é is 0x82 in the OEM character set.
    put({{CF_OEMTEXT, {'c', 'a', 'f', 0x82, 0}}, {CF_DIB, dib(40, 1, 1, RGB(0, 255, 0))}});
    EXPECT_EQ(readBack(), "caf\xE9");
    put({{RegisterClipboardFormatA("KEnvironObject"), {1, 2, 3}}});
    EXPECT_EQ(readBack(), "same");
}

TEST_F(Clipboard, ADibIsReadFromItsOwnHeaderSizeAndNeverPastItsBlock)
{
    // A larger header moves the pixels; no image size is given.
    put({{CF_DIB, dib(124, 2, 2, RGB(0, 0, 255))}});
    EXPECT_EQ(readBack(), "2x2 0,0,255");
    Bytes cut = dib(40, 100, 100, RGB(0, 0, 255));
    cut.resize(200);
    for (const Bytes& broken : {cut, Bytes{12, 0, 0}}) {
        put({{CF_DIB, broken}});
        EXPECT_EQ(readBack(), "same");
    }
}

TEST_F(Clipboard, AChangeReachesTheApplicationWhileAnObjectIsHeld)
{
    put({{RegisterClipboardFormatA("KEnvironObject"), {1}}});
    manager.clearObject();
    interactionLog().clear();
    KApplicationEventPtr changed = new KApplicationEvent;
    changed->setType(KApplicationEvent::ClipboardChanged);
    KEvent::send(*changed);
    EXPECT_TRUE(interactionLog().empty());
    KStringPtr held = new KString("held");
    manager.setObject(*held);
    KEvent::send(*changed);
    EXPECT_EQ(interactionLog(), (Log{"application clipboard"}));
    // The manager follows the viewer chain as the platform reports its changes.
    auto* const next = reinterpret_cast<void*>(0x1234);
    manager.setNextViewer(next);
    KNativeMessage change{nullptr, WM_CHANGECBCHAIN, 0x9999, 0x5678, 0, 0, 0};
    EXPECT_EQ(dispatchNativeMessageWin32(change), nullptr);
    EXPECT_EQ(manager.getNextViewer(), next);
    change.wParam = 0x1234;
    dispatchNativeMessageWin32(change);
    EXPECT_EQ(manager.getNextViewer(), reinterpret_cast<void*>(0x5678));
    manager.setNextViewer(nullptr);
}

} // namespace
