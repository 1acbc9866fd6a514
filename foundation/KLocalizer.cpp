#include "foundation/KLocalizer.h"

#include "foundation/KFile.h"
#include "foundation/KLocalizerString.h"

K_DEFINE_CLASS(KLocalizer, KThing, 1)

namespace {
const char* const kEnglish = "English";
const char kDatabaseMagic[4] = {'K', '!', 'L', 'F'};
constexpr long kDatabaseVersion = 1;
} // namespace

KLocalizer::KLocalizer()
    : m_languageName(kEnglish)
{
}

void KLocalizer::clear()
{
    m_keys.clear();
    m_languages.clear();
}

long KLocalizer::findLanguage(const KString& Name) const
{
    if (Name == kEnglish)
        return -1;
    for (long i = 0; i < m_languages.getCount(); ++i) {
        const auto* language = dynamic_cast<const KString*>(&m_languages.getObjectAt(i));
        if (language && *language == static_cast<const KComparable&>(Name))
            return i;
    }
    return -1;
}

void KLocalizer::setLanguage(const KString& Name)
{
    const long index = findLanguage(Name);
    if (index < 0 && Name != kEnglish)
        return;
    m_languageName = Name;
    m_languageIndex = index;
}

void KLocalizer::addLanguage(const KString& Name)
{
    if (Name == kEnglish || findLanguage(Name) >= 0)
        return;
    KStringPtr copy(new KString(Name));
    if (!copy.hasObject(nullptr))
        return;
    m_languages.add(*copy);
    const long index = findLanguage(Name);
    if (index < 0)
        return;
    for (long i = 0; i < m_keys.getNodeCount(); ++i) {
        if (KLocalizerString* key = keyAt(i))
            key->setTranslation(*key, index);
    }
}

void KLocalizer::setText(const KString& Key, long Language, const KString& Text)
{
    if (KLocalizerString* key = findKey(Key)) {
        key->setTranslation(Text, Language);
        return;
    }
    KLocalizerStringPtr key(new KLocalizerString(Key));
    if (!key.hasObject(nullptr))
        return;
    key->resetTranslations(getLanguageCount());
    key->setTranslation(Text, Language);
    m_keys.insert(*key);
}

KString KLocalizer::getText(const KString& Key, long Language)
{
    KString result(Key);
    if (Language < 0 || Language >= getLanguageCount())
        return result;
    if (const KLocalizerString* key = findKey(Key))
        return KString(key->getTranslation(Language));
    if (m_autoAddKeys == 1)
        setText(Key, Language, Key);
    return result;
}

KString KLocalizer::getText(const KString& Key) { return getText(Key, m_languageIndex); }

void KLocalizer::finish() { m_keys.balance(); }

uint8 KLocalizer::writeDatabase(const KFileReference& Reference) const
{
    KFile file(Reference);
    file.create();
    if (file.getError() != 0)
        return file.getError();
    // Class blocks patch their lengths afterwards, and the memory mode lets them do so
    // without a round trip to the disk for each one.
    file.setMode(KFile::Memory);
    file.open();
    if (file.getError() != 0)
        return file.getError();
    file.write(kDatabaseMagic, sizeof(kDatabaseMagic));
    file.writeLong(kDatabaseVersion);
    const long languageCount = getLanguageCount();
    file.writeLong(languageCount);
    for (long i = 0; i < languageCount; ++i) {
        if (auto* language = dynamic_cast<KString*>(&m_languages.getObjectAt(i)))
            language->KString::writeToFile(file, 1);
        else
            KString().writeToFile(file, 1);
    }
    const long keyCount = m_keys.getNodeCount();
    file.writeLong(keyCount);
    for (long i = 0; i < keyCount; ++i) {
        KLocalizerString* key = keyAt(i);
        if (!key)
            continue;
        // Keys go out as plain strings, with the class ID of "KString".
        key->KString::writeToFile(file, 1);
        for (long language = 0; language < languageCount; ++language)
            KString(key->getTranslation(language)).writeToFile(file, 1);
    }
    file.close();
    return file.getError();
}

KLocalizerString* KLocalizer::findKey(const KString& Key) const
{
    KTreeNodePtr node;
    if (!m_keys.find(Key, node))
        return nullptr;
    return dynamic_cast<KLocalizerString*>(&node->getObject());
}

KLocalizerString* KLocalizer::keyAt(long Index) const
{
    KTreeNode* node = m_keys.getNodeAt(Index);
    if (!node || !node->hasObject())
        return nullptr;
    return dynamic_cast<KLocalizerString*>(&node->getObject());
}
