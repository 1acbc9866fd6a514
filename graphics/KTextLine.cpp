#include "graphics/KTextLine.h"

#include "foundation/ErrorTable.h"
#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"
#include "graphics/BagOfClass.h"

K_DEFINE_CLASS(KTextLine, KThing, 1)

KTextLine::KTextLine() = default;

KTextLine::KTextLine(const KString& Text) : m_text(Text)
{
    addStyleRun(new KTextStyleRun(m_defaultStyle, Text.getLength()));
}

KTextLine::KTextLine(const KTextLine& Other)
    : KThing(), m_defaultStyle(Other.m_defaultStyle), m_text(Other.m_text), m_alignment(Other.m_alignment)
{
    copyRunsFrom(Other);
}

KThing& KTextLine::deepCopy() const { return *new KTextLine(*this); }

void KTextLine::copyRunsFrom(const KTextLine& Other)
{
    for (long i = 0; i < Other.getStyleRunCount(); ++i)
        addStyleRun(new KTextStyleRun(Other.getStyleRunAt(i)));
}

KTextStyleRun& KTextLine::getStyleRunAt(long Index) const
{
    return static_cast<KTextStyleRun&>(m_runs.getObjectAt(Index));
}

void KTextLine::clear()
{
    m_text.clear();
    m_runs.clear();
}

void KTextLine::clearStyleRuns() { m_runs.clear(); }

void KTextLine::addStyleRun(KTextStyleRun* Run)
{
    if (!Run)
        return;
    m_runs.add(*Run);
    // The bag's reference is now the only one the run needs: a new object starts at 1.
}

void KTextLine::appendStyleRun(const KString& Text, const KFont& Font, const KColor& Color)
{
    m_text.append(Text);
    addStyleRun(new KTextStyleRun(KTextStyle(Font, Color), Text.getLength()));
}

long KTextLine::findStyleRun(long Pos) const
{
    long start = 0;
    for (long i = 0; i < getStyleRunCount(); ++i) {
        const long length = getStyleRunAt(i).getLength();
        if (Pos >= start && Pos <= start + length - 1)
            return i;
        start += length;
    }
    return -1;
}

long KTextLine::getStyleRunAtPosition(long Pos) const
{
    const long index = Pos > getLength() ? -1 : findStyleRun(Pos);
    if (index < 0) {
        kksReportError(7, "KTextStyleRun& KTextLine::getStyleRunAtPosition(long Pos) const");
        return 0;
    }
    return index;
}

long KTextLine::getStartPositionOfStyleRun(long Index) const
{
    if (Index >= getStyleRunCount()) {
        kksReportError(7, "long KTextLine::getStartPositionOfStyleRun(long Index)");
        return 0;
    }
    long start = 0;
    for (long i = 0; i < Index; ++i)
        start += getStyleRunAt(i).getLength();
    return start;
}

void KTextLine::splitStyleRun(long Index, long Position)
{
    if (Index < 0 || Index >= getStyleRunCount()) {
        kksReportError(7, "void KTextLine::splitStyleRun(long Index, long Position)");
        return;
    }
    KTextStyleRun& run = getStyleRunAt(Index);
    KTextStyleRun* rest = new KTextStyleRun(run, run.getLength() - Position);
    run.setLength(Position);
    m_runs.insertAt(*rest, Index + 1);
}

void KTextLine::removeFirstChars(uint16 N)
{
    const long count = N < getLength() ? N : getLength();
    m_text.remove(0, count);
    long removed = 0;
    while (removed < count && getStyleRunCount() > 0) {
        KTextStyleRun& first = getStyleRunAt(0);
        removed += first.getLength();
        if (removed > count) {
            first.setLength(removed - count);
            break;
        }
        m_runs.removeAt(0);
    }
}

void KTextLine::removeLastChars(uint16 N)
{
    const long oldLength = getLength();
    const long newLength = N < oldLength ? oldLength - N : 0;
    m_text.truncate(newLength);
    long end = oldLength;
    while (end > newLength && getStyleRunCount() > 0) {
        const long last = getStyleRunCount() - 1;
        KTextStyleRun& run = getStyleRunAt(last);
        end -= run.getLength();
        if (end > newLength) {
            m_runs.removeAt(last);
        } else {
            // A run that began exactly at the cut stays, with length 0.
            run.setLength(newLength - end);
            break;
        }
    }
}

void KTextLine::setColorOfRange(long Start, long Count, const KColor& Color)
{
    const long length = getLength();
    if (Start < 0 || Count <= 0 || Start >= length)
        return;
    const long end = Count > length - Start ? length : Start + Count;

    long first = findStyleRun(Start);
    if (first < 0)
        return;
    if (Start > 0 && findStyleRun(Start - 1) == first) {
        splitStyleRun(first, Start - getStartPositionOfStyleRun(first));
        ++first;
    }
    const long last = findStyleRun(end - 1);
    if (last < 0)
        return;
    if (end < length && findStyleRun(end) == last)
        splitStyleRun(last, end - getStartPositionOfStyleRun(last));
    for (long i = first; i <= last; ++i)
        getStyleRunAt(i).setColor(Color);
}

void KTextLine::setFontName(const KString& Name)
{
    for (long i = 0; i < getStyleRunCount(); ++i)
        getStyleRunAt(i).getFont().setName(Name);
}

void KTextLine::setFontSize(double Size, KPlatform P)
{
    for (long i = 0; i < getStyleRunCount(); ++i)
        getStyleRunAt(i).getFont().setSize(Size, P);
}

void KTextLine::setFontStyle(const KFlagSet& Style)
{
    for (long i = 0; i < getStyleRunCount(); ++i)
        getStyleRunAt(i).getFont().setStyle(Style);
}

void KTextLine::setColor(const KColor& Color)
{
    for (long i = 0; i < getStyleRunCount(); ++i)
        getStyleRunAt(i).setColor(Color);
}

void KTextLine::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, KTextLine::getClassRecord());
    writer.newSection(1);
    m_text.writeToFile(F, 1);
    m_runs.writeToFile(F, 1);
    writer.end();
}

void KTextLine::readFromFile(KFile& F)
{
    KClassReader reader;
    if (reader.beginAtSection(F, KTextLine::getClassRecord(), 1)) {
        KString text;
        KBag runs;
        text.readFromFile(F);
        runs.setReadableClasses({KTextStyleRun::getClassRecord()});
        runs.readFromFile(F);
        if (!bagHoldsOnly(runs, *KTextStyleRun::getClassRecord()))
            F.setError(KClassReader::kDamagedDataError);
        if (F.getError() == 0) {
            m_text = text;
            m_runs.copyFrom(runs);
        }
    }
    reader.end();
}
