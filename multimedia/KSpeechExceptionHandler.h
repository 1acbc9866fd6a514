#pragma once
// The one holder of the pronunciation exceptions. It reads the exceptions file when it is
// made and again when the exceptions editor has saved it, and it rewrites the text of a
// speech with exceptions word by word, building at the same time the table that maps
// each character of the rewritten text back to the written one.
//
// The file ("KSpeechExceptions.DAT" in the folder "KSpeechExceptions" of the common
// application data folder) holds, in 32-bit big-endian numbers: "KSPX", a long that is
// not looked at, the count of exceptions, then that many exception blocks. The editor
// writes it and both read it through KSpeechExceptionsFile.
#include "foundation/KString.h"
#include "foundation/KTree.h"
#include "multimedia/KSpeechException.h"

class KBag;
class KExtendedSpeech;
class KFileReference;

class KSpeechExceptionHandler : public KString {
    K_DECLARE_CLASS(KSpeechExceptionHandler)
public:
    // "KSPX" read as a long.
    static constexpr long kFileMagic = 0x4B535058;

    KSpeechExceptionHandler();

    static void createGlobal();
    static void releaseGlobal();
    // Error 18 when there is none.
    static KSpeechExceptionHandler& getInstance();
    static bool hasInstance();
    static KFileReference getExceptionsFile();

    // Empties the list and reads the file again. A missing file, a wrong magic or a
    // damaged record leaves the exceptions read before it, and nothing is reported.
    void reload();

    // Rewrites the speech's written text into its spoken text and position table.
    void apply(KExtendedSpeech& Speech);
    // The same for a bare text: every word looked up and followed by one blank.
    void rewrite(const KString& Written, KString& Spoken, KBag& Table) const;
    // Appends the table entries for what both prefixes gained since the last call; an
    // empty written prefix empties the table and starts over.
    static void extendPositionTable(KBag& Table, const KString& Written, const KString& Spoken);

    // The exception whose written form is Word (case counts), or null; null for an empty
    // word.
    const KSpeechException* find(const KString& Word) const;
    long getExceptionCount() const { return m_exceptions.getNodeCount(); }

private:
    void readFile();

    KTree m_exceptions;
};

K_POINTER_CLASS(KSpeechExceptionHandler, KStringPtr);
