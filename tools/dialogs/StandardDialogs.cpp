#include "tools/dialogs/StandardDialogs.h"

#include "controls/KControl.h"
#include "controls/KDialog.h"
#include "foundation/KVariable.h"
#include "foundation/KernelFunctions.h"

namespace {
constexpr short kMargin = 16;
constexpr short kWidth = 350;
} // namespace

void placeStandardDialogControl(KDialog& Dialog, KControl& Control)
{
    const short height = Control.getVariantSize(knsGetPlatform()).getHeight();
    Control.setBounds(KGraphicRectangle(kMargin, kMargin, kWidth, height));
    Dialog.addElement(Control);
    fitAndCenter(Dialog);
}

void fitAndCenter(KDialog& Dialog)
{
    Dialog.fitToControls();
    Dialog.center();
}

void runOwnModalLoop(KDialog& Dialog)
{
    Dialog.open(KWindow::OpenShown);
    Dialog.waitUntilClosed();
}

void setNewValue(KDialog& Dialog, const KString& Value)
{
    KVariablePtr value = new KVariable(Value);
    if (value.hasObject(nullptr))
        Dialog.addNamedObject(*value, "NewValue");
}
