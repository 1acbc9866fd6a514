#pragma once
// An old pause: a duration in whole seconds. Record: the duration (32 bits).
#include "story/oldformat/ZTapeObject.h"

class ZLumoPause : public ZTapeObject {
    Z_DECLARE_CLASS(ZLumoPause)
public:
    ZLumoPause();

    void readFromFile(ZFile& F) override;
    void writeToFile(ZFile& F) override;
    // A pause of the same time in milliseconds; times beyond what milliseconds can hold
    // are held at the longest.
    TapeObjectPtr convertToKTapeObject() const override;

    void setDuration(long Seconds) { m_duration = Seconds; }
    long getDuration() const { return m_duration; }

private:
    long m_duration = 5;
};
