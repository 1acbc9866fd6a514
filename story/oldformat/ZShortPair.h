#pragma once
// Two signed 16-bit values under the record of the class that holds them: what sizes and
// points of old documents share. It adds no record level of its own.
#include "story/oldformat/ZClass.h"

class ZShortPair : public ZThing {
public:
    // The record of the object's own class, then the two values.
    void readFromFile(ZFile& F) override;
    void writeToFile(ZFile& F) override;

protected:
    ZShortPair() = default;
    ZShortPair(short First, short Second);
    ZShortPair(const ZShortPair& Other) = default;
    ZShortPair& operator=(const ZShortPair& Other) = default;

    void setPair(short First, short Second);
    short getFirst() const { return m_first; }
    short getSecond() const { return m_second; }

private:
    short m_first = 0;
    short m_second = 0;
};
