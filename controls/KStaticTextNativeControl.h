#pragma once
// A line of text in a native "STATIC" window: a label. It reports nothing and takes no
// focus. The alignment is the native window's style, so a change shows only once the
// window is made again.
#include "controls/KControl.h"
#include "foundation/KString.h"
#include "graphics/KTextLine.h"

// 0 left, 1 right, 2 centred, 3 justified (shown left).
using KTextAlignment = uint8;

class KStaticTextNativeControl : public KControl {
    K_DECLARE_CLASS(KStaticTextNativeControl)
public:
    KStaticTextNativeControl();
    ~KStaticTextNativeControl() override;

    void createNativeControl() override;

    void setText(const KString& Text);
    const KString& getText() const { return m_text; }
    // While the native window exists: "Not Yet Implemented!", and the window keeps its
    // alignment until it is made again.
    void setAlignment(KTextAlignment A);
    KTextAlignment getAlignment() const { return m_alignment; }

private:
    KString m_text;
    KTextAlignment m_alignment = kAlignLeft;
};

// Also made from a plain pointer; create holds a new default static text in place of what
// the pointer held.
class KStaticTextNativeControlPtr : public KTypedPtr<KStaticTextNativeControl, KControlPtr> {
public:
    using KTypedPtr<KStaticTextNativeControl, KControlPtr>::KTypedPtr;
    using KTypedPtr<KStaticTextNativeControl, KControlPtr>::operator=;
    KStaticTextNativeControlPtr() = default;
    KStaticTextNativeControlPtr(const KStaticTextNativeControlPtr& P)
        : KTypedPtr<KStaticTextNativeControl, KControlPtr>(P)
    {
    }
    KStaticTextNativeControlPtr& operator=(const KStaticTextNativeControlPtr& P)
    {
        KTypedPtr<KStaticTextNativeControl, KControlPtr>::operator=(P);
        return *this;
    }
    void create();
};
