#include "foundation/KWideRectangle.h"

#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"

K_DEFINE_CLASS(KWideRectangle, KThing, 1)

KWideRectangle::KWideRectangle(long X, long Y, long Width, long Height)
    : m_size(Width, Height)
    , m_origin(X, Y)
{
}

void KWideRectangle::get(long& X, long& Y, long& Width, long& Height) const
{
    m_origin.get(X, Y);
    m_size.get(Width, Height);
}

bool KWideRectangle::contains(const KWidePoint& P) const
{
    return getX() <= P.getX() && P.getX() < getRight() && getY() <= P.getY() && P.getY() < getBottom();
}

bool KWideRectangle::contains(const KWideRectangle& R) const
{
    return getX() <= R.getX() && R.getRight() <= getRight() && getY() <= R.getY()
        && R.getBottom() <= getBottom();
}

bool KWideRectangle::intersects(const KWideRectangle& R) const
{
    return getX() < R.getRight() && R.getX() < getRight() && getY() < R.getBottom()
        && R.getY() < getBottom();
}

void KWideRectangle::readFromFile(KFile& F)
{
    KClassReader reader;
    if (reader.beginAtSection(F, KWideRectangle::getClassRecord(), 1)) {
        m_origin.readFromFile(F);
        m_size.readFromFile(F);
    }
    reader.end();
}

void KWideRectangle::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, KWideRectangle::getClassRecord());
    writer.newSection(1);
    m_origin.writeToFile(F, 1);
    m_size.writeToFile(F, 1);
    writer.end();
}
