// KString: building, comparing, searching, case, numbers and times.
#include "foundation/KString.h"
#include "tests/foundation/ContainerHelpers.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(KString, AssignmentAndComparisons)
{
    // A copy of an empty string has a buffer of its own; a string may be assigned a
    // piece of itself.
    KString empty;
    EXPECT_EQ(empty.getBuffer(), nullptr);
    KString copyOfEmpty(empty);
    ASSERT_NE(copyOfEmpty.getBuffer(), nullptr);
    KString other("hello");
    other = other;
    other = other.getBuffer() + 2;
    EXPECT_EQ(text(other), "llo");
    // Text from a Mac is converted to the running platform's set.
    EXPECT_EQ(text(KString("caf\x8E", 1)), "caf\xE9");

    // Signed bytes, then length; the character set takes no part.
    KString ab("ab"), abc("abc");
    EXPECT_TRUE(ab < abc && KString("b") > abc && KString("\x80") < KString("A"));
    EXPECT_TRUE(ab <= abc && !(ab >= abc) && abc != ab);
    EXPECT_TRUE(KString() == KString("") && KString() == static_cast<const char*>(nullptr));
    EXPECT_TRUE(abc == "abc" && abc != "abd" && KString("x") == KString("x", 2));
    // Through the base class, as the search tree compares.
    EXPECT_TRUE(static_cast<const KComparable&>(ab) < static_cast<const KComparable&>(abc));

    // The base's comparisons report error 11 and answer true.
    ReportCatcher catcher;
    KComparable a, b;
    EXPECT_TRUE(a == b && a != b && a > b && a < b && a >= b && a <= b);
    EXPECT_EQ(catcher.codes(), (std::vector<int>(6, 11)));
    EXPECT_TRUE(catcher.caught(11, "KComparable::operator<="));
}

TEST(KString, BuildingPiecesInsertAndRemove)
{
    KString s("abc");
    s.append("de");
    s.append('\0');
    s.append(static_cast<const char*>(nullptr));
    s += 'f';
    s += "ghi";
    EXPECT_EQ(text(s), "abcdefghi");
    EXPECT_EQ(text(KString("x") + KString("y") + "z" + static_cast<const char*>(nullptr)), "xyz");
    EXPECT_EQ(std::string() + s.getCharAt(-1) + s.getCharAt(9), std::string(2, '\0'));
    s.truncate(10);
    s.truncate(6);
    EXPECT_EQ(text(s), "abcdef");

    EXPECT_EQ(text(s.getMid(2, 3)) + "|" + text(s.getMid(-4, 2)) + "|" + text(s.getMid(4, 10)) + "|"
                  + text(s.getMid(6, 1)),
              "cde|ab|ef|");
    EXPECT_EQ(text(s.getLeft(2)) + "|" + text(s.getRight(2)) + "|" + text(s.getRight(10)), "ab|ef|abcdef");

    s.remove(1, 2);
    s.remove(2, 100);
    s.insert(1, KString("XY"));
    s.insert(99, KString("!"));
    EXPECT_EQ(text(s), "aXYd!");
    s.replaceChar('X', '-');
    s.getMid(1, 2, s);
    EXPECT_EQ(text(s), "-Y");
    s.clear();
    EXPECT_EQ(s.getBuffer(), nullptr);

    KString path("a/b/c/b");
    EXPECT_EQ(path.replaceAll(KString("b"), KString("bb")), -1);
    EXPECT_EQ(text(path), "a/bb/c/bb");
    path.replaceAll(KString("/"), KString());
    EXPECT_EQ(text(path), "abbcbb");
}

TEST(KString, TrimAndPad)
{
    KString s("xxabxx");
    s.trimLeft('x');
    EXPECT_EQ(text(s), "abxx");
    s.trimRight('x');
    EXPECT_EQ(text(s), "ab");
    // A string made only of the trimmed character loses all of it, the first byte too.
    for (const char* only : {"xxx", "x"}) {
        KString left(only), right(only);
        left.trimLeft('x');
        right.trimRight('x');
        EXPECT_EQ(left.getLength() + right.getLength(), 0) << only;
    }

    KString seven("7");
    seven.padLeft('0', 3);
    EXPECT_EQ(text(seven), "007");
    seven.padLeft('0', 2);
    EXPECT_EQ(text(seven), "007");
}

