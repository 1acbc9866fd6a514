#include "player/SetupDialog.h"

#include "application/KControlActionEvent.h"
#include "player/DialogPlace.h"
#include "player/LumoApplication.h"
#include "player/LumoWindow.h"
#include "player/SliderPictures.h"

namespace {
constexpr short kLeft = 16;
constexpr short kTop = 16;
constexpr short kWidth = 300;
constexpr short kSpacing = 14;
constexpr short kSliderGap = 16;
constexpr long kSliderPage = 5;


// The story of the main window, or none.
Tape* mainTape()
{
    if (!LumoWindow::hasMainWindow() || !LumoWindow::getMainWindow().hasTape())
        return nullptr;
    return &LumoWindow::getMainWindow().getTape();
}
} // namespace

K_DEFINE_CLASS(SetupDialog, KDialog, 1)

SetupDialog::SetupDialog()
{
    setTitle(LumoApplication::localize("Animation Setup"));

    m_looping = new KCheckBoxControl;
    m_looping->setTitle(LumoApplication::localize("Looping Animation"));
    m_looping->setBounds(KGraphicRectangle(kLeft, kTop, kWidth, m_looping->getHeight()));
    addElement(*m_looping);

    m_hideMenuBar = new KCheckBoxControl;
    m_hideMenuBar->setTitle(LumoApplication::localize("Hide MenuBar"));
    m_hideMenuBar->setWidth(kWidth);
    m_hideMenuBar->placeNextTo(*m_looping, KControl::BelowLeft, kSpacing);
    addElement(*m_hideMenuBar);

    m_slider = new KGraphicSliderControl(kSlowEndPicture, kSlowEndMask, kFastEndPicture, kFastEndMask);
    m_slider->setMinimum(kSlowestTick);
    m_slider->setMaximum(kFastestTick);
    m_slider->setPageSize(kSliderPage);
    m_slider->setWidth(kWidth);
    m_slider->placeNextTo(*m_hideMenuBar, KControl::BelowLeft, kSliderGap);
    addElement(*m_slider);

    fitToControls();
    center();
    dialogPlaceOf<SetupDialog>().settle(*this);
}

SetupDialog::~SetupDialog() = default;

void SetupDialog::openDialog()
{
    const Tape* tape = mainTape();
    if (tape && hasControls()) {
        m_looping->setSelected(tape->isFlagSet(Tape::LoopFlag));
        m_hideMenuBar->setSelected(tape->isFlagSet(Tape::HideMenuBarFlag));
        m_slider->setValue(kTickSum - tape->getTickInterval(), false);
    }
    dialogPlaceOf<SetupDialog>().apply(*this);
    open(OpenShown);
    if (LumoWindow::hasMainWindow())
        LumoWindow::getMainWindow().restoreFocus();
}

bool SetupDialog::handleControl(KControlActionEvent& E)
{
    if (E.getType() != KControlActionEvent::Done || !E.hasSource() || !hasOKButton()
        || &E.getSource() != &getOKButton() || !hasControls())
        return false;
    Tape* tape = mainTape();
    if (!tape)
        return false;
    if (m_looping->isSelected())
        tape->setFlag(Tape::LoopFlag);
    else
        tape->resetFlag(Tape::LoopFlag);
    if (m_hideMenuBar->isSelected())
        tape->setFlag(Tape::HideMenuBarFlag);
    else
        tape->resetFlag(Tape::HideMenuBarFlag);
    tape->setTickInterval(kTickSum - m_slider->getValue());
    return false;
}

void SetupDialog::close()
{
    KDialogPtr hold(isOnHeap() ? this : nullptr);
    m_looping.reset();
    m_hideMenuBar.reset();
    m_slider.reset();
    dialogPlaceOf<SetupDialog>().remember(*this);
    KDialog::close();
}
