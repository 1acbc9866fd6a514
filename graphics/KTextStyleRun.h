#pragma once
// A text style that covers a number of characters. A styled line is its text plus a
// sequence of runs whose lengths add up to the text's length.
#include "graphics/KTextStyle.h"

class KTextStyleRun : public KTextStyle {
    K_DECLARE_CLASS(KTextStyleRun)
public:
    KTextStyleRun() = default;
    KTextStyleRun(const KTextStyle& Style, long Length);
    KTextStyleRun(const KTextStyleRun& Other);
    KTextStyleRun& operator=(const KTextStyleRun& Other);

    // The run's style is stored as a complete block of the style class, then the length.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    void setLength(long Length) { m_length = Length; }
    long getLength() const { return m_length; }

private:
    long m_length = 0;
};

K_POINTER_CLASS(KTextStyleRun, KTextStylePtr);
