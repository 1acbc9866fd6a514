#pragma once
// A size of the drawing layer: a 16-bit signed width and height.
#include "foundation/KClass.h"

class KGraphicSize : public KThing {
    K_DECLARE_CLASS(KGraphicSize)
public:
    KGraphicSize() = default;
    KGraphicSize(short Width, short Height) : m_width(Width), m_height(Height) {}
    KGraphicSize(const KGraphicSize& S) : KThing(), m_width(S.m_width), m_height(S.m_height) {}
    KGraphicSize& operator=(const KGraphicSize& S);
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    bool operator==(const KGraphicSize& S) const
    {
        return m_width == S.m_width && m_height == S.m_height;
    }
    bool operator!=(const KGraphicSize& S) const { return !(*this == S); }

    void set(short Width, short Height);
    void get(short& Width, short& Height) const;
    void setWidth(short Width) { m_width = Width; }
    void setHeight(short Height) { m_height = Height; }
    short getWidth() const { return m_width; }
    short getHeight() const { return m_height; }

private:
    short m_width = 0;
    short m_height = 0;
};
