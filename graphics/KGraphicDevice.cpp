#include "graphics/KGraphicDevice.h"

#include "graphics/DeviceDrawingWin32.h"
#include "graphics/NativeDeviceWin32.h"

K_DEFINE_CLASS(KGraphicDevice, KThing, 1)

KGraphicDevice::KGraphicDevice() = default;

KGraphicDevice::KGraphicDevice(uint8 Kind)
    : m_kind(Kind)
{
}

KGraphicDevice::~KGraphicDevice()
{
    m_clipStack.clear();
    releaseNative();
}

void KGraphicDevice::copyBitsAt(KGraphicDevice& Destination, const KGraphicPoint& P)
{
    const short width = m_bounds.getWidth(), height = m_bounds.getHeight();
    copyBits(Destination, KGraphicRectangle(0, 0, width, height),
             KGraphicRectangle(P.getH(), P.getV(), width, height));
}

void KGraphicDevice::copyBitsInto(KGraphicDevice& Destination, const KGraphicRectangle& D)
{
    copyBits(Destination, KGraphicRectangle(0, 0, m_bounds.getWidth(), m_bounds.getHeight()), D);
}

void KGraphicDevice::copyBits(KGraphicDevice& Destination, const KGraphicRectangle& S, const KGraphicRectangle& D)
{
    if (isBound() && Destination.isBound())
        copyBitsWin32(*this, Destination, S, D, kRopSourceCopy);
}

void KGraphicDevice::initBoundsFromNative(NativeDeviceWin32* Record)
{
    if (m_native && m_native != Record)
        releaseNative();
    m_native = Record;
    DeviceMetricsWin32 metrics{};
    if (Record && readDeviceMetricsWin32(*Record, metrics)) {
        m_bounds.set(metrics.left, metrics.top, metrics.width, metrics.height);
        m_horizontalResolution = metrics.horizontalResolution;
        m_verticalResolution = metrics.verticalResolution;
        m_pixelDepth = metrics.pixelDepth;
        rebuildForePenAndBrushWin32(*this);
        rebuildBackPenAndBrushWin32(*this);
    }
    m_clipRegion.setRect(m_bounds);
}

void KGraphicDevice::releaseNative()
{
    if (!m_native)
        return;
    releaseNativeObjectsWin32(*this);
    releaseNativeDeviceWin32(m_native);
    m_native = nullptr;
}

void KGraphicDevice::setBounds(const KGraphicRectangle& R)
{
    m_clipRegion.setRect(R);
    m_bounds = R;
    setClipRegion(m_clipRegion);
}

void KGraphicDevice::rebuildModePenAndBrush()
{
    if (getDrawMode() == KGraphicDeviceState::kErase)
        rebuildBackPenAndBrushWin32(*this);
    else
        rebuildForePenAndBrushWin32(*this);
}

void KGraphicDevice::setForeColor(const KColor& Color)
{
    if (Color != getForeColor()) {
        m_state.setForeColor(Color);
        rebuildModePenAndBrush();
    }
    if (isBound())
        setTextColorWin32(*this, Color.getNativeColor());
}

void KGraphicDevice::setBackColor(const KColor& Color)
{
    if (Color != getBackColor()) {
        m_state.setBackColor(Color);
        rebuildBackPenAndBrushWin32(*this);
    }
}

void KGraphicDevice::setDrawMode(uint8 Mode)
{
    if (Mode != getDrawMode()) {
        m_state.setDrawMode(Mode);
        rebuildModePenAndBrush();
    }
}

void KGraphicDevice::setPenSize(int16 Size)
{
    if (Size != getPenSize()) {
        m_state.setPenSize(Size);
        rebuildModePenAndBrush();
    }
}

void KGraphicDevice::applyState()
{
    if (!isBound())
        return;
    rebuildForePenAndBrushWin32(*this);
    rebuildBackPenAndBrushWin32(*this);
    setDrawingModeWin32(*this);
}

void KGraphicDevice::setState(const KGraphicDeviceState& State)
{
    m_state.copyFrom(State);
    applyState();
}

void KGraphicDevice::saveState() { m_stateStack.push_back(m_state); }

void KGraphicDevice::restoreState()
{
    if (m_stateStack.empty())
        return;
    setState(m_stateStack.back());
    m_stateStack.pop_back();
}

void KGraphicDevice::setClipRegion(const KGraphicRegion& Region)
{
    if (!isBound())
        return;
    m_clipRegion.copyFrom(Region);
    if (Region == KGraphicRegion(m_bounds))
        selectClipRegionWin32(*this, nullptr);
    else
        selectClipRegionWin32(*this, &m_clipRegion);
}

void KGraphicDevice::setClipRect(const KGraphicRectangle& R) { setClipRegion(KGraphicRegion(R)); }

