#pragma once
// Controls for the control tests: an application with its managers and a hidden window
// (its native window exists, so the controls in it get theirs), controls that write what
// happens to them into the interaction log, and a look at the actions posted since.
#include "application/KNativeEvent.h"
#include "controls/KControl.h"
#include "controls/KControlsLayer.h"
#include "controls/KDialog.h"
#include "controls/KPushButtonControl.h"
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

// "h,v wxh": bounds compared in one line.
inline std::string boundsText(const KGraphicRectangle& R)
{
    return std::to_string(R.getH()) + "," + std::to_string(R.getV()) + " " + std::to_string(R.getWidth()) + "x"
           + std::to_string(R.getHeight());
}

// A mouse event of the kind at the point of the window, sent at once.
inline KEventReturn sendMouse(KWindow& W, long Kind, short H, short V)
{
    KMouseEventPtr mouse = new KMouseEvent;
    mouse->setType(Kind);
    mouse->setWindow(W);
    mouse->setLocalPosition(KGraphicPoint(H, V));
    return KEvent::send(*mouse);
}

// The lines of the log that start with the prefix.
inline Log logLines(const std::string& Prefix)
{
    Log lines;
    for (const std::string& line : interactionLog()) {
        if (line.rfind(Prefix, 0) == 0)
            lines.push_back(line);
    }
    return lines;
}

// Notes the events a dialog sends it about its standard buttons: "receiver <type>".
class NotedReceiver : public KThing {
public:
    bool handleEvent(KEvent& E) override
    {
        note("receiver " + std::to_string(E.getType()));
        return false;
    }
};

// The standard button of a dialog, by its button (or result) value: 1 OK, 2 Cancel, 4 Apply.
inline KPushButtonControl& standardButton(const KDialog& D, long Button)
{
    KThing& button = Button == KDialog::OKButton       ? D.getOKButton()
                     : Button == KDialog::CancelButton ? D.getCancelButton()
                                                       : D.getApplyButton();
    return static_cast<KPushButtonControl&>(button);
}

// A key typed, sent at once.
inline KEventReturn typeKey(uint16 Key, uint32 Modifiers = 0)
{
    KKeyEventPtr key = new KKeyEvent;
    key->setKey(Key);
    key->setModifiers(Modifiers);
    return KEvent::send(*key);
}
