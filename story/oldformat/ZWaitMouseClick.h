#pragma once
// An old wait for the reader: six options. Record: none in version 1, options 1 to 5 in
// version 2, options 1 to 6 in version 3.
#include "story/oldformat/ZTapeObject.h"

class ZWaitMouseClick : public ZTapeObject {
    Z_DECLARE_CLASS(ZWaitMouseClick)
public:
    static constexpr int kOptionCount = 6;

    ZWaitMouseClick();

    // Another version marks the file damaged: its layout is not known.
    void readFromFile(ZFile& F) override;
    void writeToFile(ZFile& F) override;
    // A wait object; the old options 4 to 6 are its options 5, 6 and 4.
    TapeObjectPtr convertToKTapeObject() const override;

    // Option 1 to 6.
    void setOption(int Number, uint8 Value) { m_options[Number - 1] = Value; }
    uint8 getOption(int Number) const { return m_options[Number - 1]; }

private:
    uint8 m_options[kOptionCount] = {0, 0, 1, 1, 1, 1};
};
