#include "foundation/KComparable.h"

K_DEFINE_CLASS(KComparable, KThing, 1)

bool KComparable::operator==(const KComparable&) const
{
    kksReportError(11, "KComparable::operator==");
    return true;
}

bool KComparable::operator!=(const KComparable&) const
{
    kksReportError(11, "KComparable::operator!=");
    return true;
}

bool KComparable::operator>(const KComparable&) const
{
    kksReportError(11, "KComparable::operator>");
    return true;
}

bool KComparable::operator<(const KComparable&) const
{
    kksReportError(11, "KComparable::operator<");
    return true;
}

bool KComparable::operator>=(const KComparable&) const
{
    kksReportError(11, "KComparable::operator>=");
    return true;
}

bool KComparable::operator<=(const KComparable&) const
{
    kksReportError(11, "KComparable::operator<=");
    return true;
}

int kCompareInOrder(std::initializer_list<std::pair<long, long>> Pairs)
{
    for (const auto& pair : Pairs) {
        if (pair.first != pair.second)
            return pair.first < pair.second ? -1 : 1;
    }
    return 0;
}
