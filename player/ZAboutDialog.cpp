#include "player/ZAboutDialog.h"

#include "application/KApplication.h"
#include "application/KControlActionEvent.h"
#include "player/LumoApplication.h"
#include "player/LumoVersion.h"

namespace {
// The OK button, centred under the texts.
constexpr short kButtonWidth = 80;
constexpr short kButtonHeight = 20;
constexpr short kButtonTop = 62;
// The texts under the picture: the left one across two thirds, the right ones stacked.
constexpr short kTextInset = 2;
constexpr short kTextTop = 4;
constexpr short kTextHeight = 48;
constexpr short kTextStep = 12;
// The sunken frame around the picture.
constexpr short kFrame = 2;
// The window's height below the picture, with and without the button row.
constexpr short kHeightWithButton = 92;
constexpr short kHeightWithoutButton = 52;


KString frameworkText(const char* Key)
{
    KApplication* application = KApplication::getApplication();
    const KString key(Key);
    return application && application->hasLocalizer() ? application->getLocalizer().getText(key) : key;
}

KStaticTextNativeControlPtr makeText(KTextAlignment Alignment, const KGraphicRectangle& Bounds, const KString& Text)
{
    KStaticTextNativeControlPtr text(new KStaticTextNativeControl);
    text->setAlignment(Alignment);
    text->setBounds(Bounds);
    text->setText(Text);
    return text;
}
} // namespace

K_DEFINE_CLASS_WITH_CREATE(ZAboutDialog, KDialog, 2, new ZAboutDialog(kPictureResource))

ZAboutDialog::ZAboutDialog(short PictureResource)
{
    m_picture = new KImage;
    m_picture->createFromResource(PictureResource);
    const KGraphicSize picture = m_picture->getSize();
    const short width = picture.getWidth() > kMinimumWidth ? picture.getWidth() : kMinimumWidth;
    const short height = picture.getHeight() > kMinimumHeight ? picture.getHeight() : kMinimumHeight;
    m_layoutSize.set(width, height);

    m_okButton = new KPushButtonControl;
    m_okButton->setTitle(frameworkText("OK"));
    m_okButton->setBounds(KGraphicRectangle(static_cast<short>(width / 2 - kButtonWidth / 2),
                                            static_cast<short>(height + kButtonTop), kButtonWidth, kButtonHeight));

    const auto third = static_cast<short>(width / 3);
    const auto textTop = static_cast<short>(height + kTextTop);
    m_leftText = makeText(kAlignLeft,
                          KGraphicRectangle(kTextInset, textTop, static_cast<short>(2 * width / 3), kTextHeight),
                          LumoApplication::localize("Narrabo") + " v" + kLumoVersion);
    m_rightText1 = makeText(kAlignRight, KGraphicRectangle(static_cast<short>(2 * third), textTop, third, kTextHeight),
                            KString(kLumoBuildDate));
    m_rightText2 = makeText(kAlignRight,
                            KGraphicRectangle(static_cast<short>(2 * third), static_cast<short>(textTop + kTextStep),
                                              third, kTextHeight),
                            KString(kLumoBuildTime));
    m_rightText3 = makeText(kAlignRight,
                            KGraphicRectangle(static_cast<short>(2 * third),
                                              static_cast<short>(textTop + 2 * kTextStep), third, kTextHeight),
                            KString());

    for (KControl* control : {static_cast<KControl*>(m_okButton.get()), static_cast<KControl*>(m_rightText1.get()),
                              static_cast<KControl*>(m_rightText2.get()), static_cast<KControl*>(m_rightText3.get()),
                              static_cast<KControl*>(m_leftText.get())})
        addElement(*control);
    // Its own button closes it; the standard row stays away.
    setStandardButtons(0);
}

ZAboutDialog::~ZAboutDialog() = default;

DialogPlace& ZAboutDialog::place() const { return dialogPlaceOf<ZAboutDialog>(); }

KStaticTextNativeControl& ZAboutDialog::getRightText(int Number) const
{
    return Number == 1 ? m_rightText1.getObject() : Number == 2 ? m_rightText2.getObject() : m_rightText3.getObject();
}

KGraphicSize ZAboutDialog::frameSize(bool WithButton) const
{
    return KGraphicSize(static_cast<short>(m_layoutSize.getWidth() + 2 * kFrame),
                        static_cast<short>(m_layoutSize.getHeight()
                                           + (WithButton ? kHeightWithButton : kHeightWithoutButton)));
}

void ZAboutDialog::openAbout(bool WithButton)
{
    const KGraphicSize size = frameSize(WithButton);
    setBounds(KGraphicRectangle(0, 0, size.getWidth(), size.getHeight()));
    center();
    place().settle(*this);
    place().apply(*this);
    open(OpenShown);
    // A former close took the button away.
    if (WithButton)
        addElement(*m_okButton);
}

bool ZAboutDialog::drawContent(KWindowEvent&)
{
    if (!m_picture->hasBitmap())
        return false;
    KGraphicRectangle frame(0, 0, static_cast<short>(m_layoutSize.getWidth() + 2 * kFrame),
                            static_cast<short>(m_layoutSize.getHeight() + 2 * kFrame));
    drawSunkenEdge(frame);
    frame.inset(kFrame, kFrame);
    m_picture->draw(*this, frame);
    return false;
}

bool ZAboutDialog::handleControlAction(KControlActionEvent& E)
{
    if (E.getType() == KControlActionEvent::Done && E.hasSource() && &E.getSource() == m_okButton.get())
        close();
    return false;
}

void ZAboutDialog::close()
{
    // The window manager may hold the last reference to the box.
    KDialogPtr hold(isOnHeap() ? this : nullptr);
    place().remember(*this);
    KDialog::close();
    if (hasControl(*m_okButton))
        removeControl(*m_okButton);
}
