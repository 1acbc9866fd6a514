#pragma once
// Every user-visible text goes through one lookup here: an English text (the key) maps
// to its translation in the current language. English is never stored as a language;
// its text is the key. A lookup never fails: a missing language, key or translation
// gives the key back.
//
// Building one: construct; setAutoAddKeys where wanted; addLanguage for each language;
// for each table, findLanguage for its languages, setText for every key and language,
// then finish; then setLanguage.
#include "foundation/KBag.h"
#include "foundation/KString.h"
#include "foundation/KTree.h"

class KFileReference;
class KLocalizerString;

class KLocalizer : public KThing {
    K_DECLARE_CLASS(KLocalizer)
public:
    KLocalizer();
    KLocalizer(const KLocalizer&) = delete;
    KLocalizer& operator=(const KLocalizer&) = delete;

    // Removes every key and language; the current language stays as it is.
    void clear();

    // -1 for "English" and for a name not listed.
    long findLanguage(const KString& Name) const;
    // "English" or a listed language; any other name changes nothing.
    void setLanguage(const KString& Name);
    const KString& getLanguage() const { return m_languageName; }
    long getLanguageIndex() const { return m_languageIndex; }
    long getLanguageCount() const { return m_languages.getCount(); }
    // Appends a language in which every existing key reads as itself. "English" and a
    // name already listed are ignored, so that a second call cannot wipe the
    // translations of a language.
    void addLanguage(const KString& Name);

    // Adds the key when it is new; a language of 0 or more also gets Text (-1 only adds
    // the key).
    void setText(const KString& Key, long Language, const KString& Text);
    KString getText(const KString& Key, long Language);
    KString getText(const KString& Key);
    long getKeyCount() const { return m_keys.getNodeCount(); }

    // While set, a lookup of an unknown key in a language adds it, with itself as text.
    void setAutoAddKeys(bool Flag) { m_autoAddKeys = Flag ? 1 : 0; }
    bool getAutoAddKeys() const { return m_autoAddKeys == 1; }

    // Rebalances the keys once a table of texts has been added.
    void finish();

    // Writes the whole content as a "K!LF" database, replacing any file there. Gives the
    // file's error code: 0 when every byte was written.
    uint8 writeDatabase(const KFileReference& Reference) const;

private:
    KLocalizerString* findKey(const KString& Key) const;
    KLocalizerString* keyAt(long Index) const;

    KBag m_languages;
    KTree m_keys;
    KString m_languageName;
    long m_languageIndex = -1;
    uint8 m_autoAddKeys = 0;
};

K_POINTER_CLASS(KLocalizer, KThingPtr);
