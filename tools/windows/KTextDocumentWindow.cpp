#include "tools/windows/KTextDocumentWindow.h"

#include "application/KKeyboardManager.h"
#include "controls/KControlsLayer.h"
#include "foundation/KVariable.h"
#include "foundation/KernelFunctions.h"
#include "graphics/KColor.h"
#include "tools/menus/KFormatEvent.h"

namespace {
// Border, the field's default look and a vertical scroll bar.
constexpr uint32 kFieldFlags = 0x13;

// Applies one variable of a format change to the target field.
using FormatApplier = void (*)(KEditFieldControl& Target, const KVariable& Value);

struct FormatVariable {
    const char* name;
    FormatApplier apply;
};

const FormatVariable kFormatVariables[] = {
    {KFormatEvent::kFontSize,
     [](KEditFieldControl& T, const KVariable& V) { T.setFontSize(static_cast<double>(V.getLong()), kPlatformWindows); }},
    {KFormatEvent::kFontFace, [](KEditFieldControl& T, const KVariable& V) { T.setFontName(V.getString()); }},
    {KFormatEvent::kFontStyle,
     [](KEditFieldControl& T, const KVariable& V) { T.setFontStyle(KFlagSet(static_cast<uint32>(V.getLong()))); }},
    {KFormatEvent::kFontColor,
     [](KEditFieldControl& T, const KVariable& V) {
         if (const auto* color = dynamic_cast<const KColor*>(V.getObject()))
             T.setColor(*color);
     }},
    {KFormatEvent::kAlignment,
     [](KEditFieldControl& T, const KVariable& V) { T.setAlignment(static_cast<uint8>(V.getLong() & 0xFF)); }},
};

using FieldCommand = void (KEditFieldControl::*)();

// Kinds 2 to 6.
FieldCommand editCommandOf(uint8 Kind)
{
    switch (Kind) {
    case KFormatEvent::Cut: return &KEditFieldControl::doCut;
    case KFormatEvent::Copy: return &KEditFieldControl::doCopy;
    case KFormatEvent::Paste: return &KEditFieldControl::doPaste;
    case KFormatEvent::Clear: return &KEditFieldControl::doDelete;
    case KFormatEvent::SelectAll: return &KEditFieldControl::selectAll;
    default: return nullptr;
    }
}
} // namespace

K_DEFINE_CLASS(KTextDocumentWindow, KWindow, 1)

KTextDocumentWindow::KTextDocumentWindow()
{
    KEditFieldControlPtr field = new KEditFieldControl(kFieldFlags);
    if (!field.hasObject(nullptr))
        return;
    setTextControl(*field);
    getControlsLayer().addControl(*field);
}

KTextDocumentWindow::~KTextDocumentWindow() = default;

void KTextDocumentWindow::setTextControl(KEditFieldControl& Field) { m_textControl = Field; }
void KTextDocumentWindow::releaseTextControl() { m_textControl.reset(); }

void KTextDocumentWindow::open(uint8 Mode)
{
    KWindowPtr hold(isOnHeap() ? this : nullptr);
    if (m_textControl.hasObject(nullptr))
        m_textControl->setBounds(KGraphicRectangle(0, 0, getBounds().getWidth(), getBounds().getHeight()));
    KWindow::open(Mode);
}

bool KTextDocumentWindow::resized(KWindowEvent&)
{
    if (m_textControl.hasObject(nullptr))
        m_textControl->setSize(getBounds().getSize());
    return false;
}

bool KTextDocumentWindow::draw(KWindowEvent&)
{
    if (m_textControl.hasObject(nullptr))
        m_textControl->draw();
    return true;
}

KEditFieldControl* KTextDocumentWindow::findTarget() const
{
    if (!KKeyboardManager::exists() || !KKeyboardManager::getManager().hasFocusElement())
        return hasFocusElement() ? dynamic_cast<KEditFieldControl*>(&getFocusElement()) : nullptr;
    auto* focused = dynamic_cast<KEditFieldControl*>(&KKeyboardManager::getManager().getFocusElement());
    return focused && getControlsLayer().containsControl(*focused) ? focused : nullptr;
}

bool KTextDocumentWindow::handleEvent(KEvent& E)
{
    auto* format = E.isEqualOrSubClass("KFormatEvent") ? dynamic_cast<KFormatEvent*>(&E) : nullptr;
    if (!format)
        return KWindow::handleEvent(E);
    KEditFieldControlPtr target = findTarget();
    if (const FieldCommand command = editCommandOf(format->getKind())) {
        if (target.hasObject(nullptr))
            ((*target).*command)();
        return true;
    }
    if (format->getKind() != KFormatEvent::FormatChange)
        return false;
    // Every variable the event carries is applied: the text-format menu sends up to four
    // in one event.
    bool applied = false;
    for (const FormatVariable& variable : kFormatVariables) {
        KVariable value;
        if (!E.findVariable(variable.name, value))
            continue;
        applied = true;
        if (target.hasObject(nullptr))
            variable.apply(*target, value);
    }
    return applied;
}
