#pragma once
// The native side of the two edit controls: their RichEdit 2.0 windows ("RichEdit20A",
// whose library the kernel loads at start), the selection, the edit commands, character
// and paragraph formats, and the few messages the controls look at.
#include "application/KNativeMessage.h"
#include "foundation/KString.h"
#include "foundation/KTypes.h"

constexpr const char* kRichEditClass = "RichEdit20A";
// ES_MULTILINE | ES_AUTOVSCROLL: the multi-line field.
constexpr unsigned long kRichEditFieldStyle = 0x44;
// WS_BORDER | ES_AUTOHSCROLL: the single-line text.
constexpr unsigned long kRichEditLineStyle = 0x800080;
constexpr unsigned long kBorderStyle = 0x800000;          // WS_BORDER
constexpr unsigned long kHorizontalScrollStyle = 0x100000; // WS_HSCROLL
constexpr unsigned long kVerticalScrollStyle = 0x200000;   // WS_VSCROLL

// The messages of an edit control's window that the controls treat apart.
enum class EditMessage : uint8 {
    Other,
    SetFocus,
    KillFocus,
    EraseBackground,
    Paste,
    // A typed character (WM_CHAR); the character comes with it.
    Character,
};
EditMessage classifyEditMessageWin32(const KNativeMessage& M, uint8& Character);

enum class EditCommand : uint8 { Undo, Redo, Cut, Copy, Paste, Clear };
void sendEditCommandWin32(void* Window, EditCommand Command);

// -1 as the start clears the selection; (0, -1) selects everything. Without a window
// (null) nothing is set, and nothing read: Start and End stay as they were.
void setEditSelectionWin32(void* Window, long Start, long End);
void getEditSelectionWin32(void* Window, long& Start, long& End);
// Puts Text in place of the selection, as one step the user can undo.
void replaceEditSelectionWin32(void* Window, const KString& Text);

// The whole text (paragraphs end in CR), or the selected part; read with the length the
// window gives, so a longer answer is cut rather than overrunning.
KString getRichTextWin32(void* Window);
KString getSelectedRichTextWin32(void* Window);
// The window text through WM_GETTEXT, and its length.
KString getPlainTextWin32(void* Window);
long getPlainTextLengthWin32(void* Window);

// Plain text with a single level of undo; only an empty window takes it.
void setPlainTextModeWin32(void* Window);
void clearSideMarginsWin32(void* Window);
// Shows the selection even while the window lacks the focus.
void keepSelectionShownWin32(void* Window);
// A transparent window lets its parent show through; an opaque one gets the colour.
void setEditBackgroundWin32(void* Window, bool Transparent, uint32 NativeColor);

// Character formats of the selection. Style bits: 0x1 bold, 0x2 italic, 0x4 underline.
struct EditCharacterFormat {
    // Names longer than the 31 characters the native format holds are cut.
    KString face;
    long twips = 0;
    uint32 style = 0;
    uint32 nativeColor = 0;
};
// Which parts of a format are set.
enum EditFormatPart : uint32 {
    kEditFace = 0x1,
    kEditHeight = 0x2,
    kEditStyle = 0x4,
    kEditColor = 0x8,
};
// The selection's format, else the default format when the window gives none.
EditCharacterFormat getEditCharacterFormatWin32(void* Window);
void setEditCharacterFormatWin32(void* Window, const EditCharacterFormat& Format, uint32 Parts);

// The alignment of every paragraph (0 left, 1 right, 2 centre, 3 justified); the user's
// selection is kept and the window not redrawn in between.
void setEditAlignmentWin32(void* Window, uint8 Alignment);
uint8 getEditAlignmentWin32(void* Window);
