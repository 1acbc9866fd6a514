#pragma once
// A size of the interactive layer: a 32-bit signed width and height.
#include "foundation/KClass.h"

class KGraphicSize;

class KWideSize : public KThing {
    K_DECLARE_CLASS(KWideSize)
public:
    KWideSize() = default;
    KWideSize(long Width, long Height) : m_width(Width), m_height(Height) {}
    KWideSize(const KWideSize& S) : KThing(), m_width(S.m_width), m_height(S.m_height) {}
    explicit KWideSize(const KGraphicSize& S);
    KWideSize& operator=(const KWideSize& S);
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    void set(long Width, long Height);
    void get(long& Width, long& Height) const;
    void setWidth(long Width) { m_width = Width; }
    void setHeight(long Height) { m_height = Height; }
    long getWidth() const { return m_width; }
    long getHeight() const { return m_height; }
    // Sizes compare by value, not by KThing's identity.
    bool operator==(const KWideSize& S) const { return m_width == S.m_width && m_height == S.m_height; }
    bool operator!=(const KWideSize& S) const { return !(*this == S); }

private:
    long m_width = 0;
    long m_height = 0;
};
