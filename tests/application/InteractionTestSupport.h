#pragma once
// An application, windows, layers and elements that write what reaches them into one log
// ("<name> <what>") and answer what a test told them (0 by default), for the tests of the
// mouse, keyboard and action routing.
#include "application/KActionEvent.h"
#include "application/KControlActionEvent.h"
#include "application/KCursorManager.h"
#include "application/KKeyEvent.h"
#include "application/KKeyboardManager.h"
#include "application/KMouseEvent.h"
#include "application/KTimerManager.h"
#include "application/KWindowManager.h"
#include "tests/application/ApplicationTestSupport.h"

#include <map>
#include <string>
#include <vector>

using Log = std::vector<std::string>;

inline Log& interactionLog()
{
    static Log log;
    return log;
}

inline void note(const std::string& Line) { interactionLog().push_back(Line); }

class Answers {
public:
    void answer(const std::string& What, uint8 Answer) { m_answers[What] = Answer; }
    uint8 noted(const std::string& Name, const std::string& What)
    {
        note(Name + " " + What);
        return m_answers.count(What) ? m_answers[What] : 0;
    }

private:
    std::map<std::string, uint8> m_answers;
};

// The element a focus event names, and for a loss whether the manager still holds it.
inline std::string focusNote(const KKeyEvent& E);

inline std::string actionNote(const KActionEvent& E) { return "action " + std::to_string(E.getType()); }

// The six mouse hooks of a receiver: Prefix is "mouse" for windows and the application,
// "dispatchMouse" for layers.
#define LOGGED_MOUSE_HOOKS(Prefix)                                                      \
    KEventReturn Prefix##Enter(KMouseEvent& E) override { return mouse(E); }             \
    KEventReturn Prefix##Leave(KMouseEvent& E) override { return mouse(E); }             \
    KEventReturn Prefix##Down(KMouseEvent& E) override { return mouse(E); }              \
    KEventReturn Prefix##Move(KMouseEvent& E) override { return mouse(E); }              \
    KEventReturn Prefix##Tick(KMouseEvent& E) override { return mouse(E); }              \
    KEventReturn Prefix##Up(KMouseEvent& E) override { return mouse(E); }                \
    KEventReturn mouse(KMouseEvent& E)                                                   \
    {                                                                                    \
        static const char* const kinds[] = {"enter", "leave", "down", "move", "tick", "up"}; \
        return answers.noted(name, kinds[E.getType()]);                                  \
    }

class LoggingApplication : public KApplication {
public:
    LOGGED_MOUSE_HOOKS(mouse)
    KEventReturn keyTyped(KKeyEvent&) override { return answers.noted(name, "key"); }
    KEventReturn focusGained(KKeyEvent&) override { return answers.noted(name, "gained"); }
    KEventReturn focusLost(KKeyEvent&) override { return answers.noted(name, "lost"); }
    KEventReturn doAction(KActionEvent& E) override { return answers.noted(name, actionNote(E)); }
    KEventReturn doControlAction(KControlActionEvent& E) override
    {
        return answers.noted(name, "control " + actionNote(E));
    }
    KEventReturn clipboardChanged(KApplicationEvent&) override { return answers.noted(name, "clipboard"); }

    std::string name = "application";
    Answers answers;
};

class LoggingWindow : public KWindow {
public:
    explicit LoggingWindow(const char* Name = "window") : name(Name) {}
    LOGGED_MOUSE_HOOKS(mouse)
    bool keyTyped(KKeyEvent&) override { return answers.noted(name, "key") != 0; }
    bool focusGained(KKeyEvent& E) override { return answers.noted(name, "gained" + focusNote(E)) != 0; }
    bool focusLost(KKeyEvent& E) override { return answers.noted(name, "lost" + focusNote(E)) != 0; }
    bool handleAction(KActionEvent& E) override { return answers.noted(name, actionNote(E)) != 0; }
    bool handleControlAction(KControlActionEvent& E) override
    {
        return answers.noted(name, "control " + actionNote(E)) != 0;
    }

    std::string name;
    Answers answers;
};
K_POINTER_CLASS(LoggingWindow, KWindowPtr);

class LoggingLayer : public KLayer {
public:
    explicit LoggingLayer(const char* Name, bool Claims = false) : name(Name), claims(Claims) {}
    bool isMouseTarget(const KGraphicPoint&) override { return claims; }
    LOGGED_MOUSE_HOOKS(dispatchMouse)
    bool handleAction(KActionEvent& E) override { return answers.noted(name, actionNote(E)) != 0; }

    std::string name;
    bool claims;
    Answers answers;
};
K_POINTER_CLASS(LoggingLayer, KLayerPtr);

class LoggingElement : public KInteractiveElement {
public:
    explicit LoggingElement(const char* Name, bool TakesFocus = false) : name(Name)
    {
        if (TakesFocus)
            setStateFlags(AcceptsFocusFlag);
    }
    bool previewKey(KKeyEvent&) override { return answers.noted(name, "preview") != 0; }
    bool handleAction(KActionEvent& E) override { return answers.noted(name, actionNote(E)) != 0; }

    std::string name;
    Answers answers;
};
K_POINTER_CLASS(LoggingElement, KInteractiveElementPtr);

inline std::string focusNote(const KKeyEvent& E)
{
    auto* element = E.hasElement() ? dynamic_cast<LoggingElement*>(&E.getElement()) : nullptr;
    const bool held = KKeyboardManager::exists() && KKeyboardManager::getManager().hasFocusElement();
    return (element ? " " + element->name : "") + (E.getType() == KKeyEvent::FocusLost && held ? " held" : "");
}

// A logging application with a window manager, the timer manager and the cursor and
// keyboard managers for the length of a test.
class InteractionScope : public ApplicationScope<LoggingApplication> {
public:
    InteractionScope()
    {
        interactionLog().clear();
        (*this)->createWindowManager(*KWindowManager::getClassRecord());
        KTimerManager::initManager();
        KCursorManager::initManager();
        KKeyboardManager::initManager();
    }
    ~InteractionScope()
    {
        KKeyboardManager::exitManager();
        KCursorManager::exitManager();
        KTimerManager::exitManager();
        (*this)->destroyWindowManager();
    }
};
