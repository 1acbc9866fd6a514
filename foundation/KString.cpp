#include "foundation/KString.h"

#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"
#include "foundation/KMemory.h"
#include "foundation/KernelFunctions.h"

#include <cmath>
#include <cstring>
#include <string>

K_DEFINE_CLASS(KString, KComparable, 1)

namespace {
uint8 runningCharacterSet()
{
    return knsGetCharacterSet(knsGetPlatform());
}

long textLength(const char* S)
{
    return S ? static_cast<long>(std::strlen(S)) : 0;
}

// Appends Value in decimal, at least Digits digits.
void appendDigits(std::string& Out, unsigned long long Value, int Digits)
{
    std::string digits;
    do {
        digits.insert(digits.begin(), char('0' + Value % 10));
        Value /= 10;
    } while (Value > 0);
    if (static_cast<int>(digits.size()) < Digits)
        digits.insert(0, Digits - digits.size(), '0');
    Out += digits;
}
} // namespace

KString::KString()
    : m_characterSet(runningCharacterSet())
{
}

KString::KString(const char* S)
    : KString()
{
    if (S)
        setText(S, textLength(S));
}

KString::KString(const KString& S)
    : KComparable(S)
    , m_characterSet(S.m_characterSet)
{
    setText(S.getText(), S.m_length);
}

KString::KString(const char* S, uint8 Platform)
    : KString(S)
{
    if (Platform != knsGetPlatform() && m_buffer)
        knsConvertText(m_buffer, m_length, knsGetCharacterSet(Platform), m_characterSet);
}

KString::~KString()
{
    if (m_buffer)
        KMemory::dispose(m_buffer);
}

KString& KString::operator=(const char* S)
{
    // S may point into this string's own buffer, which clear frees.
    const std::string copy(S ? S : "");
    clear();
    if (S)
        setText(copy.data(), static_cast<long>(copy.size()));
    return *this;
}

KString& KString::operator=(const KString& S)
{
    if (&S == this)
        return *this;
    clear();
    m_characterSet = S.m_characterSet;
    if (S.m_length > 0)
        setText(S.m_buffer, S.m_length);
    return *this;
}

KThing& KString::deepCopy() const
{
    KString* copy = new KString(*this);
    if (!copy)
        return kNullReference<KThing>();
    return *copy;
}

void KString::setText(const char* Bytes, long Count)
{
    if (Count < 0)
        Count = 0;
    // The new buffer is filled before the old one goes: Bytes may lie inside it.
    char* buffer = static_cast<char*>(KMemory::allocate(static_cast<unsigned long>(Count) + 1, false));
    if (!buffer)
        return;
    if (Count > 0)
        KMemory::copy(Bytes, buffer, static_cast<unsigned long>(Count));
    buffer[Count] = '\0';
    if (m_buffer)
        KMemory::dispose(m_buffer);
    m_buffer = buffer;
    m_length = Count;
}

int KString::compare(const KComparable& O) const
{
    const KString& other = static_cast<const KString&>(O);
    const long shorter = m_length < other.m_length ? m_length : other.m_length;
    for (long i = 0; i < shorter; ++i) {
        const auto mine = static_cast<signed char>(m_buffer[i]);
        const auto theirs = static_cast<signed char>(other.m_buffer[i]);
        if (mine != theirs)
            return mine < theirs ? -1 : 1;
    }
    if (m_length == other.m_length)
        return 0;
    return m_length < other.m_length ? -1 : 1;
}

K_DEFINE_COMPARISONS(KString)

bool KString::operator==(const char* S) const
{
    const long length = textLength(S);
    return length == m_length && (length == 0 || std::memcmp(S, m_buffer, length) == 0);
}

bool KString::operator!=(const char* S) const { return !(*this == S); }

char KString::getCharAt(long I) const
{
    return I >= 0 && I < m_length ? m_buffer[I] : '\0';
}