TEST(KString, CaseCoversWindowsLettersWithPartners)
{
    KString s("Hello \xC0\xC9\xD0\xD7\xDD\xDE\x8A");
    s.toLower();
    EXPECT_EQ(text(s), "hello \xE0\xE9\xD0\xD7\xFD\xDE\x8A");
    s.toUpper();
    EXPECT_EQ(text(s), "HELLO \xC0\xC9\xD0\xD7\xDD\xDE\x8A");
    EXPECT_EQ(text(KString("\xF0\xF7\xFF\xDF").getUpperCopy()), "\xF0\xF7\xFF\xDF");
    EXPECT_EQ(text(KString("MiXed").getLowerCopy()), "mixed");
}

TEST(KString, FindIsASubstringSearchBothWays)
{
    const struct {
        const char* in;
        const char* what;
        long start;
        bool backward;
        long found;
    } cases[] = {
        {"abc", "b", 0, false, 1},     {"abc", "c", 1, false, 2},   {"abc", "a", 1, false, -1},
        {"abc", "", 0, false, -1},     {"abc", "abcd", 0, false, -1}, {"abc", "b", 3, false, -1},
        {"abc", "b", -1, false, -1},
        // An occurrence starting inside a failed partial match is found.
        {"aaab", "aab", 0, false, 1},  {"abababc", "ababc", 0, false, 2},
        // Backward searches reach index 0.
        {"abca", "c", 3, true, 2},     {"abca", "a", 2, true, 0},   {"abca", "a", 0, true, 0},
        {"abca", "a", 3, true, 3},     {"abca", "ca", 3, true, 2},  {"abca", "", 3, true, -1},
        {"abca", "x", 3, true, -1},    {"abca", "a", -1, true, -1},
        // A start past the end looks at the last place an occurrence fits.
        {"abca", "bc", 99, true, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KString(c.in).find(KString(c.what), c.start, c.backward), c.found)
            << c.in << " " << c.what << " " << c.start << (c.backward ? " backward" : "");
    EXPECT_EQ(KString("aaab").find("aab", 0, false), 1);
    KString aaab("aaab");
    EXPECT_TRUE(aaab.contains("aab"));
    EXPECT_TRUE(aaab.contains(KString("ab")));
    EXPECT_FALSE(aaab.contains("ba"));
    EXPECT_FALSE(aaab.contains(""));
    EXPECT_FALSE(KString().contains("a"));

    KString dots("a.b.c");
    EXPECT_EQ(dots.findChar('.', -1) + dots.findChar('.', 1), 1 + 3);
    EXPECT_EQ(dots.findChar('.', 3) + dots.findChar('a', -2), -2);
    EXPECT_EQ(dots.countChar('.'), 2);
}

TEST(KString, ReadingNumbers)
{
    const std::pair<const char*, long> longs[] = {{"123", 123}, {"12-3", -123}, {"-5+7", 57},
                                                  {" 12", 0},   {"42abc", 42},  {"", 0}};
    for (const auto& [in, value] : longs)
        EXPECT_EQ(KString(in).toLong(), value) << in;
    // Any separator serves as the decimal point.
    const std::pair<const char*, double> doubles[] = {{"3,25", 3.25}, {"3.25", 3.25}, {".5", 0.5}, {"abc", 0.0},
                                                      {"-1.5", -1.5}, {"+7", 7.0},    {"", 0.0}};
    for (const auto& [in, value] : doubles)
        EXPECT_DOUBLE_EQ(KString(in).toDouble(), value) << in;
}

TEST(KString, WritingNumbersAndTimes)
{
    KString s("old");
    for (long n : {0L, -45L, -2147483647L - 1}) {
        s.setNumber(n);
        EXPECT_EQ(text(s), std::to_string(n));
    }
    // Rounded half up; at most eight decimals.
    const struct {
        double value;
        short decimals;
        const char* out;
    } floats[] = {{2.7, 0, "3"},        {-0.4, 0, "-0"},      {0.75, 1, "0.8"},   {0.96875, 1, "1.0"},
                  {3.14159, 2, "3.14"}, {1.05, 3, "1.050"}, {0.5, 12, "0.50000000"}};
    for (const auto& f : floats) {
        s.setFloat(f.value, f.decimals);
        EXPECT_EQ(text(s), f.out) << f.value;
    }
    const struct {
        unsigned long ms;
        const char* format;
        const char* out;
    } times[] = {{3723450, "hms", "01:02:03"}, {3723450, "c s m h", "01:02:03:45"}, {65000, "ms", "01:05"},
                 {0, "hmsc", "00:00:00:00"},   {90000000, "h", "01"},               {1000, "HMS", ""}};
    for (const auto& t : times) {
        s.setTime(t.ms, KString(t.format));
        EXPECT_EQ(text(s), t.out) << t.ms << " " << t.format;
    }
}

} // namespace
