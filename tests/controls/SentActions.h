#pragma once
// Controls that note their own actions as "sent <type>[ <ControlPart>]" lines of the
// interaction log (and leave those of their sub-controls to the control's own handling),
// and a look at those sent at once or handled from the queue.
#include "foundation/KVariable.h"
#include "tests/controls/ControlTestSupport.h"

#include <gtest/gtest.h>

#include <initializer_list>

template <typename Base>
class NotingActions : public Base {
public:
    bool handleAction(KControlActionEvent& E) override
    {
        if (!E.hasSource() || &E.getSource() != this)
            return Base::handleAction(E);
        KVariable part;
        const bool named = E.findVariable("ControlPart", part);
        note("sent " + std::to_string(E.getType()) + (named ? " " + std::string(part.getString().getText()) : ""));
        return true;
    }
};

// The actions noted since the last look.
inline Log sent()
{
    Log lines;
    for (const std::string& line : interactionLog()) {
        if (line.rfind("sent ", 0) == 0)
            lines.push_back(line.substr(5));
    }
    interactionLog().clear();
    return lines;
}

// The actions that were queued, once the queue is handled.
inline Log queued()
{
    interactionLog().clear();
    KApplicationEvent::flushQueue();
    return sent();
}

// A press at From, moves to the points and the release at the last one, as the native
// window sees them; a modal tracking loop finds the moves and the release queued.
inline void drag(HWND W, POINT From, std::initializer_list<POINT> To)
{
    POINT last = From;
    for (POINT p : To) {
        PostMessageA(W, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        last = p;
    }
    PostMessageA(W, WM_LBUTTONUP, 0, MAKELPARAM(last.x, last.y));
    SendMessageA(W, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(From.x, From.y));
    MSG message;
    while (PeekMessageA(&message, W, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

// C placed in the window at the bounds; the log starts empty.
template <typename Control>
Control& placeIn(KWindow& W, Control* C, const KGraphicRectangle& Bounds)
{
    KControlPtr hold = C;
    C->setBounds(Bounds);
    W.addElement(*C);
    interactionLog().clear();
    return *C;
}

// Tests of controls placed in the hidden window of a control scope.
class PlacedControls : public ::testing::Test {
protected:
    template <typename Control>
    Control& place(Control* C, const KGraphicRectangle& Bounds)
    {
        return placeIn(*scope.window, C, Bounds);
    }

    ControlScope scope;
};
