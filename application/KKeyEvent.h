#pragma once
// A typed key, or the keyboard focus gained or lost by an element. The key is a character
// below 256 or one of the framework's codes for special keys; the modifiers are the keys
// held when the event was made.
#include "application/KEvent.h"
#include "foundation/KFlagSet.h"

class KKeyEvent : public KEvent {
    K_DECLARE_CLASS(KKeyEvent)
public:
    enum Kind : long {
        KeyTyped = 0,
        FocusGained = 1,
        FocusLost = 2,
    };

    enum Modifier : uint32 {
        Shift = 0x1,
        Control = 0x2,
        CapsLock = 0x4,
        NumLock = 0x8,
    };

    // Reads the modifier keys as they are held now.
    KKeyEvent();
    ~KKeyEvent() override;

    // Key events go to the keyboard manager, which ends them in the application's hooks;
    // without one they are not handled.
    KEventReturn handle() override;

    virtual void setElement(KThing& E);
    virtual void resetElement();
    KThing& getElement() const { return m_element.getObject(); }
    bool hasElement() const { return m_element.hasObject(nullptr); }

    void setKey(uint16 Key) { m_key = Key; }
    uint16 getKey() const { return m_key; }
    void setModifiers(uint32 Modifiers);
    uint32 getModifiers() const { return m_modifiers.getFlags(); }

private:
    KThingPtr m_element;
    uint16 m_key = 0;
    KFlagSet m_modifiers;
};

K_POINTER_CLASS(KKeyEvent, KEventPtr);
