#include "foundation/KFileType.h"

#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"

K_DEFINE_CLASS(KFileType, KThing, 1)

KFileType::KFileType() = default;

KFileType::KFileType(const KFileType& O)
    : KThing(O)
    , m_extension(O.m_extension)
    , m_creator(O.m_creator)
    , m_type(O.m_type)
    , m_description(O.m_description)
    , m_id(O.m_id)
{
}

void KFileType::readFromFile(KFile& F)
{
    KClassReader reader;
    long version = 0, sections = 0, id = -1;
    reader.begin(F, KFileType::getClassRecord(), version, sections);
    if (sections > 0)
        reader.nextSection(id);
    if (id == 1) {
        // A damaged record must not leave a half-read type behind: the fields change only
        // when all five came in whole.
        KString extension, creator, type, description;
        long typeID = 0;
        extension.readFromFile(F);
        creator.readFromFile(F);
        type.readFromFile(F);
        description.readFromFile(F);
        F.readLong(typeID);
        if (F.getError() == 0) {
            m_extension = extension;
            m_creator = creator;
            m_type = type;
            m_description = description;
            m_id = typeID;
        }
    } else if (id != -1) {
        // The reader closes a block in place once all its sections were handed out, so
        // a section it does not know is stepped over here, not left half-read.
        reader.skipSection();
    }
    reader.end();
}

void KFileType::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, KFileType::getClassRecord());
    writer.newSection(1);
    m_extension.writeToFile(F, 1);
    m_creator.writeToFile(F, 1);
    m_type.writeToFile(F, 1);
    m_description.writeToFile(F, 1);
    F.writeLong(m_id);
    writer.end();
}
