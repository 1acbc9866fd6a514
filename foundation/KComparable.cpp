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
