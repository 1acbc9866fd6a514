#include "controls/KStaticTextNativeControl.h"

#include "application/NativeWindowWin32.h"
#include "controls/NativeControlBindingWin32.h"
#include "controls/NativeControlsWin32.h"
#include "foundation/KernelFunctions.h"

namespace {
constexpr short kWidth = 80;
constexpr short kHeight = 20;

unsigned long alignmentStyle(KTextAlignment A)
{
    if (A == kAlignRight)
        return kStaticRightStyle;
    if (A == kAlignCenter)
        return kStaticCenterStyle;
    return 0;
}
} // namespace

K_DEFINE_CLASS(KStaticTextNativeControl, KControl, 1)

KStaticTextNativeControl::KStaticTextNativeControl()
{
    setDesktopSize(KGraphicSize(kWidth, kHeight));
    getActionMask().clearAll();
    clearStateFlags(AcceptsFocusFlag);
}

KStaticTextNativeControl::~KStaticTextNativeControl() = default;

void KStaticTextNativeControl::createNativeControl()
{
    if (makeNativeWindow("STATIC", m_text.getText(), alignmentStyle(m_alignment)))
        updateNativeChildWin32(getNativeWindow());
}

void KStaticTextNativeControl::setText(const KString& Text)
{
    m_text = Text;
    setNativeText(m_text);
}

void KStaticTextNativeControl::setAlignment(KTextAlignment A)
{
    m_alignment = A;
    if (getNativeWindow())
        knsNotYetImplemented("void KStaticTextNativeControl::setAlignment(KTextAlignment A)");
}

void KStaticTextNativeControlPtr::create() { setObject(new KStaticTextNativeControl); }
