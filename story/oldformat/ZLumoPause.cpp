#include "story/oldformat/ZLumoPause.h"

#include "story/LumoPause.h"
#include "story/oldformat/ZFile.h"

#include <limits>

Z_DEFINE_CLASS(ZLumoPause)

ZLumoPause::ZLumoPause() { setKind(TapeObject::PauseKind); }

void ZLumoPause::readFromFile(ZFile& F)
{
    long version = 0;
    if (readOwnRecord(s_class, F, version))
        F.readLong(m_duration);
}

void ZLumoPause::writeToFile(ZFile& F)
{
    writeOwnRecord(F);
    F.writeLong(m_duration);
}

TapeObjectPtr ZLumoPause::convertToKTapeObject() const
{
    constexpr long long longest = std::numeric_limits<long>::max();
    constexpr long long shortest = std::numeric_limits<long>::min();
    const long long milliseconds = static_cast<long long>(m_duration) * 1000;
    LumoPausePtr pause(new LumoPause);
    pause->setDuration(static_cast<long>(milliseconds > longest ? longest : milliseconds < shortest ? shortest : milliseconds));
    return TapeObjectPtr(pause.get());
}
