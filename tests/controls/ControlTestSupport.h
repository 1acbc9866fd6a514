#pragma once
// Controls for the control tests: an application with its managers and a hidden window
// (its native window exists, so the controls in it get theirs), controls that write what
// happens to them into the interaction log, and a look at the actions posted since.
#include "application/KNativeEvent.h"
#include "controls/KControl.h"
#include "controls/KControlsLayer.h"
#include "controls/NativeControlBindingWin32.h"
#include "tests/application/InteractionTestSupport.h"

#include <string>
#include <vector>

#include <windows.h>

// Notes when its native window comes and goes, and the action events offered to it.
class TracedControl : public KControl {
public:
    explicit TracedControl(const char* Name, uint8 MouseAnswer = 0xFF)
        : name(Name)
        , mouseAnswer(MouseAnswer)
    {
    }
    void createNativeControl() override
    {
        KControl::createNativeControl();
        note(name + (getNativeWindow() ? " made" : " not made"));
    }
    void destroyNativeControl() override
    {
        if (getNativeWindow())
            note(name + " gone");
        KControl::destroyNativeControl();
    }
    bool handleAction(KControlActionEvent& E) override { return answers.noted(name, actionNote(E)) != 0; }
    // A set answer replaces the base's own handling of a press.
    KEventReturn mouseDownEvent(KMouseEvent& E) override
    {
        if (mouseAnswer == 0xFF)
            return KControl::mouseDownEvent(E);
        note(name + " down");
        return mouseAnswer;
    }
    bool keyTyped(KKeyEvent&) override { return answers.noted(name, "key") != 0; }
    using KControl::setVariantSize;

    std::string name;
    uint8 mouseAnswer;
    Answers answers;
};
K_POINTER_CLASS(TracedControl, KControlPtr);

// The application's managers and a hidden window, opened for the length of a test.
class ControlScope : public InteractionScope {
public:
    ControlScope()
    {
        window->open(KWindow::OpenHidden);
        interactionLog().clear();
    }
    ~ControlScope() { window->close(); }

    LoggingWindowPtr window = new LoggingWindow;
};

// The actions of the named receiver ("application", "window" or a traced control) that
// the queued events brought, as "<type>" texts in order.
inline std::vector<std::string> actionsFor(const std::string& Receiver)
{
    interactionLog().clear();
    KApplicationEvent::flushQueue();
    std::vector<std::string> types;
    const std::string control = Receiver + " control action ";
    const std::string plain = Receiver + " action ";
    for (const std::string& line : interactionLog()) {
        if (line.rfind(control, 0) == 0)
            types.push_back(line.substr(control.size()));
        else if (line.rfind(plain, 0) == 0)
            types.push_back(line.substr(plain.size()));
    }
    return types;
}

using Actions = std::vector<std::string>;

inline HWND nativeOf(const KControl& C) { return static_cast<HWND>(C.getNativeWindow()); }

// What a native control window reports to its parent when it is clicked.
inline void notifyClick(const KControl& C)
{
    SendMessageA(GetParent(nativeOf(C)), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(nativeOf(C)));
}
