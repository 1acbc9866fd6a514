// KString: building, comparing, searching, case, numbers and times.
#include "foundation/KString.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string text(const KString& S)
{
    return std::string(S.getText(), S.getLength());
}

TEST(KString, ConstructionAndAssignment)
{
    KString empty;
    EXPECT_EQ(empty.getLength(), 0);
    EXPECT_EQ(empty.getBuffer(), nullptr);
    EXPECT_STREQ(empty.getText(), "");
    EXPECT_EQ(empty.getCharacterSet(), 1);
    EXPECT_EQ(KString(static_cast<const char*>(nullptr)).getLength(), 0);

    KString copyOfEmpty(empty);
    ASSERT_NE(copyOfEmpty.getBuffer(), nullptr);
    EXPECT_EQ(copyOfEmpty.getBuffer()[0], '\0');

    KString hello("hello");
    KString other;
    other = hello;
    EXPECT_EQ(text(other), "hello");
    other = other;
    EXPECT_EQ(text(other), "hello");
    other = other.getBuffer() + 2;
    EXPECT_EQ(text(other), "llo");
    other = static_cast<const char*>(nullptr);
    EXPECT_EQ(other.getLength(), 0);

    // Text from a Mac is converted to the running platform's set.
    KString fromMac("caf\x8E", 1);
    EXPECT_EQ(text(fromMac), "caf\xE9");
    EXPECT_EQ(fromMac.getCharacterSet(), 1);
    EXPECT_EQ(text(KString("caf\xE9", 2)), "caf\xE9");

    KThing& copy = hello.deepCopy();
    EXPECT_TRUE(copy.isOnHeap());
    EXPECT_EQ(text(static_cast<KString&>(copy)), "hello");
    delete &copy;
}

TEST(KString, ComparisonsAreSignedBytesThenLength)
{
    KString ab("ab"), abc("abc"), b("b"), high("\x80"), capitalA("A");
    EXPECT_TRUE(ab < abc);
    EXPECT_TRUE(b > abc);
    EXPECT_TRUE(high < capitalA);
    EXPECT_TRUE(ab <= abc);
    EXPECT_FALSE(ab >= abc);
    EXPECT_TRUE(abc >= KString("abc"));
    EXPECT_TRUE(abc == KString("abc"));
    EXPECT_TRUE(abc != ab);
    EXPECT_TRUE(KString() == KString(""));

    EXPECT_TRUE(abc == "abc");
    EXPECT_TRUE(abc != "abd");
    EXPECT_TRUE(KString() == static_cast<const char*>(nullptr));
    EXPECT_TRUE(KString("") == "");

    // Through the base class, as the search tree compares.
    const KComparable& left = ab;
    const KComparable& right = abc;
    EXPECT_TRUE(left < right);
    EXPECT_FALSE(left == right);

    // The character set takes no part.
    KString mac("x");
    KString windows("x", 2);
    EXPECT_TRUE(mac == windows);
}

TEST(KComparable, BaseComparisonsReportError11AndAnswerTrue)
{
    ReportCatcher catcher;
    KComparable a, b;
    EXPECT_TRUE(a == b);
    EXPECT_TRUE(a != b);
    EXPECT_TRUE(a > b);
    EXPECT_TRUE(a < b);
    EXPECT_TRUE(a >= b);
    EXPECT_TRUE(a <= b);
    EXPECT_EQ(catcher.codes(), (std::vector<int>{11, 11, 11, 11, 11, 11}));
    EXPECT_TRUE(catcher.caught(11, "KComparable::operator=="));
    EXPECT_TRUE(catcher.caught(11, "KComparable::operator<="));
}

