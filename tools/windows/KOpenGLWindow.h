#pragma once
// A placeholder window kind kept for applications built on the framework: it never makes
// a native window, and its drawing, resizing and moving do nothing.
#include "application/KWindow.h"

class KOpenGLWindow : public KWindow {
    K_DECLARE_CLASS(KOpenGLWindow)
public:
    KOpenGLWindow();
    ~KOpenGLWindow() override;

    void periodicTask() override {}
    void open(uint8) override {}
    void close() override {}
    bool draw(KWindowEvent&) override { return true; }
    bool resized(KWindowEvent&) override { return true; }
    bool moved(KWindowEvent&) override { return true; }

    // Inert: nothing in the framework calls them.
    virtual void prepareContext() {}
    virtual bool renderScene(KThing&) { return true; }
    virtual bool setSceneOption(long) { return true; }

private:
    long m_context = 0;
    long m_sceneCount = 1;
};

K_POINTER_CLASS(KOpenGLWindow, KWindowPtr);
