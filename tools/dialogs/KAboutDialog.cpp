#include "tools/dialogs/KAboutDialog.h"

#include "application/KControlActionEvent.h"
#include "graphics/KAlphaImage.h"

namespace {
constexpr long kLinesStep = 100;

KGraphicRectangle& rememberedFrame()
{
    static KGraphicRectangle frame(100, 100, 420, 300);
    return frame;
}
} // namespace

K_DEFINE_CLASS(KAboutDialog, KDialog, 1)

KAboutDialog::KAboutDialog()
{
    m_lines.setGrowSize(kLinesStep);
    m_lines.setMinSize(kLinesStep);
}

KAboutDialog::~KAboutDialog() = default;

const KGraphicRectangle& KAboutDialog::getRememberedFrame() { return rememberedFrame(); }

void KAboutDialog::addTextLine(const KString& Line)
{
    KStringPtr line = new KString(Line.isEmpty() ? KString(" ") : Line);
    if (line.hasObject(nullptr))
        m_lines.add(*line);
}

void KAboutDialog::open(uint8 Mode)
{
    m_picture = new KAlphaImage;
    if (!m_picture.hasObject(nullptr))
        return;
    m_picture->createFromResource(m_pictureResource);
    const KGraphicSize picture = m_picture->getSize();
    KGraphicRectangle& frame = rememberedFrame();
    frame.setSize(picture.getWidth(), static_cast<short>(picture.getHeight() + kBandHeight + kButtonRowHeight));
    setBounds(frame);
    setTitle(m_title);
    setStandardButtons(OKButton);
    // A dialog opened again gets a new band, not a second one over the first.
    if (m_textDisplay.hasObject(nullptr) && hasControl(*m_textDisplay))
        removeControl(*m_textDisplay);
    m_textDisplay = new KTextDisplayControl;
    if (!m_textDisplay.hasObject(nullptr))
        return;
    m_textDisplay->setBounds(KGraphicRectangle(0, picture.getHeight(), picture.getWidth(), kBandHeight));
    m_textDisplay->hideBorder();
    for (long i = 0; i < m_lines.getCount(); ++i)
        m_textDisplay->addLine(static_cast<const KString&>(m_lines[i]));
    m_textDisplay->setScrolling(true);
    addElement(*m_textDisplay);
    KDialog::open(Mode);
}

bool KAboutDialog::draw(KWindowEvent&)
{
    if (m_picture.hasObject(nullptr))
        m_picture->drawAt(*this, KGraphicPoint(0, 0));
    return false;
}

bool KAboutDialog::handleControlAction(KControlActionEvent& E)
{
    if (E.getType() == KControlActionEvent::Done && E.hasSource() && hasOKButton() && &E.getSource() == &getOKButton())
        rememberedFrame() = getBounds();
    return false;
}
