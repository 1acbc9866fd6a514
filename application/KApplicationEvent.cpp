#include "application/KApplicationEvent.h"

#include "application/KApplication.h"
#include "application/KClipboardManager.h"
#include "application/KWindowManager.h"
#include "application/WindowStackingWin32.h"

namespace {
constexpr long kQueueStep = 64;

KBag& queue()
{
    static KBag events;
    return events;
}
} // namespace

K_DEFINE_CLASS(KApplicationEvent, KEvent, 1)

KApplicationEvent::KApplicationEvent() = default;
KApplicationEvent::~KApplicationEvent() = default;

void KApplicationEvent::setObject(KThing& O) { m_object.setObject(O); }
void KApplicationEvent::resetObject() { m_object.reset(); }

KEventReturn KApplicationEvent::handle()
{
    if (isCommonDialogOpen())
        return 1;
    KApplication* application = KApplication::getApplication();
    if (!application)
        return 0;
    KApplicationPtr hold(application->isOnHeap() ? application : nullptr);
    switch (getType()) {
    case Deactivate: {
        // Repeated deactivations reach the hook once.
        if (!application->isActive())
            return 1;
        const KEventReturn answer = application->deactivate(*this);
        application->clearApplicationFlags(KApplication::ActiveFlag);
        // Another program may want what was copied here.
        if (KClipboardManager::exists())
            KClipboardManager::getManager().putObject();
        return answer;
    }
    case Activate: {
        if (application->isActive())
            return 1;
        const KEventReturn answer = application->activate(*this);
        application->setApplicationFlags(KApplication::ActiveFlag);
        if (answer == 0) {
            if (application->hasMainWindow())
                activateNativeWindowWin32(application->getMainWindow().getNativeWindow());
            if (KWindowManager::exists())
                KWindowManager::get().arrangeNativeWindows();
        }
        return answer;
    }
    case QuitRequest: {
        const KEventReturn answer = application->quitRequest(*this);
        if (answer == 2)
            application->postQuitMessage();
        return answer;
    }
    case OpenDocument:
        return application->openDocument(*this);
    case ApplicationRequest:
        return application->doApplicationRequest(*this);
    case ClipboardChanged: {
        if (!KClipboardManager::exists())
            return 0;
        KClipboardManager& clipboard = KClipboardManager::getManager();
        clipboard.getObject();
        return clipboard.holdsObject() ? application->clipboardChanged(*this) : 0;
    }
    case ReceivedData:
        return application->receivedData(*this);
    default:
        return 0;
    }
}

void KApplicationEvent::initQueue()
{
    KBag& events = queue();
    if (events.getCount() == 0) {
        events.setMinSize(kQueueStep);
        events.setGrowSize(kQueueStep);
    }
}

void KApplicationEvent::post(KEvent& E) { queue().add(E); }

void KApplicationEvent::flushQueue()
{
    KBag& events = queue();
    while (events.getCount() > 0) {
        KEventPtr next = static_cast<KEvent&>(events[0]);
        events.removeAt(0);
        next->handle();
    }
}

void KApplicationEvent::clearQueue() { queue().clear(); }

long KApplicationEvent::getQueueCount() { return queue().getCount(); }