void KGraphicDevice::intersectClipRect(const KGraphicRectangle& R)
{
    m_clipRegion.intersectRect(R);
    setClipRegion(m_clipRegion);
}

void KGraphicDevice::pushClipRegion() { m_clipStack.push_back(m_clipRegion); }

void KGraphicDevice::popClipRegion()
{
    if (m_clipStack.empty())
        return;
    setClipRegion(m_clipStack.back());
    m_clipStack.pop_back();
}

KColor KGraphicDevice::getPixel(short H, short V) const
{
    KColor color;
    if (isBound())
        color.setNativeColor(getPixelWin32(*this, H, V));
    return color;
}

void KGraphicDevice::setPixel(short H, short V, const KColor& Color)
{
    if (isBound())
        setPixelWin32(*this, H, V, Color.getNativeColor());
}

void KGraphicDevice::moveTo(short H, short V)
{
    if (!isBound())
        return;
    applyState();
    moveToWin32(*this, H, V);
}

void KGraphicDevice::moveTo(const KGraphicPoint& P) { moveTo(P.getH(), P.getV()); }

void KGraphicDevice::lineTo(short H, short V)
{
    if (!isBound())
        return;
    applyState();
    lineToWin32(*this, H, V);
}

void KGraphicDevice::lineTo(const KGraphicPoint& P) { lineTo(P.getH(), P.getV()); }

void KGraphicDevice::drawLineToColumn(const KGraphicPoint& P, short H)
{
    moveTo(P);
    lineTo(H, P.getV());
}

void KGraphicDevice::drawHorizontalLine(short H1, short V, short H2)
{
    moveTo(H1, V);
    lineTo(H2, V);
}

void KGraphicDevice::drawVerticalLine(short H, short Top, short Bottom)
{
    moveTo(H, Top);
    lineTo(H, Bottom);
}

void KGraphicDevice::outlineRect(const KGraphicRectangle& R)
{
    if (!isBound())
        return;
    applyState();
    selectHollowBrushWin32(*this);
    drawRectangleWin32(*this, R);
}

void KGraphicDevice::outlineRect(const KGraphicRectangle& R, const KColor& Color)
{
    setForeColor(Color);
    outlineRect(R);
}

void KGraphicDevice::invertOutlineRect(const KGraphicRectangle& R)
{
    saveState();
    setDrawMode(KGraphicDeviceState::kInvert);
    applyState();
    outlineRect(R);
    restoreState();
}

void KGraphicDevice::paintRect(const KGraphicRectangle& R)
{
    if (!isBound())
        return;
    applyState();
    drawRectangleWin32(*this, R);
}

void KGraphicDevice::paintRect(const KGraphicRectangle& R, const KColor& Color)
{
    setForeColor(Color);
    paintRect(R);
}

void KGraphicDevice::eraseRect(const KGraphicRectangle& R)
{
    saveState();
    setDrawMode(KGraphicDeviceState::kErase);
    paintRect(R);
    restoreState();
}

void KGraphicDevice::drawEllipse(const KGraphicRectangle& R)
{
    if (!isBound())
        return;
    // GDI draws nothing for an ellipse of one pixel; the pixel is set instead.
    if (R.getWidth() == 1 && R.getHeight() == 1) {
        setPixel(R.getH(), R.getV(), getForeColor());
        return;
    }
    applyState();
    drawEllipseWin32(*this, R);
}

void KGraphicDevice::fillRegion(const KGraphicRegion& Region)
{
    if (!isBound())
        return;
    applyState();
    fillRegionWin32(*this, Region);
}

void KGraphicDevice::fillDownArrow(const KGraphicRectangle& R)
{
    KGraphicRectangle arrow(0, 0, 8, 4);
    arrow.centerIn(R);
    const short h = arrow.getH(), v = arrow.getV();
    KGraphicRegion triangle;
    triangle.addPoint(h, v);
    triangle.addPoint(short(h + 8), v);
    triangle.addPoint(short(h + 4), short(v + 4));
    triangle.addPoint(h, v);
    triangle.makePolygon();
    fillRegion(triangle);
}

void KGraphicDevice::drawEtchedEdge(const KGraphicRectangle& R)
{
    if (isBound())
        drawEdgeWin32(*this, R, kEdgeEtched);
}

void KGraphicDevice::drawRaisedEdge(const KGraphicRectangle& R)
{
    if (isBound())
        drawEdgeWin32(*this, R, kEdgeRaised);
}

void KGraphicDevice::drawSunkenEdge(const KGraphicRectangle& R)
{
    if (isBound())
        drawEdgeWin32(*this, R, kEdgeSunken);
}

void KGraphicDevice::drawFocusRect(const KGraphicRectangle& R)
{
    if (isBound())
        drawFocusRectWin32(*this, R);
}
