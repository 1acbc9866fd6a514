#include "foundation/KGraphicSize.h"

#include "foundation/PairBlocks.h"

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

void KGraphicSize::readFromFile(KFile& F)
{
    kReadValuePairBlock(F, KGraphicSize::getClassRecord(), m_width, m_height);
}

void KGraphicSize::writeToFile(KFile& F, long)
{
    kWriteValuePairBlock(F, KGraphicSize::getClassRecord(), m_width, m_height);
}
