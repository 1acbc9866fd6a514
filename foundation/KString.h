#pragma once
// The system's one string: a counted byte string that also remembers the character set
// of its bytes (0 Mac OS Roman, 1 Windows-1252), so that text written on one platform is
// converted when it is read on the other. Bytes compare as signed 8-bit values.
#include "foundation/KComparable.h"

class KString : public KComparable {
    K_DECLARE_CLASS(KString)
public:
    KString();
    KString(const char* S);
    KString(const KString& S);
    // A copy of S, converted from the character set of Platform (1 Mac, 2 Windows) when
    // that is not the running platform.
    KString(const char* S, uint8 Platform);
    ~KString() override;

    KString& operator=(const char* S);
    KString& operator=(const KString& S);

    KThing& deepCopy() const override;
    // The text is stored as it is, with its own character set, and converted to the
    // running platform's set when read.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    // The argument of every comparison must be a KString.
    bool operator==(const KComparable& O) const override;
    bool operator!=(const KComparable& O) const override;
    bool operator>(const KComparable& O) const override;
    bool operator<(const KComparable& O) const override;
    bool operator>=(const KComparable& O) const override;
    bool operator<=(const KComparable& O) const override;
    // A null S equals the empty string.
    bool operator==(const char* S) const;
    bool operator!=(const char* S) const;

    long getLength() const { return m_length; }
    bool isEmpty() const { return m_length == 0; }
    // The text with its NUL; null for a string that holds no text yet or was cleared.
    const char* getBuffer() const { return m_buffer; }
    // The text, never null.
    const char* getText() const { return m_buffer ? m_buffer : ""; }
    uint8 getCharacterSet() const { return m_characterSet; }
    // 0 for an index outside the text.
    char getCharAt(long I) const;

    void append(const char* S);
    void append(char C);
    void append(const KString& S);
    KString& operator+=(const KString& S);
    KString& operator+=(const char* S);
    KString& operator+=(char C);
    KString operator+(const KString& S) const;
    KString operator+(const char* S) const;

    void clear();
    void truncate(long N);
    KString getMid(long Start, long Count) const;
    void getMid(long Start, long Count, KString& Out) const;
    KString getLeft(long N) const;
    KString getRight(long N) const;
    void remove(long Pos, long Count);
    void insert(long Pos, const KString& S);
    void padLeft(char C, long Width);
    void trimLeft(char C);
    void trimRight(char C);
    void replaceChar(char From, char To);
    long replaceAll(const KString& Pattern, const KString& Replacement);
    // ASCII letters and the Windows-1252 accented letters that have a case partner.
    void toLower();
    void toUpper();
    KString getLowerCopy() const;
    KString getUpperCopy() const;

    bool contains(const char* S) const;
    bool contains(const KString& S) const;
    // The index where S begins, or -1. Forward scans from Start towards the end; backward
    // scans from Start down to index 0.
    long find(const char* S, long Start, bool Backward) const;
    long find(const KString& S, long Start, bool Backward) const;
    long findChar(char C, long After) const;
    long countChar(char C) const;

    // Digits build the value; "-" and "+" anywhere set the sign; anything else ends it.
    long toLong() const;
    void setNumber(long N);
    // Sign, integer digits, one separator byte of any kind, fraction digits.
    double toDouble() const;
    // Exactly Decimals fraction digits (at most 8), rounded half up.
    void setFloat(double Value, short Decimals);
    // A time of day from milliseconds; the letters h, m, s and c in Format choose the
    // fields, always written in that order, two digits each, joined by ":".
    void setTime(unsigned long Ms, const KString& Format);

private:
    // Replaces the text with Count bytes from Bytes (which may lie in the old buffer).
    void setText(const char* Bytes, long Count);
    int compare(const KComparable& O) const;
    long findBytes(const char* Pattern, long Length, long Start, bool Backward) const;

    uint8 m_characterSet;
    long m_length = 0;
    char* m_buffer = nullptr;
};

K_POINTER_CLASS(KString, KComparablePtr);
