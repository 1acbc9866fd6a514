#include "controls/KDialog.h"

#include "application/KApplication.h"
#include "controls/KControlsLayer.h"
#include "controls/KPushButtonControl.h"
#include "foundation/KernelFunctions.h"
#include "graphics/KColor.h"

namespace {
constexpr long kDialogWindowLayer = 4;
constexpr unsigned long kDialogExStyle = 0x40011; // WS_EX_DLGMODALFRAME | WS_EX_ACCEPTFILES | WS_EX_APPWINDOW
constexpr unsigned long kPopupStyle = 0x80000000;
constexpr unsigned long kModalFrameStyle = 0x80;
// The button row: 30 from the bottom edge, buttons 90 by 20 every 100 from the right.
constexpr short kRowFromBottom = 30;
constexpr short kButtonStep = 100;
constexpr short kButtonWidth = 90;
constexpr short kButtonHeight = 20;
constexpr short kMargin = 16;
constexpr short kButtonRowMargin = 36;

KDialog::ModalStep s_modalStep;

KString localized(const char* Key)
{
    KApplication* application = KApplication::getApplication();
    return application && application->hasLocalizer() ? application->getLocalizer().getText(KString(Key)) : KString(Key);
}
} // namespace

// One standard button: its bit, its field, its title, its user value and its setters.
struct KDialog::ButtonSlot {
    long bit;
    KThingPtr KDialog::*button;
    KString KDialog::*title;
    long KDialog::*userValue;
    void (KDialog::*set)(KThing&);
    void (KDialog::*reset)();
};

// OK, Cancel, Apply: the order in which the buttons join the controls layer.
const KDialog::ButtonSlot KDialog::kSlots[] = {
    {OKButton, &KDialog::m_okButton, &KDialog::m_okTitle, &KDialog::m_okUserValue, &KDialog::setOKButton,
     &KDialog::resetOKButton},
    {CancelButton, &KDialog::m_cancelButton, &KDialog::m_cancelTitle, &KDialog::m_cancelUserValue,
     &KDialog::setCancelButton, &KDialog::resetCancelButton},
    {ApplyButton, &KDialog::m_applyButton, &KDialog::m_applyTitle, &KDialog::m_applyUserValue,
     &KDialog::setApplyButton, &KDialog::resetApplyButton},
};

K_DEFINE_CLASS(KDialog, KWindow, 1)

void KDialog::setModalStep(ModalStep Step) { s_modalStep = std::move(Step); }

KDialog::KDialog()
    : m_okTitle(localized("OK"))
    , m_cancelTitle(localized("Cancel"))
    , m_applyTitle(localized("Apply"))
{
    setKindFlags(CaptionKind);
    setWindowLayer(kDialogWindowLayer);
    setBackColor(KColor(kSystemDialogFace));
}

KDialog::~KDialog()
{
    // A leave event for a button under the mouse would hold the dialog that is going.
    getControlsLayer().forgetMouseQuietly();
    removeStandardButtons();
}

unsigned long KDialog::getNativeStyle() const { return KWindow::getNativeStyle(); }

void KDialog::open(uint8 Mode)
{
    m_runningModal = false;
    KWindowPtr hold(isOnHeap() ? this : nullptr);
    if (isOpen() || getNativeWindow()) {
        knsFatalError("KDialog::open()", "Already Open.");
        return;
    }
    const NativeWindowRequest request{kDialogExStyle, "KDialogClass",
                                      getNativeStyle() | kPopupStyle | kModalFrameStyle, getMainNativeWindow(),
                                      nullptr};
    if (!createNativeWindow(request, "KDialog::open(OpenMode Mode, long StandardButtons)"))
        return;
    // A dialog opened again gets fresh buttons, not a second row over the first.
    removeStandardButtons();
    createStandardButtons(m_standardButtons);
    finishOpen(Mode);
}

bool KDialog::keyTyped(KKeyEvent&) { return true; }

void KDialog::setOKButton(KThing& Button) { m_okButton.setObject(Button); }
void KDialog::resetOKButton() { m_okButton.reset(); }
void KDialog::setCancelButton(KThing& Button) { m_cancelButton.setObject(Button); }
void KDialog::resetCancelButton() { m_cancelButton.reset(); }
void KDialog::setApplyButton(KThing& Button) { m_applyButton.setObject(Button); }
void KDialog::resetApplyButton() { m_applyButton.reset(); }
bool KDialog::dialogHook() { return true; }

void KDialog::createStandardButtons(long Buttons)
{
    const short width = getBounds().getWidth();
    const auto top = static_cast<short>(getBounds().getHeight() - kRowFromBottom);
    short edge = width;
    for (long i = 2; i >= 0; --i) {
        const ButtonSlot& slot = kSlots[i];
        if (!(Buttons & slot.bit))
            continue;
        edge = static_cast<short>(edge - kButtonStep);
        KPushButtonControlPtr button = new KPushButtonControl;
        button->setTitle(this->*slot.title);
        button->setBounds(KGraphicRectangle(edge, top, kButtonWidth, kButtonHeight));
        button->setUserValue(this->*slot.userValue);
        (this->*slot.set)(*button);
    }
    for (const ButtonSlot& slot : kSlots) {
        if ((this->*slot.button).hasObject(nullptr))
            addElement(static_cast<KInteractiveElement&>(*(this->*slot.button)));
    }
    if (hasCancelButton())
        setEscapeElement(static_cast<KInteractiveElement&>(getCancelButton()));
    if (hasOKButton())
        setReturnElement(static_cast<KInteractiveElement&>(getOKButton()));
}

void KDialog::removeStandardButtons()
{
    for (const ButtonSlot& slot : kSlots) {
        if (!(this->*slot.button).hasObject(nullptr))
            continue;
        auto& button = static_cast<KInteractiveElement&>(*(this->*slot.button));
        if (hasControl(button))
            removeControl(button);
        (this->*slot.reset)();
    }
}

void KDialog::stepModally()
{
    if (s_modalStep) {
        s_modalStep(*this);
        return;
    }
    // A dialog stays open for as long as the user takes: the loop waits for a message or
    // the next timer like the main loop does, rather than spinning a core meanwhile.
    if (KApplication* application = KApplication::getApplication()) {
        application->processEvents();
        return;
    }
    // Without an application no loop runs that could ever close the dialog.
    close();
}

uint8 KDialog::runModal(uint8 Mode)
{
    KDialogPtr hold(isOnHeap() ? this : nullptr);
    open(Mode);
    m_runningModal = true;
    waitUntilClosed();
    return m_result;
}

void KDialog::waitUntilClosed()
{
    while (isOpen())
        stepModally();
}

void KDialog::setButtonTitle(long Button, const KString& Title)
{
    for (const ButtonSlot& slot : kSlots) {
        if (slot.bit == Button)
            this->*slot.title = Title;
    }
}

void KDialog::setStandardButtons(long Buttons)
{
    m_standardButtons = Buttons;
    if (!isOpen())
        return;
    removeStandardButtons();
    createStandardButtons(Buttons);
}

void KDialog::fitToControls()
{
    KGraphicRectangle area = getControlsLayer().getBounds();
    // The button row that open adds needs room below the controls.
    if (!isOpen() && m_standardButtons != 0)
        area.expand(kMargin, kButtonRowMargin);
    else
        area.expand(kMargin, kMargin);
    setSize(area.getSize());
}

void KDialog::addNamedObject(KThing& Element, const KString& Name) { m_namedElements.addNamedObject(Name, Element, true); }

void KDialog::addReceiver(KThing& Receiver)
{
    if (!m_receivers.has(Receiver))
        m_receivers.add(Receiver);
}
