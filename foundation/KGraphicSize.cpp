#include "foundation/KGraphicSize.h"

K_DEFINE_CLASS(KGraphicSize, KThing, 1)

KGraphicSize& KGraphicSize::operator=(const KGraphicSize& S)
{
    m_width = S.m_width;
    m_height = S.m_height;
    return *this;
}

void KGraphicSize::set(short Width, short Height)
{
    m_width = Width;
    m_height = Height;
}

void KGraphicSize::get(short& Width, short& Height) const
{
    Width = m_width;
    Height = m_height;
}
