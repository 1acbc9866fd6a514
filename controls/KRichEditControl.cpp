#include "controls/KRichEditControl.h"

#include "controls/RichEditWin32.h"

KRichEditControl::KRichEditControl() { setStateFlags(AcceptsFocusFlag); }
KRichEditControl::~KRichEditControl() = default;

void KRichEditControl::setInsertionPoint(long Position) { setSelection(Position, Position); }
void KRichEditControl::setSelection(long Start, long End) { setEditSelectionWin32(getNativeWindow(), Start, End); }
void KRichEditControl::getSelection(long& Start, long& End) { getEditSelectionWin32(getNativeWindow(), Start, End); }

long KRichEditControl::getSelectionStart()
{
    long start = 0, end = 0;
    getSelection(start, end);
    return start;
}

long KRichEditControl::getSelectionEnd()
{
    long start = 0, end = 0;
    getSelection(start, end);
    return end;
}

void KRichEditControl::selectAll() { setEditSelectionWin32(getNativeWindow(), 0, -1); }
