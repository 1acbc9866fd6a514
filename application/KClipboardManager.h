#pragma once
// The one clipboard manager of the process, through which the framework exchanges data
// with the native clipboard. It holds the framework's own clipboard object (a text or an
// image), joins the native clipboard-viewer chain with the main window so that it hears of
// every change, reads the clipboard into its object when asked, and puts its object (text
// only) on the clipboard when asked.
#include "foundation/KString.h"
#include "foundation/KThingPtr.h"

class KClipboardManager : public KThing {
public:
    KClipboardManager();
    // Leaves the viewer chain.
    ~KClipboardManager() override;

    // The global manager; error 18 when there is none.
    static KClipboardManager& getManager();
    static bool exists();
    // Made and dropped by the application with its other singletons, once the main window
    // exists.
    static void initManager();
    static void exitManager();

    virtual void setObject(KThing& Object);
    virtual void clearObject();

    KThing& getHeldObject() const { return m_object.getObject(); }
    bool holdsObject() const { return m_holdsObject; }

    // A held text goes out as plain text with CR LF line ends; anything else stays in.
    void putObject();
    // The first bitmap, OEM text or device-independent bitmap that the clipboard lists
    // becomes the held object; with none of them the held object stays.
    void getObject();

    // The viewer chain, as the native binding reports its changes.
    void setNextViewer(void* W) { m_nextViewer = W; }
    void* getNextViewer() const { return m_nextViewer; }
    void leaveViewerChain();

    // Line ends made uniform: each CR LF, LF CR, lone LF and lone CR becomes CR LF.
    static KString withCRLF(const KString& Text);

private:
    KThingPtr m_object;
    bool m_holdsObject = false;
    void* m_nextViewer = nullptr;
    // The main window's native window while it is in the viewer chain.
    void* m_viewer = nullptr;
};

K_POINTER_CLASS(KClipboardManager, KThingPtr);
