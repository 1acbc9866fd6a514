#include "application/KClipboardManager.h"

#include "application/ClipboardWin32.h"
#include "application/KApplication.h"
#include "foundation/KString.h"

namespace {
KClipboardManagerPtr s_manager;

void* mainNativeWindow()
{
    KApplication* application = KApplication::getApplication();
    if (!application || !application->hasMainWindow())
        return nullptr;
    return application->getMainWindow().getNativeWindow();
}
} // namespace

KClipboardManager::KClipboardManager()
{
    // Reserved for the framework's own objects; nothing is ever written in it.
    registerPrivateClipboardFormatWin32("KEnvironObject");
    m_viewer = mainNativeWindow();
    if (m_viewer)
        m_nextViewer = joinClipboardViewerChainWin32(m_viewer);
}

KClipboardManager::~KClipboardManager() { leaveViewerChain(); }

KClipboardManager& KClipboardManager::getManager() { return s_manager.getObject(); }
bool KClipboardManager::exists() { return s_manager.hasObject(nullptr); }

void KClipboardManager::initManager()
{
    KClipboardManagerPtr manager = new KClipboardManager;
    s_manager = manager;
}

void KClipboardManager::exitManager() { s_manager.reset(); }

void KClipboardManager::setObject(KThing& Object)
{
    m_object = Object;
    m_holdsObject = true;
}

void KClipboardManager::clearObject()
{
    m_object.reset();
    m_holdsObject = false;
}

KString KClipboardManager::withCRLF(const KString& Text)
{
    KString uniform(Text);
    uniform.replaceAll("\r\n", "\r");
    uniform.replaceAll("\n\r", "\r");
    uniform.replaceAll("\n", "\r");
    uniform.replaceAll("\r", "\r\n");
    return uniform;
}

void KClipboardManager::putObject()
{
    if (!m_holdsObject || !m_object.hasObject(nullptr))
        return;
    // Images stay in: only text goes out.
    const auto* text = dynamic_cast<const KString*>(m_object.get());
    if (!text)
        return;
    const KString uniform = withCRLF(*text);
    putClipboardTextWin32(mainNativeWindow(), uniform.getText(), uniform.getLength());
}

void KClipboardManager::getObject()
{
    KThingPtr read = readClipboardWin32();
    if (read.hasObject(nullptr))
        setObject(*read);
}

void KClipboardManager::leaveViewerChain()
{
    // The window leaves the chain it joined even when it was the last viewer, so that no
    // closed window is left in it.
    if (!m_viewer)
        return;
    leaveClipboardViewerChainWin32(m_viewer, m_nextViewer);
    m_viewer = nullptr;
    m_nextViewer = nullptr;
}
