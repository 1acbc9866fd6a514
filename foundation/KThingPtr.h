#pragma once
// The counted smart pointer. Taking an object adds one to its count; releasing it takes
// one away, and the release that brings the count back to 1 destroys the object.
#include "foundation/KThing.h"

class KThingPtr : public KThing {
public:
    KThingPtr() = default;
    KThingPtr(KThing& O);
    KThingPtr(KThing* O) { setObjectOrNull(O); }
    KThingPtr(const KThingPtr& P);
    KThingPtr& operator=(const KThingPtr& P);
    ~KThingPtr() override;

    void setObject(KThing& O);
    void setObjectOrNull(KThing* O);
    KThing& getObject() const;
    bool hasObject(KThing** Out = nullptr) const;
    bool hasObject(std::nullptr_t) const { return m_object != nullptr; }
    void reset();

    KThing* operator->() const { return &getObject(); }
    KThing& operator*() const { return getObject(); }
    KThingPtr& operator=(KThing& O) { setObject(O); return *this; }
    KThingPtr& operator=(KThing* O) { setObjectOrNull(O); return *this; }
    bool operator==(const KThing& O) const { return m_object == &O; }
    bool operator==(const KThing* O) const { return m_object == O; }
    bool operator!=(const KThing& O) const { return m_object != &O; }
    bool operator!=(const KThing* O) const { return m_object != O; }

    // The held object without the empty-pointer report; null when empty.
    KThing* get() const { return m_object; }

private:
    KThing* m_object = nullptr;
};

// The typed pointer of class X, derived from the pointer class of X's parent. It adds no
// field; its operations differ from those of the parent pointer only in the type they
// take and give.
template <typename X, typename ParentPtr>
class KTypedPtr : public ParentPtr {
public:
    KTypedPtr() = default;
    KTypedPtr(X& O) { setObjectOrNull(&O); }
    KTypedPtr(X* O) { setObjectOrNull(O); }
    KTypedPtr(const KTypedPtr& P) : ParentPtr() { setObjectOrNull(P.get()); }
    KTypedPtr& operator=(const KTypedPtr& P) { setObjectOrNull(P.get()); return *this; }

    void setObject(X& O) { KThingPtr::setObjectOrNull(&O); }
    void setObject(X* O) { KThingPtr::setObjectOrNull(O); }
    void setObjectOrNull(X* O) { KThingPtr::setObjectOrNull(O); }
    X& getObject() const { return static_cast<X&>(KThingPtr::getObject()); }
    X* get() const { return static_cast<X*>(KThingPtr::get()); }

    X* operator->() const { return &getObject(); }
    X& operator*() const { return getObject(); }
    KTypedPtr& operator=(X& O) { setObject(O); return *this; }
    KTypedPtr& operator=(X* O) { setObjectOrNull(O); return *this; }
    bool operator==(const X& O) const { return get() == &O; }
    bool operator==(const X* O) const { return get() == O; }
    bool operator!=(const X& O) const { return get() != &O; }
    bool operator!=(const X* O) const { return get() != O; }
};

// Declares XPtr for class X whose parent's pointer class is ParentPtr.
#define K_POINTER_CLASS(X, ParentPtr)                                   \
    class X##Ptr : public KTypedPtr<X, ParentPtr> {                     \
    public:                                                             \
        using KTypedPtr<X, ParentPtr>::KTypedPtr;                       \
        using KTypedPtr<X, ParentPtr>::operator=;                       \
        X##Ptr() = default;                                             \
        X##Ptr(const X##Ptr& P) : KTypedPtr<X, ParentPtr>(P) {}         \
        X##Ptr& operator=(const X##Ptr& P)                              \
        {                                                               \
            KTypedPtr<X, ParentPtr>::operator=(P);                      \
            return *this;                                               \
        }                                                               \
    }