void KString::append(const char* S)
{
    if (!S)
        return;
    std::string joined(getText(), m_length);
    joined += S;
    setText(joined.data(), static_cast<long>(joined.size()));
}

void KString::append(char C)
{
    const char text[2] = {C, '\0'};
    append(text);
}

void KString::append(const KString& S)
{
    if (S.m_length > 0) {
        std::string joined(getText(), m_length);
        joined.append(S.m_buffer, S.m_length);
        setText(joined.data(), static_cast<long>(joined.size()));
    }
}

KString& KString::operator+=(const KString& S)
{
    append(S);
    return *this;
}

KString& KString::operator+=(const char* S)
{
    append(S);
    return *this;
}

KString& KString::operator+=(char C)
{
    append(C);
    return *this;
}

KString KString::operator+(const KString& S) const
{
    KString result(*this);
    result.append(S);
    return result;
}

KString KString::operator+(const char* S) const
{
    KString result(*this);
    result.append(S);
    return result;
}

void KString::clear()
{
    if (!m_buffer)
        return;
    KMemory::dispose(m_buffer);
    m_buffer = nullptr;
    m_length = 0;
    m_characterSet = runningCharacterSet();
}

void KString::truncate(long N)
{
    if (m_length > N)
        setText(m_buffer, N);
}

KString KString::getMid(long Start, long Count) const
{
    KString result;
    getMid(Start, Count, result);
    return result;
}

void KString::getMid(long Start, long Count, KString& Out) const
{
    if (Start < 0)
        Start = 0;
    const long remaining = m_length - Start;
    if (Count > remaining)
        Count = remaining;
    // Out may be this string itself; the piece keeps this string's character set.
    const std::string piece(Count > 0 ? std::string(m_buffer + Start, Count) : std::string());
    const uint8 characterSet = m_characterSet;
    Out.clear();
    Out.m_characterSet = characterSet;
    if (!piece.empty())
        Out.setText(piece.data(), static_cast<long>(piece.size()));
}

KString KString::getLeft(long N) const { return getMid(0, N); }

KString KString::getRight(long N) const { return getMid(m_length - N, N); }

void KString::remove(long Pos, long Count)
{
    if (m_length == 0)
        return;
    if (Pos < 0)
        Pos = 0;
    if (Pos > m_length)
        Pos = m_length;
    long end = Count > m_length - Pos ? m_length : Pos + (Count > 0 ? Count : 0);
    std::string kept(m_buffer, Pos);
    kept.append(m_buffer + end, m_length - end);
    setText(kept.data(), static_cast<long>(kept.size()));
}

void KString::insert(long Pos, const KString& S)
{
    if (Pos < 0)
        Pos = 0;
    if (Pos > m_length)
        Pos = m_length;
    std::string joined(getText(), Pos);
    joined.append(S.getText(), S.m_length);
    joined.append(getText() + Pos, m_length - Pos);
    setText(joined.data(), static_cast<long>(joined.size()));
}

void KString::padLeft(char C, long Width)
{
    if (m_length >= Width)
        return;
    std::string padded(Width - m_length, C);
    padded.append(getText(), m_length);
    setText(padded.data(), static_cast<long>(padded.size()));
}

void KString::trimLeft(char C)
{
    long first = 0;
    while (first < m_length && m_buffer[first] == C)
        ++first;
    if (first > 0)
        setText(m_buffer + first, m_length - first);
}

void KString::trimRight(char C)
{
    // Down to index 0 included: a string made only of C becomes empty.
    long end = m_length;
    while (end > 0 && m_buffer[end - 1] == C)
        --end;
    if (end < m_length)
        setText(m_buffer, end);
}

void KString::replaceChar(char From, char To)
{
    for (long i = 0; i < m_length; ++i) {
        if (m_buffer[i] == From)
            m_buffer[i] = To;
    }
}

