#include "graphics/KTextBlock.h"

#include "foundation/ErrorTable.h"
#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"
#include "graphics/BagOfClass.h"

K_DEFINE_CLASS(KTextBlock, KThing, 1)

KTextBlock::KTextBlock() = default;

KTextBlock::KTextBlock(const KTextBlock& Other)
    : KThing(), m_defaultStyle(Other.m_defaultStyle), m_alignment(Other.m_alignment)
{
    copyLinesFrom(Other.m_lines);
}

KThing& KTextBlock::deepCopy() const
{
    KTextBlock& copy = *new KTextBlock;
    for (long i = 0; i < getLineCount(); ++i)
        copy.addLine(static_cast<KTextLine*>(&getLineAt(i).deepCopy()));
    copy.setAlignment(m_alignment);
    copy.setStyle(m_defaultStyle);
    return copy;
}

KTextLine& KTextBlock::getLineAt(long Index) const
{
    return static_cast<KTextLine&>(m_lines.getObjectAt(Index));
}

void KTextBlock::addLine(KTextLine* Line)
{
    if (Line)
        m_lines.add(*Line);
}

void KTextBlock::copyLinesFrom(const KBag& Lines)
{
    m_lines.clear();
    for (long i = 0; i < Lines.getCount(); ++i)
        addLine(new KTextLine(static_cast<const KTextLine&>(Lines.getObjectAt(i))));
}

void KTextBlock::setAlignment(uint8 Alignment)
{
    m_alignment = Alignment;
    for (long i = 0; i < getLineCount(); ++i)
        getLineAt(i).setAlignment(Alignment);
}

long KTextBlock::getCharacterCount() const
{
    long count = 0;
    for (long i = 0; i < getLineCount(); ++i)
        count += getLineAt(i).getLength();
    return count;
}

KString KTextBlock::getText(const KString& Separator) const
{
    KString text;
    for (long i = 0; i < getLineCount(); ++i) {
        if (i > 0)
            text.append(Separator);
        text.append(getLineAt(i).getText());
    }
    return text;
}

long KTextBlock::getLineAtCharPosition(long Pos, int16 Separator) const
{
    long start = 0;
    for (long i = 0; i < getLineCount(); ++i) {
        const long extent = getLineAt(i).getLength() + Separator;
        if (Pos >= start && Pos <= start + extent - 1)
            return i;
        start += extent;
    }
    kksReportError(7, "long KTextBlock::getLineAtCharPosition(long Pos)");
    return 0;
}

void KTextBlock::setColorOfRange(long Start, long Count, const KColor& Color)
{
    if (Start < 0 || Count <= 0 || Count > getCharacterCount() - Start)
        return;
    for (long i = 0; i < getLineCount(); ++i) {
        KTextLine& line = getLineAt(i);
        const long length = line.getLength();
        if (Start >= length) {
            Start -= length;
            continue;
        }
        if (Start + Count <= length) {
            line.setColorOfRange(Start, Count, Color);
            return;
        }
        line.setColorOfRange(Start, length - Start, Color);
        Count -= length - Start;
        Start = 0;
    }
}

void KTextBlock::setFontName(const KString& Name)
{
    for (long i = 0; i < getLineCount(); ++i)
        getLineAt(i).setFontName(Name);
}

void KTextBlock::setFontSize(double Size, KPlatform P)
{
    for (long i = 0; i < getLineCount(); ++i)
        getLineAt(i).setFontSize(Size, P);
}

void KTextBlock::setFontStyle(const KFlagSet& Style)
{
    for (long i = 0; i < getLineCount(); ++i)
        getLineAt(i).setFontStyle(Style);
}

void KTextBlock::setColor(const KColor& Color)
{
    for (long i = 0; i < getLineCount(); ++i)
        getLineAt(i).setColor(Color);
}

void KTextBlock::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, KTextBlock::getClassRecord());
    writer.newSection(1);
    m_lines.writeToFile(F, 1);
    F.writeShort(m_alignment);
    writer.end();
}

void KTextBlock::readFromFile(KFile& F)
{
    KClassReader reader;
    if (reader.beginAtSection(F, KTextBlock::getClassRecord(), 1)) {
        KBag lines;
        short alignment = 0;
        lines.setReadableClasses({KTextLine::getClassRecord()});
        lines.readFromFile(F);
        F.readShort(alignment);
        if (!bagHoldsOnly(lines, *KTextLine::getClassRecord()))
            F.setError(KClassReader::kDamagedDataError);
        if (F.getError() == 0) {
            m_lines.copyFrom(lines);
            const uint8 stored = static_cast<uint8>(alignment & 0xFF);
            m_alignment = stored > kAlignJustified ? kAlignLeft : stored;
        }
    }
    reader.end();
}
