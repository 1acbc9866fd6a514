#pragma once
// The framework's top-level native window. The native window is created by open and
// destroyed by close; in between the object keeps its handle and stores itself in the
// native window's user data, where the window procedures find it. Window messages reach
// it as window events, whose handling calls the hooks below; the base handles nothing,
// so everything falls through to the application's hooks.
#include "foundation/KClass.h"
#include "foundation/KFlagSet.h"
#include "foundation/KString.h"
#include "foundation/KThingPtr.h"

class KWindowEvent;

class KWindow : public KThing {
    K_DECLARE_CLASS(KWindow)
public:
    enum OpenMode : uint8 {
        OpenShown = 0,
        // Any other mode opens the window hidden.
        OpenHidden = 1,
    };

    enum StateFlag : uint32 {
        OpenFlag = 0x1,
        ShownFlag = 0x2,
        EnabledFlag = 0x10,
        BlockedFlag = 0x20,
        CarriesMenuBarFlag = 0x40,
        ResizableFlag = 0x100,
        MovableFlag = 0x200,
        ErasesBackgroundFlag = 0x400,
    };

    // Kind flags, turned into the native window style.
    enum KindFlag : uint32 {
        BorderKind = 0x1,
        CaptionKind = 0x2,
        SystemMenuKind = 0x4,
        MaximizeBoxKind = 0x8,
        ThickFrameKind = 0x10,
        MinimizeBoxKind = 0x20,
    };

    KWindow();
    ~KWindow() override;

    virtual unsigned long getNativeStyle() const;
    virtual void open(uint8 Mode);
    virtual void close();
    virtual void show(bool Show);
    virtual void hide();
    virtual bool draw(KWindowEvent& E);
    // 2 means the window may close; any other answer keeps it open.
    virtual uint8 closeRequest(KWindowEvent& E);
    virtual bool resized(KWindowEvent& E);
    virtual bool moved(KWindowEvent& E);
    virtual bool activated(KWindowEvent& E);
    virtual bool deactivated(KWindowEvent& E);

    void setNativeWindow(void* W);
    void clearNativeWindow();
    void* getNativeWindow() const { return m_nativeWindow; }

    bool isOpen() const { return (m_state.getFlags() & OpenFlag) != 0; }
    // Open, shown and not minimised.
    bool isVisible() const;
    uint32 getStateFlags() const { return m_state.getFlags(); }
    uint32 getKindFlags() const { return m_kind.getFlags(); }
    void setKindFlags(uint32 Flags);

    // Marks the window that carries the menu bar as its native menu.
    void attachMenuBar(bool Attach);
    void detachMenuBar();

    void setTitle(const KString& Title);
    const KString& getTitle() const { return m_title; }
    void setWindowLayer(long Layer) { m_windowLayer = Layer; }
    long getWindowLayer() const { return m_windowLayer; }

private:
    void* m_nativeWindow = nullptr;
    KString m_title;
    long m_windowLayer = 2;
    KFlagSet m_state;
    KFlagSet m_kind;
};

K_POINTER_CLASS(KWindow, KThingPtr);
