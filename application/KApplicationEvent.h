#pragma once
// What concerns the application as a whole: activation, a quit request, a document to
// open, clipboard changes and data received from outside. This class also keeps the
// application event queue, through which every posted event passes, of whatever class.
#include "application/KEvent.h"

class KApplicationEvent : public KEvent {
    K_DECLARE_CLASS(KApplicationEvent)
public:
    enum Kind : long {
        Deactivate = 0,
        Activate = 1,
        QuitRequest = 2,
        // The object is the reference of the document to open.
        OpenDocument = 3,
        // A request that the application defines.
        ApplicationRequest = 4,
        ClipboardChanged = 5,
        // The text is the string variable "Received Data".
        ReceivedData = 6,
    };

    KApplicationEvent();
    ~KApplicationEvent() override;

    KEventReturn handle() override;

    virtual void setObject(KThing& O);
    virtual void resetObject();
    KThing& getObject() const { return m_object.getObject(); }
    bool hasObject() const { return m_object.hasObject(nullptr); }

    // The queue: first in, first out, growing by 64 places whenever it is full.
    static void initQueue();
    // Appends any event; the queue holds it until it has been handled.
    static void post(KEvent& E);
    // Handles queued events until the queue is empty, those posted meanwhile included.
    static void flushQueue();
    // Empties the queue without handling.
    static void clearQueue();
    static long getQueueCount();

private:
    KThingPtr m_object;
};

K_POINTER_CLASS(KApplicationEvent, KEventPtr);
