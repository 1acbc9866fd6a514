#include "graphics/KTextStyleRun.h"

#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"

K_DEFINE_CLASS(KTextStyleRun, KTextStyle, 1)

KTextStyleRun::KTextStyleRun(const KTextStyle& Style, long Length) : KTextStyle(Style), m_length(Length) {}

KTextStyleRun::KTextStyleRun(const KTextStyleRun& Other) : KTextStyle(Other), m_length(Other.m_length) {}

KTextStyleRun& KTextStyleRun::operator=(const KTextStyleRun& Other)
{
    copyFrom(Other);
    m_length = Other.m_length;
    return *this;
}

void KTextStyleRun::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, KTextStyleRun::getClassRecord());
    writer.newSection(1);
    KTextStyle::writeToFile(F, 1);
    F.writeLong(m_length);
    writer.end();
}

void KTextStyleRun::readFromFile(KFile& F)
{
    KClassReader reader;
    if (reader.beginAtSection(F, KTextStyleRun::getClassRecord(), 1)) {
        KTextStyle style(*this);
        long length = 0;
        style.KTextStyle::readFromFile(F);
        F.readLong(length);
        if (F.getError() == 0) {
            copyFrom(style);
            m_length = length;
        }
    }
    reader.end();
}
