#include "foundation/KWideSize.h"

#include "foundation/PairBlocks.h"

#include "foundation/KGraphicSize.h"

K_DEFINE_CLASS(KWideSize, KThing, 1)

KWideSize::KWideSize(const KGraphicSize& S)
    : m_width(S.getWidth())
    , m_height(S.getHeight())
{
}

KWideSize& KWideSize::operator=(const KWideSize& S)
{
    m_width = S.m_width;
    m_height = S.m_height;
    return *this;
}

void KWideSize::set(long Width, long Height)
{
    m_width = Width;
    m_height = Height;
}

void KWideSize::get(long& Width, long& Height) const
{
    Width = m_width;
    Height = m_height;
}

void KWideSize::readFromFile(KFile& F)
{
    kReadValuePairBlock(F, KWideSize::getClassRecord(), m_width, m_height);
}

void KWideSize::writeToFile(KFile& F, long)
{
    kWriteValuePairBlock(F, KWideSize::getClassRecord(), m_width, m_height);
}
