#include "tools/dialogs/KCustomFontSizeDialog.h"

#include "application/KApplicationEvent.h"
#include "application/KControlActionEvent.h"
#include "controls/KControlsLayer.h"
#include "controls/KPushButtonControl.h"
#include "foundation/KernelFunctions.h"
#include "tools/KToolsLibrary.h"
#include "tools/controls/KEditValueControl.h"
#include "tools/dialogs/NamedVariables.h"
#include "tools/menus/KFormatEvent.h"

namespace {
constexpr double kSmallestSize = 6.0;
constexpr double kLargestSize = 256.0;
} // namespace

K_DEFINE_CLASS(KCustomFontSizeDialog, KDialog, 1)

KCustomFontSizeDialog::KCustomFontSizeDialog()
{
    setTitle(KToolsLibrary::getText("Custom Font Size"));
    setBounds(KGraphicRectangle(0, 0, 250, 100));
    center();
    KEditValueControlPtr editor = new KEditValueControl;
    if (!editor.hasObject(nullptr))
        return;
    setSizeEditor(*editor);
    editor->setValueKind(0);
    editor->setLabel(KToolsLibrary::getText("Custom Size:"));
    editor->setLabelWidth(100);
    editor->setBounds(KGraphicRectangle(10, 10, 230, editor->getVariantSize(knsGetPlatform()).getHeight()));
    editor->setIntStep(1);
    editor->setMinimum(kSmallestSize);
    editor->setMaximum(kLargestSize);
    getControlsLayer().addControl(*editor);
}

KCustomFontSizeDialog::~KCustomFontSizeDialog() = default;

void KCustomFontSizeDialog::setSizeEditor(KEditValueControl& Editor) { m_sizeEditor.setObject(Editor); }
void KCustomFontSizeDialog::resetSizeEditor() { m_sizeEditor.reset(); }

KEditValueControl& KCustomFontSizeDialog::getSizeEditor() const
{
    return static_cast<KEditValueControl&>(m_sizeEditor.getObject());
}

void KCustomFontSizeDialog::open(uint8 Mode)
{
    KVariable* size = findNamedVariable(*this, kCustomFontSize);
    if (size && m_sizeEditor.hasObject(nullptr))
        getSizeEditor().setIntValue(size->getLong());
    KDialog::open(Mode);
}

bool KCustomFontSizeDialog::handleControlAction(KControlActionEvent& E)
{
    if (E.getType() != KControlActionEvent::Done || !E.hasSource() ||
        !dynamic_cast<KPushButtonControl*>(&E.getSource()))
        return false;
    // Cancel is finished by the dialog itself: it closes and tells its receivers.
    if (!hasOKButton() || &E.getSource() != &getOKButton())
        return false;
    KVariable* size = findNamedVariable(*this, kCustomFontSize);
    if (!size || !m_sizeEditor.hasObject(nullptr))
        return false;
    size->setLong(getSizeEditor().getIntValue());
    KFormatEventPtr event = new KFormatEvent;
    if (event.hasObject(nullptr)) {
        event->setKind(KFormatEvent::FormatChange);
        event->setSource(*this);
        event->setVariable(KFormatEvent::kFontSize, *size);
        KApplicationEvent::post(*event);
    }
    // The click goes on: the receivers hear of the OK, and the dialog closes.
    return false;
}
