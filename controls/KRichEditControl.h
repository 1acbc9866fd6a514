#pragma once
// What the two edit controls share: a native RichEdit window in which positions are
// character positions (0 before the first character) and the selection a range of them,
// and the edit commands each control answers in its own way. Without a native window the
// selection is neither set nor read.
#include "controls/KControl.h"

class KRichEditControl : public KControl {
public:
    KRichEditControl();
    ~KRichEditControl() override;

    virtual void setInsertionPoint(long Position);
    virtual void setSelection(long Start, long End);
    // Start and End stay as they were without a native window.
    virtual void getSelection(long& Start, long& End);
    // 0 without a native window.
    virtual long getSelectionStart();
    virtual long getSelectionEnd();
    virtual void selectAll();
    virtual void selectNone() = 0;
    virtual void doUndo() = 0;
    virtual void doRedo() = 0;
    virtual void doCut() = 0;
    virtual void doCopy() = 0;
    virtual void doPaste() = 0;
    virtual void doDelete() = 0;
};
