#include "story/oldformat/OldDocumentClasses.h"

#include "story/oldformat/ZArray.h"
#include "story/oldformat/ZBag.h"
#include "story/oldformat/ZColor.h"
#include "story/oldformat/ZFile.h"
#include "story/oldformat/ZImage.h"
#include "story/oldformat/ZLMMovie.h"
#include "story/oldformat/ZLumoPause.h"
#include "story/oldformat/ZLumoSound.h"
#include "story/oldformat/ZLumoSpeech.h"
#include "story/oldformat/ZLumoText.h"
#include "story/oldformat/ZPoint.h"
#include "story/oldformat/ZRectangle.h"
#include "story/oldformat/ZSize.h"
#include "story/oldformat/ZStroke.h"
#include "story/oldformat/ZStyleInfo.h"
#include "story/oldformat/ZStyledText.h"
#include "story/oldformat/ZTape.h"
#include "story/oldformat/ZWaitMouseClick.h"
#include "story/oldformat/ZWipeOut.h"

namespace {
ZThing* createThing() { return new ZThing; }

template <typename X>
void registerAs(const char* StoredName, long Version)
{
    X::setClassRecord(ZClass::registerClass(StoredName, &X::createInstance, Version));
}
} // namespace

void registerOldDocumentClasses()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    registerAs<ZArray>("ZArray", 1);
    registerAs<ZBag>("ZBag", 1);
    registerAs<ZColor>("ZColor", 1);
    ZThing::setClassRecord(ZClass::registerClass("ZThing", &createThing, 1));
    registerAs<ZFile>("ZFile", 1);
    registerAs<ZStyleInfo>("ZStyleInfo", 1);
    registerAs<ZStyledText>("ZStyledText", 1);
    registerAs<ZPoint>("ZPoint", 1);
    registerAs<ZRectangle>("ZRectangle", 1);
    registerAs<ZSize>("ZSize", 1);
    registerAs<ZString>("ZString", 1);
    registerAs<ZTape>("Tape", 1);
    registerAs<ZTapeObject>("TapeObject", 1);
    registerAs<ZStroke>("Stroke", 1);
    registerAs<ZWipeOut>("WipeOut", 1);
    registerAs<ZLumoSound>("LumoSound", 1);
    registerAs<ZLumoSpeech>("LumoSpeech", 1);
    registerAs<ZLumoPause>("LumoPause", 1);
    registerAs<ZWaitMouseClick>("WaitMouseClick", 3);
    registerAs<ZLumoText>("LumoText", 2);
    registerAs<ZLMMovie>("QTMovie", 1);
    registerAs<ZImage>("Image", 1);
    // The records of arrays and styles are written in their second version: the swap
    // flag, and the platform tag with the portable part.
    ZArray::getClassRecord()->setVersion(2);
    ZStyleInfo::getClassRecord()->setVersion(2);
}
