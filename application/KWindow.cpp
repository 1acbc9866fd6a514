#include "application/KWindow.h"

#include "application/KApplication.h"
#include "application/KWindowManager.h"
#include "application/NativeWindowWin32.h"

namespace {
constexpr uint32 kInitialState = KWindow::EnabledFlag | KWindow::ResizableFlag | KWindow::MovableFlag
                                 | KWindow::ErasesBackgroundFlag;
constexpr uint32 kAllKinds = 0x3F;
constexpr short kInitialWidth = 400;
constexpr short kInitialHeight = 250;
} // namespace

K_DEFINE_CLASS(KWindow, KThing, 1)

KWindow::KWindow()
    : m_state(kInitialState)
    , m_kind(kAllKinds)
{
    if (KApplication* application = KApplication::getApplication())
        m_title = application->getName();
}

KWindow::~KWindow() = default;

unsigned long KWindow::getNativeStyle() const { return nativeWindowStyleWin32(m_kind.getFlags()); }

void KWindow::open(uint8 Mode)
{
    KWindowPtr hold(isOnHeap() ? this : nullptr);
    if (m_nativeWindow) {
        knsFatalError("KWindow::open()", "Already Open.");
        return;
    }
    void* window = createNativeWindowWin32(getNativeStyle(), m_title.getText(), kInitialWidth, kInitialHeight);
    if (!window) {
        // A window that has no native window stays closed, and nobody is told it opened.
        kksReportError(18, "void KWindow::open(OpenMode Mode)");
        return;
    }
    setNativeWindow(window);
    if (Mode == OpenShown)
        show(true);
    else
        m_state.clear(ShownFlag);
    m_state.set(OpenFlag);
    if (KWindowManager::exists())
        KWindowManager::get().windowOpened(*this);
}

void KWindow::close()
{
    if (!isOpen())
        return;
    KWindowPtr hold(isOnHeap() ? this : nullptr);
    void* window = m_nativeWindow;
    clearNativeWindow();
    m_state.clear(OpenFlag);
    if (KWindowManager::exists())
        KWindowManager::get().windowClosed(*this);
    if (window)
        destroyNativeWindowWin32(window);
}

void KWindow::show(bool Show)
{
    if (!Show) {
        hide();
        return;
    }
    if (m_nativeWindow)
        showNativeWindowWin32(m_nativeWindow, true);
    m_state.set(ShownFlag);
    if (KWindowManager::exists())
        KWindowManager::get().arrangeNativeWindows();
}

void KWindow::hide()
{
    if (m_nativeWindow)
        showNativeWindowWin32(m_nativeWindow, false);
    m_state.clear(ShownFlag);
    if (KWindowManager::exists())
        KWindowManager::get().arrangeNativeWindows();
}

bool KWindow::draw(KWindowEvent&) { return false; }
uint8 KWindow::closeRequest(KWindowEvent&) { return 2; }
bool KWindow::resized(KWindowEvent&) { return false; }
bool KWindow::moved(KWindowEvent&) { return false; }
bool KWindow::activated(KWindowEvent&) { return false; }
bool KWindow::deactivated(KWindowEvent&) { return false; }

void KWindow::setNativeWindow(void* W)
{
    m_nativeWindow = W;
    bindNativeWindowWin32(W, this);
}

void KWindow::clearNativeWindow()
{
    if (m_nativeWindow)
        bindNativeWindowWin32(m_nativeWindow, nullptr);
    m_nativeWindow = nullptr;
}

bool KWindow::isVisible() const
{
    return isOpen() && (m_state.getFlags() & ShownFlag) && !(m_nativeWindow && isNativeWindowIconicWin32(m_nativeWindow));
}

void KWindow::setKindFlags(uint32 Flags)
{
    m_kind.clearAll();
    m_kind.set(Flags);
}

void KWindow::attachMenuBar(bool Attach)
{
    if (!Attach) {
        detachMenuBar();
        return;
    }
    m_state.set(CarriesMenuBarFlag);
}

void KWindow::detachMenuBar() { m_state.clear(CarriesMenuBarFlag); }

void KWindow::setTitle(const KString& Title)
{
    m_title = Title;
    if (m_nativeWindow)
        setNativeWindowTitleWin32(m_nativeWindow, m_title.getText());
}
