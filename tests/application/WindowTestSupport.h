#pragma once
// Windows for the window tests: an application with a window manager for the length of a
// test, and a window and a layer that record what reaches them.
#include "application/KLayer.h"
#include "application/KMouseEvent.h"
#include "application/KWindow.h"
#include "application/KWindowEvent.h"
#include "application/KWindowManager.h"
#include "tests/application/ApplicationTestSupport.h"

#include <string>
#include <vector>

inline std::vector<std::string>& seenByWindows()
{
    static std::vector<std::string> seen;
    return seen;
}

template <typename Application = KApplication>
class WindowScope : public ApplicationScope<Application> {
public:
    WindowScope()
    {
        seenByWindows().clear();
        (*this)->createWindowManager(*KWindowManager::getClassRecord());
    }
    ~WindowScope()
    {
        if (KWindowManager::exists()) {
            KBag open;
            open.copyFrom(KWindowManager::get().getWindows());
            for (long i = 0; i < open.getCount(); ++i)
                static_cast<KWindow&>(open[i]).close();
        }
        (*this)->closeMainWindow();
        (*this)->destroyWindowManager();
    }
};

class RecordingWindow : public KWindow {
public:
    bool draw(KWindowEvent&) override
    {
        seenByWindows().push_back(name + " draw");
        return drawAnswer;
    }
    KEventReturn mouseDown(KMouseEvent& E) override { return note("down", E); }
    KEventReturn mouseMove(KMouseEvent& E) override { return note("move", E); }
    KEventReturn mouseUp(KMouseEvent& E) override { return note("up", E); }

    std::string name = "window";
    bool drawAnswer = false;
    std::vector<KMouseEventPtr> mouseEvents;

private:
    KEventReturn note(const char* What, KMouseEvent& E)
    {
        seenByWindows().push_back(name + " " + What);
        mouseEvents.push_back(new KMouseEvent(E));
        mouseEvents.back()->setType(E.getType());
        mouseEvents.back()->setButton(E.getButton());
        return 0;
    }
};
K_POINTER_CLASS(RecordingWindow, KWindowPtr);

class RecordingLayer : public KLayer {
public:
    explicit RecordingLayer(const char* Name, bool Claims = false, bool DrawAnswer = false)
        : m_name(Name), m_claims(Claims), m_drawAnswer(DrawAnswer)
    {
    }
    bool isMouseTarget(const KGraphicPoint&) override { return m_claims; }
    bool drawLayer(KWindowEvent&) override
    {
        seenByWindows().push_back(m_name + " draw");
        return m_drawAnswer;
    }

private:
    std::string m_name;
    bool m_claims, m_drawAnswer;
};
K_POINTER_CLASS(RecordingLayer, KLayerPtr);

// The client area of a native window: its screen origin and its size.
inline RECT clientAreaOnScreen(void* Window)
{
    RECT client{};
    GetClientRect(static_cast<HWND>(Window), &client);
    POINT origin{0, 0};
    ClientToScreen(static_cast<HWND>(Window), &origin);
    return {origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
}
