// KDate and KTime: lexicographic order over signed components.
#include "foundation/KDate.h"
#include "foundation/KTime.h"

#include <gtest/gtest.h>

namespace {

TEST(KDate, OrdersByYearMonthDay)
{
    EXPECT_TRUE(KDate() == KDate());
    EXPECT_FALSE(KDate() != KDate());

    const KDate endOfJanuary(1999, 1, 31), firstOfFebruary(1999, 2, 1);
    EXPECT_TRUE(endOfJanuary < firstOfFebruary);
    EXPECT_FALSE(endOfJanuary > firstOfFebruary);

    const KDate newYearsEve(1999, 12, 31), newYear(2000, 1, 1);
    EXPECT_FALSE(newYearsEve >= newYear);
    EXPECT_TRUE(newYear >= newYearsEve);
    EXPECT_TRUE(newYearsEve <= newYear);

    EXPECT_TRUE(KDate(2000, 5, 2) > KDate(2000, 5, 1));
    EXPECT_TRUE(KDate(2000, 5, -1) < KDate(2000, 5, 0));
    EXPECT_TRUE(KDate(-1, 12, 31) < KDate());

    KDate copy;
    copy.set(newYearsEve);
    EXPECT_TRUE(copy == newYearsEve);
    EXPECT_EQ(copy.getYear(), 1999);
    EXPECT_EQ(copy.getMonth(), 12);
    EXPECT_EQ(copy.getDay(), 31);
}

TEST(KTime, OrdersByHourMinuteSecond)
{
    const KTime before(10, 59, 59), after(11, 0, 0);
    EXPECT_TRUE(before < after);
    EXPECT_TRUE(after > before);
    EXPECT_TRUE(before != after);
    EXPECT_TRUE(before >= before);
    EXPECT_TRUE(before <= before);
    EXPECT_FALSE(before < before);

    KTime copy;
    copy.setHour(before.getHour());
    copy.setMinute(before.getMinute());
    copy.setSecond(before.getSecond());
    EXPECT_TRUE(copy == before);
}

} // namespace
