#pragma once
// The drawing state of a device as a value that can be saved and brought back: draw mode,
// pen size and the two colours. It has a class record slot but is never registered.
#include "graphics/KColor.h"

class KGraphicDeviceState : public KThing {
    K_DECLARE_CLASS(KGraphicDeviceState)
public:
    enum DrawMode : uint8 {
        kCopy = 0,
        kInvert = 1,
        kErase = 2,
    };

    KGraphicDeviceState();
    KGraphicDeviceState(const KGraphicDeviceState& Other);
    KGraphicDeviceState& operator=(const KGraphicDeviceState& Other);

    void copyFrom(const KGraphicDeviceState& Other);
    void setForeColor(const KColor& Color) { m_foreColor = Color; }
    void setBackColor(const KColor& Color) { m_backColor = Color; }
    void setDrawMode(uint8 Mode) { m_drawMode = Mode; }
    void setPenSize(int16 Size) { m_penSize = Size; }

    uint8 getDrawMode() const { return m_drawMode; }
    int16 getPenSize() const { return m_penSize; }
    const KColor& getForeColor() const { return m_foreColor; }
    const KColor& getBackColor() const { return m_backColor; }

private:
    uint8 m_drawMode = kCopy;
    int16 m_penSize = 1;
    KColor m_foreColor{kBlack};
    KColor m_backColor{kWhite};
};
