#include "multimedia/KSpeechException.h"

#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"

K_DEFINE_CLASS(KSpeechException, KString, 1)

KSpeechException::KSpeechException(const KString& Written, const KString& Spoken)
    : KString(Written)
    , m_spokenForm(Spoken)
{
}

void KSpeechException::readFromFile(KFile& F)
{
    clear();
    m_spokenForm.clear();
    KClassReader reader;
    if (reader.beginAtSection(F, KSpeechException::getClassRecord(), 1)) {
        KString::readFromFile(F);
        m_spokenForm.readFromFile(F);
    }
    reader.end();
}

void KSpeechException::writeToFile(KFile& F, long Ver)
{
    KClassWriter writer;
    writer.begin(F, KSpeechException::getClassRecord());
    writer.newSection(1);
    KString::writeToFile(F, Ver);
    m_spokenForm.writeToFile(F, Ver);
    writer.end();
}
