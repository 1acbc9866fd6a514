#pragma once
// A double that can be compared and stored. Its own comparisons take a KNumber; the
// comparisons it inherits, through a KComparable, report error 11 as the base does.
#include "foundation/KComparable.h"

class KNumber : public KComparable {
    K_DECLARE_CLASS(KNumber)
public:
    KNumber() = default;
    explicit KNumber(double Value) : m_value(Value) {}

    double getValue() const { return m_value; }
    void setValue(double Value) { m_value = Value; }

    using KComparable::operator==;
    using KComparable::operator!=;
    using KComparable::operator>;
    using KComparable::operator<;
    using KComparable::operator>=;
    using KComparable::operator<=;
    // IEEE comparisons: a value that is not a number is unequal to everything and
    // neither above nor below anything.
    virtual bool operator==(const KNumber& O) const { return m_value == O.m_value; }
    virtual bool operator!=(const KNumber& O) const { return m_value != O.m_value; }
    virtual bool operator>(const KNumber& O) const { return m_value > O.m_value; }
    virtual bool operator<(const KNumber& O) const { return m_value < O.m_value; }
    virtual bool operator>=(const KNumber& O) const { return m_value >= O.m_value; }
    virtual bool operator<=(const KNumber& O) const { return m_value <= O.m_value; }

    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

private:
    double m_value = 0.0;
};
