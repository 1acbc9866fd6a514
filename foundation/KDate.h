#pragma once
// A date of three signed 16-bit components, ordered year, month, day. Nothing reads the
// clock or checks the components: dates arrive by copying or from a stored block.
#include "foundation/KComparable.h"

class KDate : public KComparable {
    K_DECLARE_CLASS(KDate)
public:
    KDate() = default;
    KDate(int16 Year, int16 Month, int16 Day) : m_year(Year), m_month(Month), m_day(Day) {}

    void set(const KDate& O);
    int16 getYear() const { return m_year; }
    int16 getMonth() const { return m_month; }
    int16 getDay() const { return m_day; }

    // The argument of every comparison must be a KDate.
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

    int16 m_year = 0;
    int16 m_month = 0;
    int16 m_day = 0;
};
