#pragma once
// The drawing surface of the whole system: a device context with its bounds, a current
// drawing state with a stack of saved states, and a clip region with a stack of saved
// regions. The context itself lives in a native record that the device's owner binds and
// unbinds (a window for its native window, an image for its memory context); while no
// record is bound every primitive does nothing.
#include "foundation/KGraphicPoint.h"
#include "foundation/KGraphicRectangle.h"
#include "foundation/KThingPtr.h"
#include "graphics/KGraphicDeviceState.h"
#include "graphics/KGraphicRegion.h"

#include <vector>

struct NativeDeviceWin32;

class KGraphicDevice : public KThing {
    K_DECLARE_CLASS(KGraphicDevice)
public:
    enum Kind : uint8 {
        kKindForeign = 0, // a context another component owns
        kKindWindow = 1,
        kKindImage = 2,
    };

    KGraphicDevice();
    explicit KGraphicDevice(uint8 Kind);
    ~KGraphicDevice() override;
    KGraphicDevice(const KGraphicDevice&) = delete;
    KGraphicDevice& operator=(const KGraphicDevice&) = delete;

    // Bit copies, this device being the source. A negative width or height of D mirrors.
    virtual void copyBitsAt(KGraphicDevice& Destination, const KGraphicPoint& P);
    virtual void copyBitsInto(KGraphicDevice& Destination, const KGraphicRectangle& D);
    virtual void copyBits(KGraphicDevice& Destination, const KGraphicRectangle& S, const KGraphicRectangle& D);

    // Binding. The record's context gives the bounds and resolutions; the state, the stacks
    // and the kind stay as they were.
    void initBoundsFromNative(NativeDeviceWin32* Record);
    void releaseNative();
    bool isBound() const { return m_native != nullptr; }
    NativeDeviceWin32* getNativeDevice() const { return m_native; }

    void setKind(uint8 Kind) { m_kind = Kind; }
    uint8 getKind() const { return m_kind; }
    const KGraphicRectangle& getBounds() const { return m_bounds; }
    // Also makes the bounds the clip, which leaves the context unclipped.
    void setBounds(const KGraphicRectangle& R);
    double getHorizontalResolution() const { return m_horizontalResolution; }
    double getVerticalResolution() const { return m_verticalResolution; }
    int16 getPixelDepth() const { return m_pixelDepth; }

    // State. Changes rebuild the pen and brush they touch; every primitive that draws with
    // them applies the whole state first, so the state in force at the call is what draws.
    const KGraphicDeviceState& getState() const { return m_state; }
    uint8 getDrawMode() const { return m_state.getDrawMode(); }
    int16 getPenSize() const { return m_state.getPenSize(); }
    const KColor& getForeColor() const { return m_state.getForeColor(); }
    const KColor& getBackColor() const { return m_state.getBackColor(); }
    // The context's text colour follows the foreground colour.
    void setForeColor(const KColor& Color);
    void setBackColor(const KColor& Color);
    void setDrawMode(uint8 Mode);
    void setPenSize(int16 Size);
    void applyState();
    void setState(const KGraphicDeviceState& State);
    void saveState();
    void restoreState();

    // Clipping. A clip equal to the bounds is no clip at all.
    const KGraphicRegion& getClipRegion() const { return m_clipRegion; }
    void setClipRegion(const KGraphicRegion& Region);
    void setClipRect(const KGraphicRectangle& R);
    void intersectClipRect(const KGraphicRectangle& R);
    void pushClipRegion();
    void popClipRegion();

    // Pixels: black from an unbound device. Setting a pixel applies no state.
    KColor getPixel(short H, short V) const;
    void setPixel(short H, short V, const KColor& Color);

    // Lines leave out their end pixel.
    void moveTo(short H, short V);
    void moveTo(const KGraphicPoint& P);
    void lineTo(short H, short V);
    void lineTo(const KGraphicPoint& P);
    void drawLineToColumn(const KGraphicPoint& P, short H);
    void drawHorizontalLine(short H1, short V, short H2);
    void drawVerticalLine(short H, short Top, short Bottom);

    // Shapes: outlines draw with the mode's pen inside the rectangle; painting fills with
    // the mode's brush too. Mode 1 inverts what it touches.
    void outlineRect(const KGraphicRectangle& R);
    void outlineRect(const KGraphicRectangle& R, const KColor& Color);
    void invertOutlineRect(const KGraphicRectangle& R);
    void paintRect(const KGraphicRectangle& R);
    void paintRect(const KGraphicRectangle& R, const KColor& Color);
    void eraseRect(const KGraphicRectangle& R);
    void drawEllipse(const KGraphicRectangle& R);
    void fillRegion(const KGraphicRegion& Region);
    // The triangle of a drop-down button, 8 wide and 4 high, centred in R.
    void fillDownArrow(const KGraphicRectangle& R);

    // Drawn in the platform's own colours, whatever the state.
    void drawEtchedEdge(const KGraphicRectangle& R);
    void drawRaisedEdge(const KGraphicRectangle& R);
    void drawSunkenEdge(const KGraphicRectangle& R);
    void drawFocusRect(const KGraphicRectangle& R);

private:
    void rebuildModePenAndBrush();

    NativeDeviceWin32* m_native = nullptr;
    double m_horizontalResolution = 0.0;
    double m_verticalResolution = 0.0;
    KGraphicRectangle m_bounds;
    int16 m_pixelDepth = 0;
    KGraphicDeviceState m_state;
    std::vector<KGraphicDeviceState> m_stateStack;
    KGraphicRegion m_clipRegion;
    std::vector<KGraphicRegion> m_clipStack;
    uint8 m_kind = kKindForeign;
};

K_POINTER_CLASS(KGraphicDevice, KThingPtr);
