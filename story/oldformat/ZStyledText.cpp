#include "story/oldformat/ZStyledText.h"

#include "story/oldformat/ZFile.h"

Z_DEFINE_CLASS(ZStyledText)

void ZStyledText::readFromFile(ZFile& F)
{
    if (!ZClass::readClassInfo(s_class, F))
        return;
    F.readString(m_text);
    m_style.readFromFile(F);
    short alignment = m_alignment;
    F.readShort(alignment);
    m_alignment = static_cast<int8>(alignment & 0xFF);
    m_background.readFromFile(F);
}

void ZStyledText::writeToFile(ZFile& F)
{
    getClass().writeClassInfo(F);
    F.writeString(m_text);
    m_style.writeToFile(F);
    F.writeShort(m_alignment);
    m_background.writeToFile(F);
}
