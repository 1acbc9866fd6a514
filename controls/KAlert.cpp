#include "controls/KAlert.h"

#include "foundation/KernelFunctions.h"

namespace {
KGraphicRectangle& remembered()
{
    static KGraphicRectangle rectangle(100, 100, 400, 130);
    return rectangle;
}
} // namespace

K_DEFINE_CLASS(KAlert, KDialog, 1)

const KGraphicRectangle& KAlert::getRememberedRectangle() { return remembered(); }

KAlert::KAlert()
{
    setTitle(KString("Alert"));
    setBounds(remembered());
    m_message.create();
    m_message->setBounds(KGraphicRectangle(10, 10, 380, 90));
    addElement(*m_message);
}

KAlert::~KAlert() = default;

void KAlert::open(uint8)
{
    knsBeep();
    KDialog::open(OpenShown);
}

bool KAlert::draw(KWindowEvent&)
{
    if (hasIcon())
        m_icon->drawAt(*this, KGraphicPoint(0, 0));
    return false;
}

bool KAlert::handleControlAction(KControlActionEvent&)
{
    remembered() = getBounds();
    return false;
}
