#pragma once
// An application, windows, layers and elements that write what reaches them into one log,
// for the tests of the mouse, keyboard and action routing.
#include "application/KActionEvent.h"
#include "application/KControlActionEvent.h"
#include "application/KCursorManager.h"
#include "application/KKeyEvent.h"
#include "application/KKeyboardManager.h"
#include "application/KLayer.h"
#include "application/KMouseEvent.h"
#include "application/KTimerManager.h"
#include "application/KWindow.h"
#include "application/KWindowManager.h"
#include "tests/application/ApplicationTestSupport.h"

#include <map>
#include <string>
#include <vector>

inline std::vector<std::string>& interactionLog()
{
    static std::vector<std::string> log;
    return log;
}

inline void note(const std::string& Line) { interactionLog().push_back(Line); }

inline const char* mouseKindName(long Kind)
{
    static const char* const names[] = {"enter", "leave", "down", "move", "tick", "up"};
    return Kind >= 0 && Kind <= 5 ? names[Kind] : "?";
}

// Every receiver notes "<name> <what>" and answers what its table says (0 by default).
class Answers {
public:
    void answer(const std::string& What, uint8 Answer) { m_answers[What] = Answer; }
    uint8 noted(const std::string& Name, const std::string& What)
    {
        note(Name + " " + What);
        auto found = m_answers.find(What);
        return found == m_answers.end() ? 0 : found->second;
    }

private:
    std::map<std::string, uint8> m_answers;
};

// The element a focus event names, and for a loss whether the manager still holds it.
inline std::string focusNote(const KKeyEvent& E);

class LoggingApplication : public KApplication {
public:
    KEventReturn mouseEnter(KMouseEvent& E) override { return mouse(E); }
    KEventReturn mouseLeave(KMouseEvent& E) override { return mouse(E); }
    KEventReturn mouseDown(KMouseEvent& E) override { return mouse(E); }
    KEventReturn mouseMove(KMouseEvent& E) override { return mouse(E); }
    KEventReturn mouseTick(KMouseEvent& E) override { return mouse(E); }
    KEventReturn mouseUp(KMouseEvent& E) override { return mouse(E); }
    KEventReturn keyTyped(KKeyEvent&) override { return answers.noted("application", "key"); }
    KEventReturn focusGained(KKeyEvent&) override { return answers.noted("application", "gained"); }
    KEventReturn focusLost(KKeyEvent&) override { return answers.noted("application", "lost"); }
    KEventReturn doAction(KActionEvent& E) override
    {
        return answers.noted("application", "action " + std::to_string(E.getType()));
    }
    KEventReturn doControlAction(KControlActionEvent& E) override
    {
        return answers.noted("application", "control action " + std::to_string(E.getType()));
    }
    KEventReturn clipboardChanged(KApplicationEvent&) override { return answers.noted("application", "clipboard"); }

    Answers answers;

private:
    KEventReturn mouse(KMouseEvent& E) { return answers.noted("application", mouseKindName(E.getType())); }
};

class LoggingWindow : public KWindow {
public:
    explicit LoggingWindow(const char* Name = "window")
        : name(Name)
    {
    }
    KEventReturn mouseEnter(KMouseEvent& E) override { return mouse(E); }
    KEventReturn mouseLeave(KMouseEvent& E) override { return mouse(E); }
    KEventReturn mouseDown(KMouseEvent& E) override { return mouse(E); }
    KEventReturn mouseMove(KMouseEvent& E) override { return mouse(E); }
    KEventReturn mouseTick(KMouseEvent& E) override { return mouse(E); }
    KEventReturn mouseUp(KMouseEvent& E) override { return mouse(E); }
    bool keyTyped(KKeyEvent&) override { return answers.noted(name, "key") != 0; }
    bool focusGained(KKeyEvent& E) override { return answers.noted(name, "gained" + focusNote(E)) != 0; }
    bool focusLost(KKeyEvent& E) override { return answers.noted(name, "lost" + focusNote(E)) != 0; }
    bool handleAction(KActionEvent& E) override
    {
        return answers.noted(name, "action " + std::to_string(E.getType())) != 0;
    }
    bool handleControlAction(KControlActionEvent& E) override
    {
        return answers.noted(name, "control action " + std::to_string(E.getType())) != 0;
    }

    std::string name;
    Answers answers;

private:
    KEventReturn mouse(KMouseEvent& E) { return answers.noted(name, mouseKindName(E.getType())); }
};
K_POINTER_CLASS(LoggingWindow, KWindowPtr);

class LoggingLayer : public KLayer {
public:
    explicit LoggingLayer(const char* Name, bool Claims = false)
        : name(Name)
        , claims(Claims)
    {
    }
    bool isMouseTarget(const KGraphicPoint&) override { return claims; }
    KEventReturn dispatchMouseEnter(KMouseEvent& E) override { return mouse(E); }
    KEventReturn dispatchMouseLeave(KMouseEvent& E) override { return mouse(E); }
    KEventReturn dispatchMouseDown(KMouseEvent& E) override { return mouse(E); }
    KEventReturn dispatchMouseMove(KMouseEvent& E) override { return mouse(E); }
    KEventReturn dispatchMouseTick(KMouseEvent& E) override { return mouse(E); }
    KEventReturn dispatchMouseUp(KMouseEvent& E) override { return mouse(E); }
    bool keyTyped(KKeyEvent&) override { return answers.noted(name, "key") != 0; }
    bool focusGained(KKeyEvent& E) override { return answers.noted(name, "gained" + focusNote(E)) != 0; }
    bool focusLost(KKeyEvent& E) override { return answers.noted(name, "lost" + focusNote(E)) != 0; }
    bool handleAction(KActionEvent& E) override
    {
        return answers.noted(name, "action " + std::to_string(E.getType())) != 0;
    }

    std::string name;
    bool claims;
    Answers answers;

private:
    KEventReturn mouse(KMouseEvent& E) { return answers.noted(name, mouseKindName(E.getType())); }
};
K_POINTER_CLASS(LoggingLayer, KLayerPtr);

class LoggingElement : public KInteractiveElement {
public:
    explicit LoggingElement(const char* Name, bool TakesFocus = false)
        : name(Name)
    {
        if (TakesFocus)
            setStateFlags(AcceptsFocusFlag);
    }
    bool previewKey(KKeyEvent&) override { return answers.noted(name, "preview") != 0; }
    bool handleAction(KActionEvent& E) override
    {
        return answers.noted(name, "action " + std::to_string(E.getType())) != 0;
    }

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

// A mouse event of a kind for a window at a local position, with a time stamp.
inline KMouseEventPtr mouseEvent(long Kind, KWindow& Window, short H = 10, short V = 10, long Time = 0)
{
    KMouseEventPtr event = new KMouseEvent;
    event->setType(Kind);
    event->setWindow(Window);
    event->setLocalPosition(KGraphicPoint(H, V));
    event->setTime(Time);
    return event;
}

inline KKeyEventPtr keyEvent(uint16 Key, uint32 Modifiers = 0)
{
    KKeyEventPtr event = new KKeyEvent;
    event->setType(KKeyEvent::KeyTyped);
    event->setKey(Key);
    event->setModifiers(Modifiers);
    return event;
}
