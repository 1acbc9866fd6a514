#include "story/oldformat/ZFramedMedia.h"

void ZFramedMedia::readFromFile(ZFile& F)
{
    long version = 0;
    if (!readOwnRecord(&getClass(), F, version))
        return;
    m_file.readFromFile(F);
    m_bounds.readFromFile(F);
    F.readByte(m_option);
}

void ZFramedMedia::writeToFile(ZFile& F)
{
    writeOwnRecord(F);
    m_file.writeToFile(F);
    m_bounds.writeToFile(F);
    F.writeByte(static_cast<char>(m_option));
}
