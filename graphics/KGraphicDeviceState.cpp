#include "graphics/KGraphicDeviceState.h"

K_DEFINE_CLASS(KGraphicDeviceState, KThing, 1)

KGraphicDeviceState::KGraphicDeviceState() = default;

KGraphicDeviceState::KGraphicDeviceState(const KGraphicDeviceState& Other)
    : KThing(Other)
{
    copyFrom(Other);
}

KGraphicDeviceState& KGraphicDeviceState::operator=(const KGraphicDeviceState& Other)
{
    copyFrom(Other);
    return *this;
}

void KGraphicDeviceState::copyFrom(const KGraphicDeviceState& Other)
{
    m_foreColor = Other.m_foreColor;
    m_backColor = Other.m_backColor;
    m_drawMode = Other.m_drawMode;
    m_penSize = Other.m_penSize;
}
