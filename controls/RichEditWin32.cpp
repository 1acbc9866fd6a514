#include "controls/RichEditWin32.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include <windows.h>

#include <richedit.h>

static_assert(sizeof(CHARFORMATA) == 60, "the character format is the 60-byte record");
static_assert(sizeof(PARAFORMAT2) == 188, "the paragraph format is the 188-byte record");

namespace {
HWND hwnd(void* W) { return static_cast<HWND>(W); }

LRESULT send(void* W, UINT Message, WPARAM WParam = 0, LPARAM LParam = 0)
{
    return SendMessageA(hwnd(W), Message, WParam, LParam);
}

template <typename Record>
LPARAM recordParam(Record& R)
{
    return reinterpret_cast<LPARAM>(&R);
}

long textLength(void* W)
{
    GETTEXTLENGTHEX length{GTL_DEFAULT, CP_ACP};
    return static_cast<long>(std::max<LRESULT>(0, send(W, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0)));
}

// The window copies at most the buffer's size, its terminator included.
KString readText(void* W, DWORD Flags)
{
    std::vector<char> buffer(static_cast<size_t>(textLength(W)) + 1, '\0');
    GETTEXTEX request{};
    request.cb = static_cast<DWORD>(buffer.size());
    request.flags = Flags;
    request.codepage = CP_ACP;
    send(W, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&request), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.back() = '\0';
    return KString(buffer.data());
}

CHARFORMATA characterFormat(DWORD Mask)
{
    CHARFORMATA format{};
    format.cbSize = sizeof format;
    format.dwMask = Mask;
    return format;
}

// Paragraph formats reach only the selected paragraphs: the whole text is selected for
// the time of Work, with the window's drawing held back, and the user's selection put back.
template <typename Work>
void withWholeTextSelected(void* W, Work Do)
{
    CHARRANGE kept{};
    send(W, EM_EXGETSEL, 0, recordParam(kept));
    LockWindowUpdate(hwnd(W));
    CHARRANGE all{0, -1};
    send(W, EM_EXSETSEL, 0, recordParam(all));
    Do();
    send(W, EM_EXSETSEL, 0, recordParam(kept));
    LockWindowUpdate(nullptr);
}

constexpr WORD kAlignments[] = {PFA_LEFT, PFA_RIGHT, PFA_CENTER, PFA_JUSTIFY};
} // namespace

EditMessage classifyEditMessageWin32(const KNativeMessage& M, uint8& Character)
{
    switch (M.message) {
    case WM_SETFOCUS:
        return EditMessage::SetFocus;
    case WM_KILLFOCUS:
        return EditMessage::KillFocus;
    case WM_ERASEBKGND:
        return EditMessage::EraseBackground;
    case WM_PASTE:
        return EditMessage::Paste;
    case WM_CHAR:
        Character = static_cast<uint8>(M.wParam & 0xFF);
        return EditMessage::Character;
    default:
        return EditMessage::Other;
    }
}

void sendEditCommandWin32(void* Window, EditCommand Command)
{
    static const UINT messages[] = {WM_UNDO, EM_REDO, WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR};
    send(Window, messages[static_cast<uint8>(Command)]);
}

void setEditSelectionWin32(void* Window, long Start, long End)
{
    if (!Window)
        return;
    CHARRANGE range{Start, End};
    send(Window, EM_EXSETSEL, 0, recordParam(range));
}

void getEditSelectionWin32(void* Window, long& Start, long& End)
{
    if (!Window)
        return;
    CHARRANGE range{};
    send(Window, EM_EXGETSEL, 0, recordParam(range));
    Start = range.cpMin;
    End = range.cpMax;
}

void replaceEditSelectionWin32(void* Window, const KString& Text)
{
    send(Window, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Text.getText()));
}

KString getRichTextWin32(void* Window) { return readText(Window, GT_DEFAULT); }
KString getSelectedRichTextWin32(void* Window) { return readText(Window, GT_SELECTION); }

long getPlainTextLengthWin32(void* Window)
{
    return static_cast<long>(std::max<LRESULT>(0, send(Window, WM_GETTEXTLENGTH)));
}