TEST(KString, BuildingText)
{
    KString s("abc");
    s.append("de");
    s.append('f');
    s.append('\0');
    s.append(static_cast<const char*>(nullptr));
    s += KString("g");
    s += "h";
    s += 'i';
    s += KString();
    EXPECT_EQ(text(s), "abcdefghi");
    EXPECT_EQ(text(KString("x") + KString("y")), "xy");
    EXPECT_EQ(text(KString("x") + "z"), "xz");
    EXPECT_EQ(text(KString("x") + static_cast<const char*>(nullptr)), "x");

    EXPECT_EQ(s.getCharAt(0), 'a');
    EXPECT_EQ(s.getCharAt(-1), '\0');
    EXPECT_EQ(s.getCharAt(9), '\0');

    s.truncate(4);
    EXPECT_EQ(text(s), "abcd");
    s.truncate(10);
    EXPECT_EQ(text(s), "abcd");

    s.clear();
    EXPECT_EQ(s.getBuffer(), nullptr);
    EXPECT_EQ(s.getLength(), 0);
}

TEST(KString, PiecesInsertAndRemove)
{
    KString s("abcdef");
    EXPECT_EQ(text(s.getMid(2, 3)), "cde");
    EXPECT_EQ(text(s.getMid(-4, 2)), "ab");
    EXPECT_EQ(text(s.getMid(4, 10)), "ef");
    EXPECT_EQ(s.getMid(6, 1).getLength(), 0);
    EXPECT_EQ(text(s.getLeft(2)), "ab");
    EXPECT_EQ(text(s.getRight(2)), "ef");
    EXPECT_EQ(text(s.getRight(10)), "abcdef");
    s.getMid(1, 2, s);
    EXPECT_EQ(text(s), "bc");

    KString r("abcdef");
    r.remove(1, 2);
    EXPECT_EQ(text(r), "adef");
    r.remove(2, 100);
    EXPECT_EQ(text(r), "ad");
    r.insert(1, KString("XY"));
    EXPECT_EQ(text(r), "aXYd");
    r.insert(99, KString("!"));
    EXPECT_EQ(text(r), "aXYd!");
    r.replaceChar('X', '-');
    EXPECT_EQ(text(r), "a-Yd!");

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

    KString onlyX("xxx");
    onlyX.trimLeft('x');
    EXPECT_EQ(onlyX.getLength(), 0);
    // A string made only of the trimmed character loses all of it, the first byte too.
    KString onlyY("yyy");
    onlyY.trimRight('y');
    EXPECT_EQ(onlyY.getLength(), 0);
    KString single("y");
    single.trimRight('y');
    EXPECT_EQ(single.getLength(), 0);

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

TEST(KString, FindForwardIsASubstringSearch)
{
    KString abc("abc");
    EXPECT_EQ(abc.find("b", 0, false), 1);
    EXPECT_EQ(abc.find("c", 1, false), 2);
    EXPECT_EQ(abc.find("a", 1, false), -1);
    EXPECT_EQ(abc.find("", 0, false), -1);
    EXPECT_EQ(abc.find("abcd", 0, false), -1);
    EXPECT_EQ(abc.find("b", 3, false), -1);
    EXPECT_EQ(abc.find("b", -1, false), -1);

    // An occurrence starting inside a failed partial match is found.
    KString aaab("aaab");
    EXPECT_EQ(aaab.find("aab", 0, false), 1);
    EXPECT_TRUE(aaab.contains("aab"));
    EXPECT_TRUE(aaab.contains(KString("ab")));
    EXPECT_FALSE(aaab.contains("ba"));
    EXPECT_FALSE(aaab.contains(""));
    EXPECT_FALSE(KString().contains("a"));
    EXPECT_EQ(KString("abababc").find(KString("ababc"), 0, false), 2);
}

TEST(KString, FindBackwardReachesIndexZero)
{
    KString abca("abca");
    EXPECT_EQ(abca.find("c", 3, true), 2);
    EXPECT_EQ(abca.find("a", 2, true), 0);
    EXPECT_EQ(abca.find("a", 0, true), 0);
    EXPECT_EQ(abca.find("a", 3, true), 3);
    EXPECT_EQ(abca.find("ca", 3, true), 2);
    EXPECT_EQ(abca.find("", 3, true), -1);
    EXPECT_EQ(abca.find("x", 3, true), -1);
    EXPECT_EQ(abca.find("a", -1, true), -1);
    // A start past the end looks at the last place an occurrence fits.
    EXPECT_EQ(abca.find("bc", 99, true), 1);
}

TEST(KString, CharacterCountsAndPositions)
{
    KString s("a.b.c");
    EXPECT_EQ(s.findChar('.', -1), 1);
    EXPECT_EQ(s.findChar('.', 1), 3);
    EXPECT_EQ(s.findChar('.', 3), -1);
    EXPECT_EQ(s.findChar('a', -2), -1);
    EXPECT_EQ(s.countChar('.'), 2);
    EXPECT_EQ(s.countChar('x'), 0);
}

TEST(KString, ToLongGathersDigitsAndSigns)
{
    EXPECT_EQ(KString("123").toLong(), 123);
    EXPECT_EQ(KString("12-3").toLong(), -123);
    EXPECT_EQ(KString("-5+7").toLong(), 57);
    EXPECT_EQ(KString(" 12").toLong(), 0);
    EXPECT_EQ(KString("42abc").toLong(), 42);
    EXPECT_EQ(KString().toLong(), 0);
}

TEST(KString, SetNumber)
{
    KString s("old");
    s.setNumber(0);
    EXPECT_EQ(text(s), "0");
    s.setNumber(-45);
    EXPECT_EQ(text(s), "-45");
    s.setNumber(-2147483647L - 1);
    EXPECT_EQ(text(s), "-2147483648");
}

TEST(KString, ToDoubleSkipsAnySeparator)
{
    EXPECT_DOUBLE_EQ(KString("3,25").toDouble(), 3.25);
    EXPECT_DOUBLE_EQ(KString("3.25").toDouble(), 3.25);
    EXPECT_DOUBLE_EQ(KString(".5").toDouble(), 0.5);
    EXPECT_DOUBLE_EQ(KString("abc").toDouble(), 0.0);
    EXPECT_DOUBLE_EQ(KString("-1.5").toDouble(), -1.5);
    EXPECT_DOUBLE_EQ(KString("+7").toDouble(), 7.0);
    EXPECT_DOUBLE_EQ(KString().toDouble(), 0.0);
}

TEST(KString, SetFloatRoundsHalfUp)
{
    KString s;
    s.setFloat(2.7, 0);
    EXPECT_EQ(text(s), "3");
    s.setFloat(-0.4, 0);
    EXPECT_EQ(text(s), "-0");
    s.setFloat(0.75, 1);
    EXPECT_EQ(text(s), "0.8");
    s.setFloat(0.96875, 1);
    EXPECT_EQ(text(s), "1.0");
    s.setFloat(3.14159, 2);
    EXPECT_EQ(text(s), "3.14");
    s.setFloat(1.05, 3);
    EXPECT_EQ(text(s), "1.050");
    s.setFloat(0.5, 12);
    EXPECT_EQ(text(s), "0.50000000");
}

TEST(KString, SetTimeWritesTheChosenFields)
{
    KString s;
    s.setTime(3723450, KString("hms"));
    EXPECT_EQ(text(s), "01:02:03");
    s.setTime(3723450, KString("c s m h"));
    EXPECT_EQ(text(s), "01:02:03:45");
    s.setTime(65000, KString("ms"));
    EXPECT_EQ(text(s), "01:05");
    s.setTime(0, KString("hmsc"));
    EXPECT_EQ(text(s), "00:00:00:00");
    s.setTime(90000000, KString("h"));
    EXPECT_EQ(text(s), "01");
    s.setTime(1000, KString("HMS"));
    EXPECT_EQ(s.getLength(), 0);
}

} // namespace
