#include "graphics/KTextStyle.h"

#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"

K_DEFINE_CLASS(KTextStyle, KThing, 1)

KTextStyle::KTextStyle() : m_color(kBlack) {}

KTextStyle::KTextStyle(const KFont& Font, const KColor& Color) : m_font(Font), m_color(Color) {}

KTextStyle::KTextStyle(const KTextStyle& Other) : KThing(), m_font(Other.m_font), m_color(Other.m_color) {}

KTextStyle& KTextStyle::operator=(const KTextStyle& Other)
{
    copyFrom(Other);
    return *this;
}

void KTextStyle::copyFrom(const KTextStyle& Other)
{
    m_font = Other.m_font;
    m_color = Other.m_color;
}

void KTextStyle::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, KTextStyle::getClassRecord());
    writer.newSection(1);
    m_font.writeToFile(F, 1);
    m_color.writeToFile(F, 1);
    writer.end();
}

void KTextStyle::readFromFile(KFile& F)
{
    KClassReader reader;
    if (reader.beginAtSection(F, KTextStyle::getClassRecord(), 1)) {
        KFont font(m_font);
        KColor color(m_color);
        font.readFromFile(F);
        color.readFromFile(F);
        if (F.getError() == 0) {
            m_font = font;
            m_color = color;
        }
    }
    reader.end();
}