long KString::replaceAll(const KString& Pattern, const KString& Replacement)
{
    long at = find(Pattern, 0, false);
    while (at >= 0) {
        remove(at, Pattern.m_length);
        insert(at, Replacement);
        at = find(Pattern, at + Replacement.m_length, false);
    }
    return -1;
}

void KString::toLower()
{
    for (long i = 0; i < m_length; ++i) {
        const auto byte = static_cast<unsigned char>(m_buffer[i]);
        if ((byte >= 0x41 && byte <= 0x5A) || (byte >= 0xC0 && byte <= 0xDD && byte != 0xD0 && byte != 0xD7))
            m_buffer[i] = static_cast<char>(byte + 0x20);
    }
}

void KString::toUpper()
{
    for (long i = 0; i < m_length; ++i) {
        const auto byte = static_cast<unsigned char>(m_buffer[i]);
        if ((byte >= 0x61 && byte <= 0x7A) || (byte >= 0xE0 && byte <= 0xFD && byte != 0xF0 && byte != 0xF7))
            m_buffer[i] = static_cast<char>(byte - 0x20);
    }
}

KString KString::getLowerCopy() const
{
    KString copy(*this);
    copy.toLower();
    return copy;
}

KString KString::getUpperCopy() const
{
    KString copy(*this);
    copy.toUpper();
    return copy;
}

bool KString::contains(const char* S) const
{
    return m_length > 0 && find(S, 0, false) >= 0;
}

bool KString::contains(const KString& S) const
{
    return m_length > 0 && find(S, 0, false) >= 0;
}

long KString::find(const char* S, long Start, bool Backward) const
{
    return findBytes(S, textLength(S), Start, Backward);
}

long KString::find(const KString& S, long Start, bool Backward) const
{
    return findBytes(S.getText(), S.m_length, Start, Backward);
}

long KString::findBytes(const char* Pattern, long Length, long Start, bool Backward) const
{
    if (Length == 0 || Length > m_length || Start < 0)
        return -1;
    // An occurrence has to fit inside the text, so no scan reads past its end.
    const long last = m_length - Length;
    if (Backward) {
        for (long at = Start < last ? Start : last; at >= 0; --at) {
            if (std::memcmp(m_buffer + at, Pattern, Length) == 0)
                return at;
        }
        return -1;
    }
    for (long at = Start; at <= last; ++at) {
        if (std::memcmp(m_buffer + at, Pattern, Length) == 0)
            return at;
    }
    return -1;
}

long KString::findChar(char C, long After) const
{
    if (After + 1 < 0)
        return -1;
    for (long i = After + 1; i < m_length; ++i) {
        if (m_buffer[i] == C)
            return i;
    }
    return -1;
}

long KString::countChar(char C) const
{
    long count = 0;
    for (long i = 0; i < m_length; ++i) {
        if (m_buffer[i] == C)
            ++count;
    }
    return count;
}

long KString::toLong() const
{
    // The digits are gathered in 32 bits; values beyond that wrap.
    uint32 value = 0;
    bool negative = false;
    for (long i = 0; i < m_length; ++i) {
        const char c = m_buffer[i];
        if (c >= '0' && c <= '9')
            value = value * 10 + static_cast<uint32>(c - '0');
        else if (c == '-')
            negative = true;
        else if (c == '+')
            negative = false;
        else
            break;
    }
    return static_cast<int32>(negative ? 0u - value : value);
}

void KString::setNumber(long N)
{
    std::string text;
    long long value = N;
    if (value < 0) {
        text += '-';
        value = -value;
    }
    appendDigits(text, static_cast<unsigned long long>(value), 1);
    clear();
    setText(text.data(), static_cast<long>(text.size()));
}

