#include "application/SplashWindowWin32.h"

#include "application/KApplication.h"
#include "application/SplashTextWin32.h"
#include "foundation/KString.h"
#include "foundation/KernelFunctions.h"
#include "foundation/OperatingSystemWin32.h"

namespace {
HWND s_splashWindow = nullptr;
// Made on first use and kept until the process ends: the window procedure reads its
// characters whenever it paints.
KString& splashText()
{
    static KString text;
    return text;
}

// The picture's place and size, from the window's creation to its destruction.
HBITMAP s_bitmap = nullptr;
int s_bitmapWidth = 0;
int s_bitmapHeight = 0;
// Fixed when the first splash window is made, kept for later ones.
bool s_textPlaced = false;
POINT s_textPosition{0, 0};

void loadPicture(HWND Window)
{
    s_bitmap = static_cast<HBITMAP>(LoadImageA(static_cast<HINSTANCE>(knsGetInstance()),
                                               MAKEINTRESOURCEA(kSplashBitmapResource), IMAGE_BITMAP, 0, 0, 0));
    BITMAP picture{};
    if (!s_bitmap || !GetObjectA(s_bitmap, sizeof picture, &picture)) {
        s_bitmapWidth = s_bitmapHeight = 0;
        return;
    }
    s_bitmapWidth = picture.bmWidth;
    s_bitmapHeight = picture.bmHeight;
    SetWindowPos(Window, HWND_TOPMOST, (GetSystemMetrics(SM_CXSCREEN) - s_bitmapWidth) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - s_bitmapHeight) / 2, s_bitmapWidth, s_bitmapHeight, 0);
    if (!s_textPlaced) {
        s_textPosition = {5, s_bitmapHeight - 20};
        s_textPlaced = true;
    }
}

void paint(HWND Window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Window, &paint);
    if (paint.fErase)
        FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (s_bitmap) {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ previous = SelectObject(memory, s_bitmap);
        BitBlt(dc, 0, 0, s_bitmapWidth, s_bitmapHeight, memory, 0, 0, SRCCOPY);
        SelectObject(memory, previous);
        DeleteDC(memory);
    }
    SetTextColor(dc, RGB(0, 0, 0));
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    const long length = getSplashTextLengthWin32();
    if (length != 0 && getSplashTextWin32())
        TextOutA(dc, s_textPosition.x, s_textPosition.y, getSplashTextWin32(), static_cast<int>(length));
    SetBkMode(dc, previousMode);
    EndPaint(Window, &paint);
}
} // namespace

LRESULT CALLBACK SplashWindowProcWin32(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam)
{
    switch (Message) {
    case WM_CREATE:
        loadPicture(Window);
        break;
    case WM_DESTROY:
        if (s_bitmap) {
            DeleteObject(s_bitmap);
            s_bitmap = nullptr;
        }
        break;
    case WM_PAINT:
        paint(Window);
        return 0;
    case WM_MOUSEACTIVATE:
        // A click neither activates the splash window nor reaches it.
        return MA_NOACTIVATEANDEAT;
    default:
        break;
    }
    return DefWindowProcA(Window, Message, WParam, LParam);
}

bool kksOpenSplash()
{
    if (s_splashWindow)
        return true;
    KApplication* application = KApplication::getApplication();
    const char* title = application ? application->getName().getText() : "";
    HWND window = CreateWindowExA(WS_EX_TOPMOST, "SplashWindowClass", title, WS_POPUP | WS_VISIBLE | WS_BORDER, 10,
                                  10, 100, 100, nullptr, nullptr, static_cast<HINSTANCE>(knsGetInstance()), nullptr);
    if (!window) {
        knsFatalError("kksOpenSplash", "Could Not Open Splash Window");
        return true;
    }
    ShowWindow(window, SW_SHOW);
    // Drawn now, before start-up goes on without pumping messages.
    MSG message;
    while (PeekMessageA(&message, window, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
    s_splashWindow = window;
    return true;
}

void kksCloseSplash()
{
    if (!s_splashWindow)
        return;
    DestroyWindow(s_splashWindow);
    s_splashWindow = nullptr;
}

void kksSetSplashText(const KString& Text)
{
    KString& text = splashText();
    text = Text;
    setSplashTextWin32(text.getText(), text.getLength());
    if (s_splashWindow)
        RedrawWindow(s_splashWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_UPDATENOW);
}

void* kksGetSplashWindow() { return s_splashWindow; }
