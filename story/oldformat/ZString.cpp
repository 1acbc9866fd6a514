#include "story/oldformat/ZString.h"

#include "story/oldformat/ZClass.h"
#include "story/oldformat/ZFile.h"

ZClass* ZString::s_class = nullptr;

ZString::ZString(const char* Text)
{
    if (Text)
        m_text = Text;
}

ZString::ZString(const char* Text, long Length)
{
    if (Text && Length > 0)
        m_text.assign(Text, static_cast<std::size_t>(Length));
}

ZString& ZString::operator=(const char* Text)
{
    m_text = Text ? Text : "";
    return *this;
}

ZClass& ZString::getClass() const { return ZClass::recordOf(s_class); }

void ZString::readFromFile(ZFile& F)
{
    if (ZClass::readClassInfo(s_class, F))
        F.readString(*this);
}

void ZString::writeToFile(ZFile& F)
{
    getClass().writeClassInfo(F);
    F.writeString(*this);
}

char ZString::charAt(long Index) const
{
    if (Index < 0 || Index >= getLength())
        return 0;
    return m_text[static_cast<std::size_t>(Index)];
}

ZString& ZString::append(const char* Text)
{
    if (Text)
        m_text += Text;
    return *this;
}

ZString& ZString::append(char C)
{
    m_text += C;
    return *this;
}

ZString& ZString::append(const ZString& Other)
{
    m_text += Other.m_text;
    return *this;
}

ZString ZString::operator+(const ZString& Other) const
{
    ZString result(*this);
    result.append(Other);
    return result;
}

long ZString::indexOf(const char* Pattern, long From) const
{
    if (!Pattern || From < 0 || From > getLength())
        return -1;
    const std::size_t found = m_text.find(Pattern, static_cast<std::size_t>(From));
    return found == std::string::npos ? -1 : static_cast<long>(found);
}

ZString ZString::substring(long Start, long Count) const
{
    if (Start < 0)
        Start = 0;
    if (Count <= 0 || Start >= getLength())
        return ZString();
    const long available = getLength() - Start;
    return ZString(m_text.c_str() + Start, Count < available ? Count : available);
}
