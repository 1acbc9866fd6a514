#pragma once
// The text of old-version documents: bytes without any character-set conversion. An
// empty string has no text and the length 0.
#include "story/oldformat/ZThing.h"

#include <string>

class ZString : public ZThing {
public:
    ZString() = default;
    // Null gives the empty string.
    ZString(const char* Text);
    ZString(const char* Text, long Length);
    ZString(const ZString& Other) = default;
    ZString& operator=(const ZString& Other) = default;
    ZString& operator=(const char* Text);

    ZClass& getClass() const override;
    // The class record, then the text as the file's length-prefixed string.
    void readFromFile(ZFile& F) override;
    void writeToFile(ZFile& F) override;

    bool operator==(const ZString& Other) const { return m_text == Other.m_text; }
    bool operator!=(const ZString& Other) const { return !(*this == Other); }

    long getLength() const { return static_cast<long>(m_text.size()); }
    bool isEmpty() const { return m_text.empty(); }
    // Always terminated; "" for the empty string.
    const char* getText() const { return m_text.c_str(); }
    // 0 outside the text.
    char charAt(long Index) const;

    ZString& append(const char* Text);
    ZString& append(char C);
    ZString& append(const ZString& Other);
    ZString operator+(const ZString& Other) const;

    bool contains(const char* Pattern) const { return indexOf(Pattern, 0) >= 0; }
    // The position of the first occurrence at or after From, or −1.
    long indexOf(const char* Pattern, long From) const;
    // A negative start counts as 0; the count is cut to the end of the text; a count of
    // 0 or less gives the empty string.
    ZString substring(long Start, long Count) const;

    void clear() { m_text.clear(); }

    static ZClass* getClassRecord() { return s_class; }
    static void setClassRecord(ZClass* Record) { s_class = Record; }
    static ZThing* createInstance() { return new ZString; }

private:
    static ZClass* s_class;

    std::string m_text;
};
