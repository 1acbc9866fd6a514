#pragma once
// One pronunciation exception: the string itself is the written form, as it appears in a
// text, and the spoken form is what the speech engine is given instead. As a string it
// compares by its written form, exactly and with case, which orders the exceptions and
// finds words among them.
#include "foundation/KString.h"

class KSpeechException : public KString {
    K_DECLARE_CLASS(KSpeechException)
public:
    KSpeechException() = default;
    KSpeechException(const KString& Written, const KString& Spoken);

    void setSpokenForm(const KString& Spoken) { m_spokenForm = Spoken; }
    const KString& getSpokenForm() const { return m_spokenForm; }

    // Section 1 holds the written form's string block and then the spoken form's. A block
    // whose first section is another leaves both forms empty.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

private:
    KString m_spokenForm;
};

K_POINTER_CLASS(KSpeechException, KStringPtr);
