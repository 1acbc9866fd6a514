#include "tools/windows/KOpenGLWindow.h"

K_DEFINE_CLASS(KOpenGLWindow, KWindow, 1)

KOpenGLWindow::KOpenGLWindow() = default;
KOpenGLWindow::~KOpenGLWindow() = default;
