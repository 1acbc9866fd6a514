#include "story/ActorSequence.h"

#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"
#include "story/StoryBlocks.h"
#include "story/StoryHost.h"
#include "story/Tape.h"

K_DEFINE_CLASS(ActorSequence, KThing, 1)

ActorSequence::ActorSequence()
    : m_name(StoryHost::get().getLocalizedText("Movement") + "1")
{
}

ActorSequence::~ActorSequence() = default;

Tape& ActorSequence::getFrameAt(long Index) const { return static_cast<Tape&>(m_frames[Index]); }

void ActorSequence::addFrame(Tape& Frame) { m_frames.add(Frame); }

KThing& ActorSequence::deepCopy() const
{
    auto* copy = new ActorSequence;
    if (!copy)
        return kNullReference<KThing>();
    copy->m_name = m_name;
    copy->m_speed = m_speed;
    copy->m_playType = m_playType;
    for (long i = 0; i < m_frames.getCount(); ++i) {
        TapePtr frame(new Tape);
        if (!frame.hasObject(nullptr))
            continue;
        frame->copyObjectsFrom(getFrameAt(i));
        copy->m_frames.add(*frame);
    }
    return *copy;
}

void ActorSequence::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, ActorSequence::getClassRecord());
    writer.newSection(1);
    m_frames.writeToFile(F, 1);
    m_name.writeToFile(F, 1);
    F.writeLong(m_speed);
    F.writeShort(m_playType);
    writer.end();
}

void ActorSequence::readFromFile(KFile& F)
{
    kReadEachSection(F, ActorSequence::getClassRecord(), [&](long ID) {
        if (ID != 1)
            return false;
        m_frames.setReadableClasses({Tape::getClassRecord()});
        m_frames.readFromFile(F);
        m_name.readFromFile(F);
        short playType = 0;
        F.readLong(m_speed);
        F.readShort(playType);
        m_playType = static_cast<uint8>(playType);
        kDropElementsNotOf<Tape>(m_frames);
        return true;
    });
}

void ActorSequence::copyMediaTo(const KDirectory& SourceFolder, const KDirectory& TargetFolder)
{
    for (long i = 0; i < m_frames.getCount(); ++i)
        getFrameAt(i).copyMediaTo(SourceFolder, TargetFolder);
}

bool ActorSequence::replaceMediaFile(const KFileReference& Old, const KFileReference& New)
{
    bool replaced = false;
    for (long i = 0; i < m_frames.getCount(); ++i)
        replaced = getFrameAt(i).replaceMediaFile(Old, New) || replaced;
    return replaced;
}

void ActorSequence::collectMediaNames(KStringBag& Names)
{
    for (long i = 0; i < m_frames.getCount(); ++i) {
        Tape& frame = getFrameAt(i);
        for (long j = 0; j < frame.getCount(); ++j)
            frame.getObjectAt(j).collectMediaNames(Names);
    }
}

bool ActorSequence::usesMediaName(const KString& Name)
{
    for (long i = 0; i < m_frames.getCount(); ++i) {
        Tape& frame = getFrameAt(i);
        for (long j = 0; j < frame.getCount(); ++j)
            if (frame.getObjectAt(j).usesMediaName(Name))
                return true;
    }
    return false;
}
