#include "story/oldformat/ZTapeObject.h"

#include "foundation/KGraphicRectangle.h"
#include "foundation/KernelFunctions.h"
#include "story/oldformat/ZColor.h"
#include "story/oldformat/ZFile.h"
#include "story/oldformat/ZRectangle.h"

Z_DEFINE_CLASS(ZTapeObject)

void ZTapeObject::readFromFile(ZFile& F)
{
    if (!ZClass::readClassInfo(s_class, F))
        return;
    long kind = m_kind;
    F.readLong(kind);
    F.readByte(m_enabled);
    m_kind = static_cast<uint8>(kind & 0xFF);
}

void ZTapeObject::writeToFile(ZFile& F)
{
    ZClass::recordOf(s_class).writeClassInfo(F);
    F.writeLong(m_kind);
    F.writeByte(static_cast<char>(m_enabled));
}

bool ZTapeObject::readOwnRecord(const ZClass* Own, ZFile& F, long& Version)
{
    ZTapeObject::readFromFile(F);
    return ZClass::readClassInfoAndVersion(Own, F, Version);
}

void ZTapeObject::writeOwnRecord(ZFile& F)
{
    ZTapeObject::writeToFile(F);
    getClass().writeClassInfo(F);
}

TapeObjectPtr ZTapeObject::convertToKTapeObject() const { return TapeObjectPtr(); }

KFileReference ZTapeObject::mediaFileReference(const ZFile& File)
{
    KPath path;
    path.setPathText(KString(File.getPath().getText()), knsGetPlatform());
    return KFileReference(path);
}

KColor ZTapeObject::convertedColor(const ZColor& Color)
{
    return KColor(Color.getRed(), Color.getGreen(), Color.getBlue());
}

KGraphicRectangle ZTapeObject::convertedBounds(const ZRectangle& Bounds)
{
    short x = 0;
    short y = 0;
    short width = 0;
    short height = 0;
    Bounds.get(x, y, width, height);
    return KGraphicRectangle(x, y, width, height);
}

ZString ZTapeObject::currentVoiceName(const ZString& Voice)
{
    if (Voice == ZString("My Voice Male"))
        return ZString("MyVoice Male");
    if (Voice == ZString("My Voice Female"))
        return ZString("MyVoice Female");
    return Voice;
}
