#include "player/KeyListHelpDialog.h"

#include "foundation/KernelFunctions.h"
#include "player/DialogPlace.h"
#include "player/LumoApplication.h"

namespace {
constexpr short kLeft = 16;
constexpr short kTop = 16;
constexpr short kFrame = 2;

} // namespace

K_DEFINE_CLASS(KeyListHelpDialog, KDialog, 1)

short KeyListHelpDialog::pictureFor(const KString& Language)
{
    if (Language == "Deutsch")
        return kGermanPicture;
    if (Language == KString("Fran\xE7" "ais", kPlatformWindows))
        return kFrenchPicture;
    if (Language == KString("Italiano", kPlatformWindows))
        return kItalianPicture;
    return kEnglishPicture;
}

KeyListHelpDialog::KeyListHelpDialog()
{
    setTitle(LumoApplication::localize("Help"));
    if (LumoApplication::hasApplication())
        m_pictureResource = pictureFor(LumoApplication::getApplication().getLanguage());
    m_picture = new KStaticImageControl(m_pictureResource);
    // The mouse passing over the picture changes nothing.
    m_picture->clearStateFlags(KInteractiveElement::HoverLookFlag | KInteractiveElement::RedrawOnHiliteFlag);
    m_picture->setPosition(KGraphicPoint(kLeft, kTop));
    addElement(*m_picture);
    setStandardButtons(OKButton);
    fitToControls();
    center();
    dialogPlaceOf<KeyListHelpDialog>().settle(*this);
}

KeyListHelpDialog::~KeyListHelpDialog() = default;

void KeyListHelpDialog::openDialog()
{
    dialogPlaceOf<KeyListHelpDialog>().apply(*this);
    open(OpenShown);
}

void KeyListHelpDialog::close()
{
    KDialogPtr hold(isOnHeap() ? this : nullptr);
    dialogPlaceOf<KeyListHelpDialog>().remember(*this);
    KDialog::close();
}

bool KeyListHelpDialog::drawContent(KWindowEvent&)
{
    KGraphicRectangle frame(m_picture->getBounds());
    frame.expand(kFrame, kFrame);
    drawSunkenEdge(frame);
    return false;
}
