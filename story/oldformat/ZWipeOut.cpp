#include "story/oldformat/ZWipeOut.h"

#include "story/WipeOut.h"

Z_DEFINE_CLASS(ZWipeOut)

ZWipeOut::ZWipeOut() { setKind(TapeObject::PageTransitionKind); }

void ZWipeOut::readFromFile(ZFile& F)
{
    long version = 0;
    if (!readOwnRecord(s_class, F, version))
        return;
    m_color.readFromFile(F);
    m_file.readFromFile(F);
    long effect = m_effect;
    long backgroundKind = m_backgroundKind;
    F.readLong(effect);
    F.readLong(backgroundKind);
    m_effect = static_cast<uint8>(effect & 0xFF);
    m_backgroundKind = static_cast<uint8>(backgroundKind & 0xFF);
}

void ZWipeOut::writeToFile(ZFile& F)
{
    writeOwnRecord(F);
    m_color.writeToFile(F);
    m_file.writeToFile(F);
    F.writeLong(m_effect);
    F.writeLong(m_backgroundKind);
}

TapeObjectPtr ZWipeOut::convertToKTapeObject() const
{
    auto* transition = new WipeOut;
    TapeObjectPtr result(transition);
    transition->setColor(convertedColor(m_color));
    transition->setEffect(m_effect);
    transition->setSource(m_backgroundKind);
    if (m_backgroundKind == kImageBackground)
        transition->setFileReference(mediaFileReference(m_file));
    return result;
}
