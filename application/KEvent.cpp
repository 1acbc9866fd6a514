#include "application/KEvent.h"

#include "application/KApplication.h"
#include "foundation/KMemory.h"
#include "foundation/KString.h"
#include "foundation/KVariable.h"

K_DEFINE_CLASS(KEvent, KThing, 1)

void* KEvent::s_commonDialogWindow = nullptr;
long KEvent::s_liveEvents = 0;

KEvent::KEvent()
{
    ++s_liveEvents;
}

KEvent::~KEvent()
{
    setNativeMessage(nullptr);
    --s_liveEvents;
}

void KEvent::setSource(KThing& S) { m_source.setObject(S); }
void KEvent::resetSource() { m_source.reset(); }

KEventReturn KEvent::handle()
{
    if (isCommonDialogOpen())
        return 1;
    if (m_type == 0)
        return 0;
    return offerToReceivers();
}

KEventReturn KEvent::offerToReceivers()
{
    for (long i = 0; i < m_receivers.getCount(); ++i) {
        if (m_receivers[i].handleEvent(*this))
            return 1;
    }
    KApplication* application = KApplication::getApplication();
    return application && application->handleEvent(*this) ? 1 : 0;
}

void KEvent::setNativeMessage(const KNativeMessage* Message)
{
    if (m_nativeMessage) {
        KMemory::dispose(m_nativeMessage);
        m_nativeMessage = nullptr;
    }
    if (!Message)
        return;
    m_nativeMessage = static_cast<KNativeMessage*>(KMemory::allocate(sizeof(KNativeMessage), false));
    if (m_nativeMessage)
        *m_nativeMessage = *Message;
}

void KEvent::copyFrom(const KEvent& E)
{
    m_type = E.m_type;
    m_time = E.m_time;
    setNativeMessage(E.m_nativeMessage);
}

void KEvent::addVariable(const KString& Name, const KVariable& V)
{
    // The event keeps its own copy, so that a variable on the caller's stack may go.
    KVariablePtr copy = new KVariable;
    if (!copy.hasObject(nullptr))
        return;
    *copy = V;
    m_variables.addNamedObject(Name, *copy, false);
}

void KEvent::setVariable(const KString& Name, const KVariable& V)
{
    if (m_variables.findName(Name, nullptr))
        getNamedVariable(Name) = V;
    else
        addVariable(Name, V);
}

KVariable& KEvent::getNamedVariable(const KString& Name) const
{
    return static_cast<KVariable&>(m_variables.getNamedObject(Name));
}

bool KEvent::findVariable(const KString& Name, KVariable& Out) const
{
    if (!m_variables.findName(Name, nullptr))
        return false;
    Out = getNamedVariable(Name);
    return true;
}

void KEvent::addReceiver(KThing& R)
{
    if (!m_receivers.has(R))
        m_receivers.add(R);
}

void KEvent::addReceivers(const KBag& Receivers)
{
    for (long i = 0; i < Receivers.getCount(); ++i)
        addReceiver(Receivers[i]);
}

KEventReturn KEvent::send(KEvent& E)
{
    // An event made on the caller's stack cannot be counted; it lives through the call
    // anyway.
    KEventPtr hold(E.isOnHeap() ? &E : nullptr);
    return E.handle();
}
