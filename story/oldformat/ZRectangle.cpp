#include "story/oldformat/ZRectangle.h"

#include "story/oldformat/ZFile.h"

Z_DEFINE_CLASS(ZRectangle)

ZRectangle::ZRectangle(short X, short Y, short Width, short Height) { set(X, Y, Width, Height); }

void ZRectangle::set(short X, short Y, short Width, short Height)
{
    m_left = X;
    m_top = Y;
    m_right = static_cast<long>(X) + Width;
    m_bottom = static_cast<long>(Y) + Height;
    m_size.set(Width, Height);
}

void ZRectangle::get(short& X, short& Y, short& Width, short& Height) const
{
    X = static_cast<short>(m_left);
    Y = static_cast<short>(m_top);
    Width = static_cast<short>(m_right - m_left);
    Height = static_cast<short>(m_bottom - m_top);
}

void ZRectangle::readFromFile(ZFile& F)
{
    if (!ZClass::readClassInfo(s_class, F))
        return;
    short x = 0;
    short y = 0;
    short width = 0;
    short height = 0;
    get(x, y, width, height);
    F.readShort(x);
    F.readShort(y);
    F.readShort(width);
    F.readShort(height);
    set(x, y, width, height);
}

void ZRectangle::writeToFile(ZFile& F)
{
    short x = 0;
    short y = 0;
    short width = 0;
    short height = 0;
    get(x, y, width, height);
    getClass().writeClassInfo(F);
    F.writeShort(x);
    F.writeShort(y);
    F.writeShort(width);
    F.writeShort(height);
}
