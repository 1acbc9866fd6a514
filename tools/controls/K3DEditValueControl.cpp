#include "tools/controls/K3DEditValueControl.h"

#include "application/KControlActionEvent.h"
#include "foundation/KernelFunctions.h"
#include "tools/controls/CompoundControls.h"

namespace {
constexpr short kEditorLabelWidth = 16;
} // namespace

K_DEFINE_CLASS(K3DEditValueControl, KControl, 1)

K3DEditValueControl::K3DEditValueControl()
{
    setLabelControl(*KStaticTextNativeControlPtr(new KStaticTextNativeControl));
    setXEditor(*KEditValueControlPtr(new KEditValueControl));
    setYEditor(*KEditValueControlPtr(new KEditValueControl));
    setZEditor(*KEditValueControlPtr(new KEditValueControl));
    const struct {
        KEditValueControlPtr& editor;
        const char* label;
    } editors[] = {{m_xEditor, " x:"}, {m_yEditor, " y:"}, {m_zEditor, " z:"}};
    for (const auto& e : editors) {
        e.editor->setValueKind(KEditValueControl::DecimalNumber);
        e.editor->setLabelWidth(kEditorLabelWidth);
        e.editor->setLabel(e.label);
    }
    addControl(*m_label);
    for (const auto& e : editors)
        addControl(*e.editor);
    setVariantSize(kPlatformMac, KGraphicSize(300, 20));
    setVariantSize(kPlatformWindows, KGraphicSize(300, 22));
    setSize(KGraphicSize(300, 22));
}

K3DEditValueControl::~K3DEditValueControl() = default;

void K3DEditValueControl::setLabelControl(KStaticTextNativeControl& Label) { m_label = Label; }
void K3DEditValueControl::resetLabelControl() { m_label.reset(); }
void K3DEditValueControl::setXEditor(KEditValueControl& Editor) { m_xEditor = Editor; }
void K3DEditValueControl::resetXEditor() { m_xEditor.reset(); }
void K3DEditValueControl::setYEditor(KEditValueControl& Editor) { m_yEditor = Editor; }
void K3DEditValueControl::resetYEditor() { m_yEditor.reset(); }
void K3DEditValueControl::setZEditor(KEditValueControl& Editor) { m_zEditor = Editor; }
void K3DEditValueControl::resetZEditor() { m_zEditor.reset(); }

void K3DEditValueControl::layoutSubControls()
{
    if (!m_label.hasObject(nullptr) || !m_xEditor.hasObject(nullptr) || !m_yEditor.hasObject(nullptr)
        || !m_zEditor.hasObject(nullptr))
        return;
    const short w = getWidth(), h = getHeight(), lw = m_labelWidth;
    const short labelHeight = m_label->getVariantSize(knsGetPlatform()).getHeight();
    m_label->setBounds(KGraphicRectangle(0, static_cast<short>((h - labelHeight) / 2), lw, labelHeight));
    const auto third = static_cast<short>(static_cast<short>(w - lw) / 3);
    m_xEditor->setBounds(KGraphicRectangle(lw, 0, third, h));
    m_yEditor->setBounds(KGraphicRectangle(static_cast<short>(lw + third), 0, third, h));
    m_zEditor->setBounds(KGraphicRectangle(static_cast<short>(lw + 2 * third), 0, third, h));
}

void K3DEditValueControl::draw() { drawCompoundControl(*this); }

bool K3DEditValueControl::handleAction(KControlActionEvent& E) { return passEvent(E); }

bool K3DEditValueControl::passEvent(KEvent& E)
{
    E.setSource(*this);
    return false;
}
