#pragma once
// A time of day of three signed 16-bit components, ordered hour, minute, second. Owners
// copy times component by component.
#include "foundation/KComparable.h"

class KTime : public KComparable {
    K_DECLARE_CLASS(KTime)
public:
    KTime() = default;
    KTime(int16 Hour, int16 Minute, int16 Second) : m_hour(Hour), m_minute(Minute), m_second(Second) {}

    int16 getHour() const { return m_hour; }
    int16 getMinute() const { return m_minute; }
    int16 getSecond() const { return m_second; }
    void setHour(int16 Hour) { m_hour = Hour; }
    void setMinute(int16 Minute) { m_minute = Minute; }
    void setSecond(int16 Second) { m_second = Second; }

    // The argument of every comparison must be a KTime.
    bool operator==(const KComparable& O) const override;
    bool operator!=(const KComparable& O) const override;
    bool operator>(const KComparable& O) const override;
    bool operator<(const KComparable& O) const override;
    bool operator>=(const KComparable& O) const override;
    bool operator<=(const KComparable& O) const override;

    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

private:
    int compare(const KComparable& O) const;

    int16 m_hour = 0;
    int16 m_minute = 0;
    int16 m_second = 0;
};
