#include "foundation/KLocalizerString.h"

K_DEFINE_CLASS(KLocalizerString, KString, 1)

KLocalizerString::KLocalizerString(const KString& Key)
    : KString(Key)
{
}

void KLocalizerString::resetTranslations(long Count)
{
    m_translations.clear();
    m_translations.setSize(Count < 0 ? 0 : Count);
}

void KLocalizerString::setTranslation(const KString& Text, long Language)
{
    if (Language < 0)
        return;
    if (Language >= m_translations.getSize())
        m_translations.setSize(Language + 1);
    if (Language >= m_translations.getSize())
        return;
    KStringPtr copy(new KString(Text));
    if (copy.hasObject(nullptr))
        m_translations.putAt(*copy, Language);
}

const KString& KLocalizerString::getTranslation(long Language) const
{
    if (Language < 0 || Language >= m_translations.getSize() || !m_translations.hasObjectAt(Language))
        return *this;
    const auto* text = dynamic_cast<const KString*>(&m_translations.getObjectAt(Language));
    return text ? *text : *this;
}
