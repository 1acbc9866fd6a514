#pragma once
// The one keyboard manager of the process. It knows which interactive element has the
// keyboard focus, keeps the native focus on that element's native window when it has one,
// and routes key events: typed keys go to the key previewers, the focus element's layer,
// the Tab traversal of its window, the front dialog's Return and Escape buttons, the
// windows from front to back and last the application; focus events go to the element's
// layer, its window and the application.
#include "application/KEvent.h"
#include "application/KInteractiveElement.h"
#include "foundation/KBag.h"
#include "foundation/KThingPtr.h"

class KApplication;
class KKeyEvent;
class KWindow;

class KKeyboardManager : public KThing {
public:
    // The framework's codes of the keys the manager reads itself.
    enum Key : uint16 {
        TabKey = 0x11a,
        ReturnKey = 0x11b,
        EscapeKey = 0x11c,
    };

    KKeyboardManager();
    ~KKeyboardManager() override;

    // The global manager; error 18 when there is none.
    static KKeyboardManager& getManager();
    static bool exists();
    // Made and dropped by the application with its other singletons.
    static void initManager();
    static void exitManager();

    // The old focus element hears that it lost the focus before the new one hears that it
    // gained it; both hear it before this returns.
    virtual void setFocusElement(KInteractiveElement& E);
    virtual void clearFocusElement();

    KInteractiveElement& getFocusElement() const { return m_focusElement.getObject(); }
    bool hasFocusElement() const { return m_focusElement.hasObject(nullptr); }

    // Objects offered every typed key before anything else, in the order added; the
    // framework adds none itself.
    void addKeyPreviewer(KInteractiveElement& E);
    void removeKeyPreviewer(KInteractiveElement& E);

    // Each answers whether the event was handled.
    bool routeKeyTyped(KKeyEvent& K);
    bool routeFocusGained(KKeyEvent& K);
    bool routeFocusLost(KKeyEvent& K);

private:
    // The native focus follows a focus element that has a native window of its own.
    void moveNativeFocusTo(KInteractiveElement& E);
    // Return and Escape press the front dialog's Return and Escape elements.
    bool pressDialogButton(KWindow& Front, const KKeyEvent& K);
    // The element's layer (or the element, when it is a layer), its window, then the
    // application.
    bool routeFocusChange(KKeyEvent& K, bool (KInteractiveElement::*LayerHook)(KKeyEvent&),
                          bool (KWindow::*WindowHook)(KKeyEvent&),
                          KEventReturn (KApplication::*ApplicationHook)(KKeyEvent&));

    KInteractiveElementPtr m_focusElement;
    KBag m_keyPreviewers;
};

K_POINTER_CLASS(KKeyboardManager, KThingPtr);
