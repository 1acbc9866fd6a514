#include "tools/menus/KColorMenuItem.h"

namespace {
// Quarter colours, top left, top right, bottom right, bottom left.
const KStandardColor kOtherColorQuarters[4] = {kRed, kGreen, kBlue, kWhite};
const KStandardColor kCheckeredQuarters[4] = {kWhite, kBlack, kWhite, kBlack};

void paintQuarters(KGraphicDevice& D, const KGraphicRectangle& R, const KStandardColor (&Colors)[4])
{
    const short halfWidth = static_cast<short>(R.getWidth() / 2);
    const short halfHeight = static_cast<short>(R.getHeight() / 2);
    KGraphicRectangle quarter(R.getH(), R.getV(), halfWidth, halfHeight);
    const short moves[4][2] = {{0, 0}, {halfWidth, 0}, {0, halfHeight}, {static_cast<short>(-halfWidth), 0}};
    for (int i = 0; i < 4; ++i) {
        quarter.offset(moves[i][0], moves[i][1]);
        D.paintRect(quarter, KColor(Colors[i]));
    }
}
} // namespace

K_DEFINE_CLASS(KColorMenuItem, KCustomMenuItem, 1)

KColorMenuItem::KColorMenuItem() = default;
KColorMenuItem::~KColorMenuItem() = default;

bool KColorMenuItem::doCustomMenuItem(KMenuEvent&)
{
    KGraphicDevicePtr device;
    KGraphicRectangle cell;
    if (!createGraphicDevice(device, cell))
        return false;
    drawSwatch(*device, cell);
    disposeGraphicDevice(device);
    return false;
}

void KColorMenuItem::drawSwatch(KGraphicDevice& Device, const KGraphicRectangle& Cell) const
{
    KGraphicRectangle r(Cell);
    r.inset(1, 1);
    switch (m_swatchStyle) {
    case PlainSwatch:
        Device.paintRect(r, m_color);
        Device.outlineRect(r, KColor(kBlack));
        break;
    case OtherColorSwatch:
        Device.paintRect(r, m_color);
        paintQuarters(Device, r, kOtherColorQuarters);
        Device.outlineRect(r, KColor(kBlack));
        break;
    case CheckeredSwatch:
        paintQuarters(Device, r, kCheckeredQuarters);
        Device.outlineRect(r, KColor(kBlack));
        break;
    default:
        break;
    }
    if (!isSelected() && !isChecked())
        return;
    Device.outlineRect(r, KColor(kBlack));
    r.inset(1, 1);
    Device.outlineRect(r, KColor(kWhite));
    r.inset(1, 1);
    Device.outlineRect(r, KColor(kBlack));
}
