#include "multimedia/KSoundHiliteMarker.h"

#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"
#include "foundation/KernelFunctions.h"
#include "graphics/KColor.h"
#include "graphics/KFont.h"
#include "graphics/KGraphicDevice.h"
#include "graphics/KTextLine.h"
#include "graphics/KTextLineObject.h"

#include <cmath>

K_DEFINE_CLASS(KSoundHiliteMarker, KThing, 1)

KSoundHiliteMarker::KSoundHiliteMarker() = default;

KSoundHiliteMarker::KSoundHiliteMarker(const KSoundHiliteMarker& Other)
    : KThing()
    , m_time(Other.m_time)
    , m_wordStart(Other.m_wordStart)
    , m_wordLength(Other.m_wordLength)
    , m_word(Other.m_word)
    , m_selected(Other.m_selected)
{
}

KSoundHiliteMarker::~KSoundHiliteMarker() = default;

void KSoundHiliteMarker::setWord(const KString& Word)
{
    m_word = Word;
    m_wordLength = Word.getLength();
}

void KSoundHiliteMarker::readFromFile(KFile& F)
{
    KClassReader reader;
    if (reader.beginAtSection(F, getClassRecord(), 1)) {
        F.readLong(m_time);
        F.readLong(m_wordStart);
        F.readLong(m_wordLength);
        m_word.readFromFile(F);
        F.readByte(m_selected);
    }
    reader.end();
}

void KSoundHiliteMarker::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, getClassRecord());
    writer.newSection(1);
    F.writeLong(m_time);
    F.writeLong(m_wordStart);
    F.writeLong(m_wordLength);
    m_word.writeToFile(F, 1);
    F.writeByte(m_selected);
    writer.end();
}

short KSoundHiliteMarker::getMarkerPosition(const KGraphicRectangle& Track, long Duration) const
{
    // Without a duration (no sound yet) every marker stands at the start of the track.
    if (Duration <= 0)
        return Track.getH();
    const float x = Track.getH() + static_cast<float>(m_time) * (static_cast<float>(Track.getWidth()) / static_cast<float>(Duration));
    if (!(std::fabs(x) < 2147483648.0f))
        return Track.getH();
    return static_cast<short>(static_cast<long>(x));
}

KGraphicRectangle KSoundHiliteMarker::getMarkerRect(const KGraphicRectangle& Track, long Duration) const
{
    const short x = getMarkerPosition(Track, Duration);
    return KGraphicRectangle(static_cast<short>(x - 1), Track.getV(), 3, Track.getHeight());
}

void KSoundHiliteMarker::draw(KGraphicDevice& Device, const KGraphicRectangle& Track, long Duration) const
{
    const short x = getMarkerPosition(Track, Duration);
    Device.setForeColor(KColor(isSelected() ? kBlack : kGray));
    for (short h : {x, static_cast<short>(x - 1), static_cast<short>(x + 1)}) {
        Device.moveTo(h, Track.getV());
        Device.lineTo(h, static_cast<short>(Track.getV() + Track.getHeight()));
    }

    KTextLinePtr line = new KTextLine;
    line->appendStyleRun(m_word, KFont(KString("Geneva"), 9.0, knsGetPlatform()), KColor(kBlack));
    line->setAlignment(kAlignCenter);
    KTextLineObjectPtr label = new KTextLineObject;
    label->setText(*line);
    label->layout();
    const KGraphicSize& size = label->getSize();
    KGraphicRectangle box(static_cast<short>(x + 10), static_cast<short>(Track.getV() + 5), size.getWidth(), size.getHeight());
    box.expand(6, 2);
    if (isSelected()) {
        Device.paintRect(box, KColor(kBlack));
        label->setColor(KColor(kWhite));
    } else {
        Device.paintRect(box, KColor(kWhite));
        Device.outlineRect(box, KColor(kBlack));
        label->setColor(KColor(kBlack));
    }
    label->draw(Device, box);
}
