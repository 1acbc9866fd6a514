#pragma once
// The uncounted pointer used for back-references: it never changes the count of the
// object it points to, so that object may go away while the pointer still names it.
#include "foundation/KClass.h"

class KNativePtr : public KThing {
    K_DECLARE_CLASS(KNativePtr)
public:
    KNativePtr() = default;
    explicit KNativePtr(KThing* O);
    ~KNativePtr() override;

    KThing* setNativePtr(KThing* O);
    KThing& getNativePtr() const;
    bool hasNativePtr(KThing** Out = nullptr) const;
    void reset() { m_object = nullptr; }

    KThing* get() const { return m_object; }

private:
    KThing* m_object = nullptr;
};
