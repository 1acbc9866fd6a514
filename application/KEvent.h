#pragma once
// The framework's event: a source, a type code within the event's class, an optional copy
// of the native message it came from, named variables and receivers. An event is sent
// (handled at once) or posted (queued and handled by the main loop). Handling offers it to
// what it concerns first and ends in the application's hook for its kind.
#include "application/KNativeMessage.h"
#include "foundation/KBag.h"
#include "foundation/KClass.h"
#include "foundation/KNamedBag.h"
#include "foundation/KThingPtr.h"

class KString;
class KVariable;

// The handled answer: 0 not handled, any other value stops the event. Close and quit
// requests answer 2 for "may close", mouse operations 4 for "handled, track the press".
using KEventReturn = uint8;

class KEvent : public KThing {
    K_DECLARE_CLASS(KEvent)
public:
    KEvent();
    ~KEvent() override;

    virtual void setSource(KThing& S);
    virtual void resetSource();
    virtual KEventReturn handle();

    KThing& getSource() const { return m_source.getObject(); }
    bool hasSource() const { return m_source.hasObject(nullptr); }

    void setType(long T) { m_type = T; }
    long getType() const { return m_type; }
    void setTime(long T) { m_time = T; }
    long getTime() const { return m_time; }

    // Keeps a copy of the record (none for null), dropping the one held before.
    void setNativeMessage(const KNativeMessage* Message);
    const KNativeMessage* getNativeMessage() const { return m_nativeMessage; }
    // Type, time and the native message of another event.
    void copyFrom(const KEvent& E);

    void addVariable(const KString& Name, const KVariable& V);
    void setVariable(const KString& Name, const KVariable& V);
    KVariable& getNamedVariable(const KString& Name) const;
    bool findVariable(const KString& Name, KVariable& Out) const;
    long getVariableCount() const { return m_variables.getCount(); }

    void addReceiver(KThing& R);
    void addReceivers(const KBag& Receivers);
    const KBag& getReceivers() const { return m_receivers; }

    // Handles E at once, holding it for the duration.
    static KEventReturn send(KEvent& E);

    // While a native common dialog is on screen, every event counts as handled without
    // being offered, so that nothing behind the dialog reacts.
    static void setCommonDialogWindow(void* W) { s_commonDialogWindow = W; }
    static void* getCommonDialogWindow() { return s_commonDialogWindow; }
    static bool isCommonDialogOpen() { return s_commonDialogWindow != nullptr; }

    static long getLiveEventCount() { return s_liveEvents; }

protected:
    // The base dispatch: the receivers in order, then the application's handleEvent.
    KEventReturn offerToReceivers();

private:
    static void* s_commonDialogWindow;
    static long s_liveEvents;

    KThingPtr m_source;
    KNativeMessage* m_nativeMessage = nullptr;
    long m_type = 0;
    long m_time = 0;
    KNamedBag m_variables;
    KBag m_receivers;
};

K_POINTER_CLASS(KEvent, KThingPtr);
