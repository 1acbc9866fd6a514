#pragma once
// A key of the localiser: its own text is the English text, and it carries one
// translation per language, by language index. It compares and saves itself exactly as a
// plain string, so the translations never affect where a key sits in the search tree.
#include "foundation/KArray.h"
#include "foundation/KString.h"

class KLocalizerString : public KString {
    K_DECLARE_CLASS(KLocalizerString)
public:
    KLocalizerString() = default;
    explicit KLocalizerString(const KString& Key);
    KLocalizerString(const KLocalizerString&) = delete;
    KLocalizerString& operator=(const KLocalizerString&) = delete;

    // Removes every translation and leaves Count empty slots.
    void resetTranslations(long Count);
    // Grows the slots up to Language when needed and keeps a heap copy of Text there.
    // A negative language (English) has no slot and is ignored.
    void setTranslation(const KString& Text, long Language);
    // The key itself where the language has no translation.
    const KString& getTranslation(long Language) const;
    long getTranslationCount() const { return m_translations.getSize(); }

private:
    KArray m_translations;
};

K_POINTER_CLASS(KLocalizerString, KStringPtr);
