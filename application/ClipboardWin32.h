#pragma once
// The native side of the clipboard manager: the viewer chain, plain text out, and the
// three formats read back in.
#include "foundation/KString.h"
#include "foundation/KThingPtr.h"

void registerPrivateClipboardFormatWin32(const char* Name);
// Joins the viewer chain with W; answers the viewer that followed, or null.
void* joinClipboardViewerChainWin32(void* W);
void leaveClipboardViewerChainWin32(void* W, void* Next);
// Hands a viewer-chain message on to the next viewer.
void passClipboardMessageWin32(void* Next, uint32 Message, uint32 WParam, int32 LParam);

// Empties the clipboard and puts Length bytes of text and a NUL on it as plain text; does
// nothing when the clipboard cannot be opened or the memory cannot be had.
void putClipboardTextWin32(void* Owner, const char* Text, long Length);
// The first of bitmap, OEM text and device-independent bitmap that the clipboard lists,
// as a new KImage or KString (converted to the Windows character set); null when none
// is listed, when it cannot be read, or when the clipboard cannot be opened.
KThingPtr readClipboardWin32();
// The clipboard's plain text (CF_TEXT, which the platform also makes of the other text
// formats) up to its NUL or the end of its block; empty when there is none.
KString readClipboardTextWin32();