KString getPlainTextWin32(void* Window)
{
    std::vector<char> buffer(static_cast<size_t>(getPlainTextLengthWin32(Window)) + 1, '\0');
    send(Window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.back() = '\0';
    return KString(buffer.data());
}

void setPlainTextModeWin32(void* Window)
{
    // The font the binding gave the window may stand in its undo list, which would keep
    // the mode from changing.
    send(Window, EM_EMPTYUNDOBUFFER);
    send(Window, EM_SETTEXTMODE, TM_PLAINTEXT | TM_SINGLELEVELUNDO);
}

void clearSideMarginsWin32(void* Window) { send(Window, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0); }

void keepSelectionShownWin32(void* Window) { send(Window, EM_HIDESELECTION, FALSE, 0); }

void setEditBackgroundWin32(void* Window, bool Transparent, uint32 NativeColor)
{
    const LONG_PTR exStyle = GetWindowLongPtrA(hwnd(Window), GWL_EXSTYLE);
    if (Transparent) {
        SetWindowLongPtrA(hwnd(Window), GWL_EXSTYLE, exStyle | WS_EX_TRANSPARENT);
        return;
    }
    SetWindowLongPtrA(hwnd(Window), GWL_EXSTYLE, exStyle & ~static_cast<LONG_PTR>(WS_EX_TRANSPARENT));
    send(Window, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(NativeColor));
}

EditCharacterFormat getEditCharacterFormatWin32(void* Window)
{
    CHARFORMATA format = characterFormat(0);
    if (send(Window, EM_GETCHARFORMAT, SCF_SELECTION, recordParam(format)) == 0)
        send(Window, EM_GETCHARFORMAT, SCF_DEFAULT, recordParam(format));
    format.szFaceName[LF_FACESIZE - 1] = '\0';
    EditCharacterFormat result;
    result.face = KString(format.szFaceName);
    result.twips = format.yHeight;
    result.style = ((format.dwEffects & CFE_BOLD) ? 0x1 : 0) | ((format.dwEffects & CFE_ITALIC) ? 0x2 : 0)
                   | ((format.dwEffects & CFE_UNDERLINE) ? 0x4 : 0);
    result.nativeColor = format.crTextColor;
    return result;
}

void setEditCharacterFormatWin32(void* Window, const EditCharacterFormat& Format, uint32 Parts)
{
    CHARFORMATA native = characterFormat(0);
    if (Parts & kEditFace) {
        native.dwMask |= CFM_FACE;
        std::strncpy(native.szFaceName, Format.face.getText(), LF_FACESIZE - 1);
    }
    if (Parts & kEditHeight) {
        native.dwMask |= CFM_SIZE;
        native.yHeight = Format.twips;
    }
    if (Parts & kEditStyle) {
        native.dwMask |= CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE;
        native.dwEffects = ((Format.style & 0x1) ? CFE_BOLD : 0) | ((Format.style & 0x2) ? CFE_ITALIC : 0)
                           | ((Format.style & 0x4) ? CFE_UNDERLINE : 0);
    }
    if (Parts & kEditColor) {
        // Effects without CFE_AUTOCOLOR: the colour given is the colour shown.
        native.dwMask |= CFM_COLOR;
        native.crTextColor = Format.nativeColor;
    }
    send(Window, EM_SETCHARFORMAT, SCF_SELECTION, recordParam(native));
}

void setEditAlignmentWin32(void* Window, uint8 Alignment)
{
    withWholeTextSelected(Window, [&] {
        PARAFORMAT2 format{};
        format.cbSize = sizeof format;
        format.dwMask = PFM_ALIGNMENT;
        format.wAlignment = Alignment < 4 ? kAlignments[Alignment] : PFA_LEFT;
        send(Window, EM_SETPARAFORMAT, 0, recordParam(format));
    });
}

uint8 getEditAlignmentWin32(void* Window)
{
    uint8 alignment = 0;
    withWholeTextSelected(Window, [&] {
        PARAFORMAT2 format{};
        format.cbSize = sizeof format;
        send(Window, EM_GETPARAFORMAT, 0, recordParam(format));
        for (uint8 i = 0; i < 4; ++i) {
            if (format.wAlignment == kAlignments[i])
                alignment = i;
        }
    });
    return alignment;
}
