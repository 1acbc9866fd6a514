#include "story/oldformat/ZWaitMouseClick.h"

#include "story/WaitObject.h"
#include "story/oldformat/ZFile.h"

Z_DEFINE_CLASS(ZWaitMouseClick)

ZWaitMouseClick::ZWaitMouseClick() { setKind(TapeObject::WaitKind); }

void ZWaitMouseClick::readFromFile(ZFile& F)
{
    long version = 0;
    if (!readOwnRecord(s_class, F, version))
        return;
    if (version < 1 || version > 3) {
        F.markDamaged("ZWaitMouseClick::readFromFile", "Unknown Version");
        return;
    }
    const int stored = version == 1 ? 0 : version == 2 ? kOptionCount - 1 : kOptionCount;
    for (int i = 0; i < stored; ++i)
        F.readByte(m_options[i]);
    if (version == 2)
        m_options[kOptionCount - 1] = 1;
}

void ZWaitMouseClick::writeToFile(ZFile& F)
{
    writeOwnRecord(F);
    for (uint8 option : m_options)
        F.writeByte(static_cast<char>(option));
}

TapeObjectPtr ZWaitMouseClick::convertToKTapeObject() const
{
    WaitObjectPtr wait(new WaitObject);
    wait->setOption1(getOption(1));
    wait->setOption2(getOption(2));
    wait->setOption3(getOption(3));
    wait->setOption4(getOption(6));
    wait->setOption5(getOption(4));
    wait->setOption6(getOption(5));
    return TapeObjectPtr(wait.get());
}