double KString::toDouble() const
{
    long i = 0;
    bool negative = false;
    if (i < m_length && (m_buffer[i] == '-' || m_buffer[i] == '+')) {
        negative = m_buffer[i] == '-';
        ++i;
    }
    // Integer part and fraction are joined into one 32-bit integer, as they always were.
    uint32 joined = 0;
    while (i < m_length && m_buffer[i] >= '0' && m_buffer[i] <= '9')
        joined = joined * 10 + static_cast<uint32>(m_buffer[i++] - '0');
    int fractionDigits = 0;
    if (i < m_length) {
        ++i; // the decimal separator, whatever it is
        while (i < m_length && m_buffer[i] >= '0' && m_buffer[i] <= '9') {
            joined = joined * 10 + static_cast<uint32>(m_buffer[i++] - '0');
            ++fractionDigits;
        }
    }
    double value = static_cast<int32>(joined) / std::pow(10.0, fractionDigits);
    return negative ? -value : value;
}

void KString::setFloat(double Value, short Decimals)
{
    if (Decimals > 8)
        Decimals = 8;
    if (Decimals < 0)
        Decimals = 0;
    std::string text;
    if (Value < 0) {
        text += '-';
        Value = -Value;
    }
    // Beyond this the integer part has no exact digits left to write.
    constexpr double kLargest = 9.0e18;
    if (!(Value < kLargest))
        Value = Value == Value ? kLargest : 0.0;

    const double whole = std::trunc(Value);
    auto integer = static_cast<unsigned long long>(whole);
    unsigned long long scale = 1;
    for (int d = 0; d < Decimals; ++d)
        scale *= 10;
    // One digit more than asked, truncated; that digit rounds the rest half up.
    auto fraction = static_cast<unsigned long long>((Value - whole) * static_cast<double>(scale * 10));
    const unsigned long long roundingDigit = fraction % 10;
    fraction /= 10;
    if (roundingDigit >= 5) {
        ++fraction;
        if (fraction >= scale) {
            fraction = 0;
            ++integer;
        }
    }
    appendDigits(text, integer, 1);
    if (Decimals > 0) {
        text += '.';
        appendDigits(text, fraction, Decimals);
    }
    clear();
    setText(text.data(), static_cast<long>(text.size()));
}

void KString::setTime(unsigned long Ms, const KString& Format)
{
    const unsigned long fields[4] = {Ms / 3600000 % 24, Ms / 60000 % 60, Ms / 1000 % 60, Ms / 10 % 100};
    const char letters[4] = {'h', 'm', 's', 'c'};
    std::string text;
    for (int i = 0; i < 4; ++i) {
        if (Format.findChar(letters[i], -1) < 0)
            continue;
        if (!text.empty())
            text += ':';
        appendDigits(text, fields[i], 2);
    }
    clear();
    setText(text.data(), static_cast<long>(text.size()));
}

void KString::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, KString::getClassRecord());
    writer.newSection(1);
    F.writeShort(m_characterSet);
    F.writeLong(m_length);
    if (m_length > 0)
        F.write(m_buffer, m_length + 1);
    writer.end();
}

void KString::readFromFile(KFile& F)
{
    clear();
    KClassReader reader;
    if (reader.beginAtSection(F, KString::getClassRecord(), 1)) {
        short storedSet = 0;
        long length = 0;
        F.readShort(storedSet);
        F.readLong(length);
        m_characterSet = runningCharacterSet();
        // The text and its NUL must lie inside the section: a larger length is damage,
        // and nothing is allocated for it.
        if (length > 0 && length >= reader.getSectionBytesLeft()) {
            F.setError(KClassReader::kDamagedDataError);
            reader.skipSection();
        } else if (length > 0) {
            char* buffer = static_cast<char*>(KMemory::allocate(static_cast<unsigned long>(length) + 1, false));
            if (buffer) {
                F.read(buffer, length + 1);
                buffer[length] = '\0';
                knsConvertText(buffer, length, static_cast<uint8>(storedSet), m_characterSet);
                m_buffer = buffer;
                m_length = length;
            }
        }
    }
    reader.end();
}
