#pragma once
// The tape of an old document: its story objects in a bag, the current position, the
// tick rate and two flags.
//
// Record, after the bag's: the current position and the tick rate (32 bits each), the
// loop flag and the page flag (a byte each).
#include "story/oldformat/ZBag.h"
#include "story/oldformat/ZTapeObject.h"

class ZTape : public ZBag {
    Z_DECLARE_CLASS(ZTape)
public:
    static constexpr long kDefaultTickRate = 20;

    ZTape() = default;

    // Every slot the bag uses must hold a story object; anything else (an empty slot,
    // raw values, an object of another class) marks the file damaged, so that what the
    // conversion gets is always a tape of story objects.
    void readFromFile(ZFile& F) override;
    void writeToFile(ZFile& F) override;

    // Error-free only below getCount, after a reading that did not fail.
    ZTapeObject& getObjectAt(long Index) const { return static_cast<ZTapeObject&>(*(*this)[Index]); }

    void setCurrentPosition(long Position) { m_currentPosition = Position; }
    long getCurrentPosition() const { return m_currentPosition; }
    void setTickRate(long Rate) { m_tickRate = Rate; }
    long getTickRate() const { return m_tickRate; }
    void setLoopFlag(uint8 Flag) { m_loopFlag = Flag; }
    uint8 getLoopFlag() const { return m_loopFlag; }
    void setPageFlag(uint8 Flag) { m_pageFlag = Flag; }
    uint8 getPageFlag() const { return m_pageFlag; }

private:
    void checkObjects(ZFile& F) const;

    long m_currentPosition = 0;
    long m_tickRate = kDefaultTickRate;
    uint8 m_loopFlag = 0;
    uint8 m_pageFlag = 1;
};
