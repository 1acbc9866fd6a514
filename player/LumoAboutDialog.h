#pragma once
// The player's about box with a moving banner: an about box without a title bar in which
// a strip of a wide picture slides back and forth under the product picture, one pixel
// every 30 ms, turning at either end.
#include "foundation/KTimer.h"
#include "player/ZAboutDialog.h"

class LumoAboutDialog : public ZAboutDialog {
    K_DECLARE_CLASS(LumoAboutDialog)
public:
    static constexpr short kBannerResource = 32764;
    static constexpr long kBannerPeriod = 30;
    static constexpr long kBannerMaxLag = 500;
    // The strip shown, and where it shows in the window.
    static constexpr short kStripWidth = 400;
    static constexpr short kStripHeight = 113;
    static constexpr short kStripLeft = 2;
    static constexpr short kStripTop = 106;
    // The strip's left edge turns back here: a banner 1200 wide is swept end to end.
    static constexpr short kLastOffset = 800;

    LumoAboutDialog();
    ~LumoAboutDialog() override;

    // Moves the strip one step and draws it, while the box is open.
    void doTimer(KTimer& T) override;
    // Remembers where the box was; the OK button stays.
    void close() override;

    KTimer& getBannerTimer() const { return m_bannerTimer.getObject(); }
    KImage& getBanner() const { return m_banner.getObject(); }
    short getBannerOffset() const { return m_bannerOffset; }

protected:
    DialogPlace& place() const override;

private:
    KTimerPtr m_bannerTimer;
    KImagePtr m_banner;
    short m_bannerOffset = 0;
    short m_bannerStep = 1;
};

K_POINTER_CLASS(LumoAboutDialog, ZAboutDialogPtr);
