#include "player/LumoAboutDialog.h"

#include "multimedia/KTimerRelay.h"

K_DEFINE_CLASS(LumoAboutDialog, ZAboutDialog, 1)

LumoAboutDialog::LumoAboutDialog()
    : ZAboutDialog(kPictureResource)
{
    m_bannerTimer = new KTimer;
    m_bannerTimer->setPeriod(kBannerPeriod);
    m_bannerTimer->setCatchUpMode(KTimer::SteadyWithLagLimit);
    m_bannerTimer->setMaxLag(kBannerMaxLag);
    m_bannerTimer->setRepeating(true);
    // The relay keeps the timer from holding the box alive.
    m_bannerTimer->setTarget(*new KTimerRelay(*this));
    m_bannerTimer->start();

    m_banner = new KImage;
    m_banner->createFromResource(kBannerResource);

    setKindFlags(getKindFlags() & ~CaptionKind);
    const KGraphicSize size = frameSize(true);
    setBounds(KGraphicRectangle(0, 0, size.getWidth(), size.getHeight()));
    center();
    place().settle(*this);
    place().apply(*this);
}

LumoAboutDialog::~LumoAboutDialog() { m_bannerTimer->stop(); }

DialogPlace& LumoAboutDialog::place() const { return dialogPlaceOf<LumoAboutDialog>(); }

void LumoAboutDialog::doTimer(KTimer& T)
{
    if (&T != m_bannerTimer.get() || !isOpen() || !getNativeWindow())
        return;
    // Without its picture the banner still turns, but shows nothing.
    m_bannerOffset = static_cast<short>(m_bannerOffset + m_bannerStep);
    if (m_bannerOffset >= kLastOffset) {
        m_bannerOffset = kLastOffset;
        m_bannerStep = static_cast<short>(-m_bannerStep);
    }
    if (m_bannerOffset < 0) {
        m_bannerOffset = 0;
        m_bannerStep = static_cast<short>(-m_bannerStep);
    }
    if (m_banner->hasBitmap())
        m_banner->drawPart(*this, KGraphicRectangle(m_bannerOffset, 0, kStripWidth, kStripHeight),
                           KGraphicRectangle(kStripLeft, kStripTop, kStripWidth, kStripHeight));
}

void LumoAboutDialog::close()
{
    KDialogPtr hold(isOnHeap() ? this : nullptr);
    place().remember(*this);
    KDialog::close();
}
