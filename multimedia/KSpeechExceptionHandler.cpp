#include "multimedia/KSpeechExceptionHandler.h"

#include "foundation/KBag.h"
#include "multimedia/KExtendedSpeech.h"
#include "multimedia/KSpeechExceptionsFile.h"

namespace {
KSpeechExceptionHandlerPtr s_handler;

// How much of the written and of the spoken text the position table covers so far.
long s_coveredWritten = 0;
long s_coveredSpoken = 0;

bool endsWordMark(char C)
{
    return C == '.' || C == ',' || C == ':' || C == ';' || C == '!' || C == '?';
}
} // namespace

K_DEFINE_CLASS(KSpeechExceptionHandler, KString, 1)

KSpeechExceptionHandler::KSpeechExceptionHandler() { readFile(); }

void KSpeechExceptionHandler::createGlobal() { s_handler = new KSpeechExceptionHandler; }
void KSpeechExceptionHandler::releaseGlobal() { s_handler.reset(); }
KSpeechExceptionHandler& KSpeechExceptionHandler::getInstance() { return s_handler.getObject(); }
bool KSpeechExceptionHandler::hasInstance() { return s_handler.hasObject(nullptr); }

KFileReference KSpeechExceptionHandler::getExceptionsFile() { return KSpeechExceptionsFile::getFileReference(); }

void KSpeechExceptionHandler::reload()
{
    m_exceptions.clear();
    readFile();
}

void KSpeechExceptionHandler::readFile() { KSpeechExceptionsFile::read(m_exceptions); }

const KSpeechException* KSpeechExceptionHandler::find(const KString& Word) const
{
    // An exception with an empty written form stands for no word, not for the nothing
    // between two blanks.
    if (Word.isEmpty())
        return nullptr;
    KTreeNodePtr node;
    if (!m_exceptions.find(Word, node))
        return nullptr;
    return static_cast<const KSpeechException*>(&node->getObject());
}

void KSpeechExceptionHandler::apply(KExtendedSpeech& Speech)
{
    KString spoken;
    rewrite(Speech.m_writtenText, spoken, Speech.m_positionTable);
    Speech.m_spokenText = spoken;
}

void KSpeechExceptionHandler::rewrite(const KString& Written, KString& Spoken, KBag& Table) const
{
    Table.clear();
    extendPositionTable(Table, KString(), KString());
    Spoken.clear();
    KString word;
    const long length = Written.getLength();
    for (long i = 0; i < length; ++i) {
        const char c = Written.getCharAt(i);
        const bool last = i == length - 1;
        if (c != ' ')
            word.append(c);
        if (c != ' ' && !last)
            continue;
        // A mark that ends the word is looked up without it and comes back after the
        // replacement; a word of several full stops ("e.g.") is taken whole.
        char mark = 0;
        const char end = word.isEmpty() ? 0 : word.getCharAt(word.getLength() - 1);
        if (endsWordMark(end) && (end != '.' || word.countChar('.') == 1)) {
            mark = end;
            word.truncate(word.getLength() - 1);
        }
        const KSpeechException* exception = find(word);
        Spoken.append(exception ? exception->getSpokenForm() : word);
        if (mark)
            Spoken.append(mark);
        Spoken.append(' ');
        extendPositionTable(Table, Written.getLeft(i + 1), Spoken);
        word.clear();
    }
}

void KSpeechExceptionHandler::extendPositionTable(KBag& Table, const KString& Written, const KString& Spoken)
{
    if (Written.isEmpty()) {
        Table.clear();
        s_coveredWritten = 0;
        s_coveredSpoken = 0;
        return;
    }
    if (Written.getLength() <= s_coveredWritten || Spoken.getLength() <= s_coveredSpoken)
        return;
    const long gainedWritten = Written.getLength() - s_coveredWritten;
    const long gainedSpoken = Spoken.getLength() - s_coveredSpoken;
    const double ratio = static_cast<double>(gainedWritten) / static_cast<double>(gainedSpoken);
    for (long j = 0; j < gainedSpoken; ++j)
        Table.addDirectData(s_coveredWritten + static_cast<long>(j * ratio));
    s_coveredWritten = Written.getLength();
    s_coveredSpoken = Spoken.getLength();
}
