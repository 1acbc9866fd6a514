#include "application/KNativeEvent.h"

#include "application/NativeMessageTranslationWin32.h"

K_DEFINE_CLASS(KNativeEvent, KEvent, 1)

KNativeEvent::KNativeEvent()
{
    setType(2);
}

KNativeEvent::~KNativeEvent() = default;

KEventReturn KNativeEvent::handle()
{
    if (isCommonDialogOpen())
        return 1;
    return kksProcessNativeEvent(*this);
}

KEventReturn kksProcessNativeEvent(KEvent& Event)
{
    KClass* nativeClass = KNativeEvent::getClassRecord();
    if (!nativeClass || !Event.isEqualOrSubClass(*nativeClass)) {
        // Another event's fields are not a native message record.
        kksReportError(100, "KEventReturn kksProcessNativeEvent(KNativeEvent& Event)");
        return 0;
    }
    return processNativeMessageWin32(static_cast<KNativeEvent&>(Event));
}
