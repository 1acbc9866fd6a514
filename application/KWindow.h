#pragma once
// The framework's top-level native window, and at the same time the device everything in
// it draws through. The native window is created by open and destroyed by close; in
// between the object keeps its handle and stores itself in the native window's user data,
// where the window procedures find it. Window messages reach it as events whose handling
// calls the hooks below; the base handles nothing, so everything falls through to the
// application's hooks.
//
// A window holds a bag of layers, bottom first. The controls layer and the drag-objects
// layer are made with the window and stay the two top layers; layers an application adds
// land below them.
#include "application/KEvent.h"
#include "application/KInteractiveElement.h"
#include "application/KLayer.h"
#include "foundation/KBag.h"
#include "foundation/KClass.h"
#include "foundation/KFlagSet.h"
#include "foundation/KGraphicRectangle.h"
#include "foundation/KString.h"
#include "foundation/KThingPtr.h"
#include "graphics/KGraphicDevice.h"

class KActionEvent;
class KControlActionEvent;
class KControlsLayer;
class KDragObjectsLayer;
class KKeyEvent;
class KMouseEvent;
class KWindowEvent;

class KWindow : public KGraphicDevice {
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

    // Installed by a movie engine that must know every native window: a window is
    // attached right after its native window is made and detached right before it goes,
    // while the test answers true.
    using NativeWindowTest = bool (*)();
    using NativeWindowHook = void (*)(void* NativeWindow);
    static void setNativeWindowHooks(NativeWindowTest IsActive, NativeWindowHook Attach, NativeWindowHook Detach);

    KWindow();
    ~KWindow() override;

    virtual void setFocusElement(KInteractiveElement& E);
    virtual void resetFocusElement();
    virtual void setReturnElement(KInteractiveElement& E);
    virtual void resetReturnElement();
    virtual void setEscapeElement(KInteractiveElement& E);
    virtual void resetEscapeElement();
    // The controls layer and the drag-objects layer are the controls' kinds of layer,
    // which the controls give every new window (ControlsLink).
    virtual void setControlsLayer(KLayer& L);
    virtual void resetControlsLayer();
    virtual void setDragObjectsLayer(KLayer& L);
    virtual void resetDragObjectsLayer();
    virtual unsigned long getNativeStyle() const;
    // The outer window rectangle in screen coordinates.
    virtual KGraphicRectangle getFrame() const;
    virtual void open(uint8 Mode);
    virtual void close();
    virtual void show(bool Show);
    virtual void hide();
    // Fills R with the background colour while the window can be seen.
    virtual void eraseRect(const KGraphicRectangle& R);
    virtual bool draw(KWindowEvent& E);
    // 2 means the window may close; any other answer keeps it open.
    virtual uint8 closeRequest(KWindowEvent& E);
    virtual bool resized(KWindowEvent& E);
    virtual bool moved(KWindowEvent& E);
    virtual bool activated(KWindowEvent& E);
    virtual bool deactivated(KWindowEvent& E);
    virtual bool keyTyped(KKeyEvent& E);
    virtual bool focusGained(KKeyEvent& E);
    virtual bool focusLost(KKeyEvent& E);
    // Mouse kinds 0 to 5. A press answered 4 makes the window track it until the release.
    virtual KEventReturn mouseEnter(KMouseEvent& E);
    virtual KEventReturn mouseLeave(KMouseEvent& E);
    virtual KEventReturn mouseDown(KMouseEvent& E);
    virtual KEventReturn mouseMove(KMouseEvent& E);
    virtual KEventReturn mouseTick(KMouseEvent& E);
    virtual KEventReturn mouseUp(KMouseEvent& E);
    // Action events of elements that neither the element chain nor its layer handled.
    virtual bool handleAction(KActionEvent& E);
    // Control action events that neither the control nor its containers handled.
    virtual bool handleControlAction(KControlActionEvent& E);

    void setTitle(const KString& Title);
    const KString& getTitle() const { return m_title; }
    // The content rectangle in screen coordinates. Setting it makes no native call; the
    // device's own bounds become 0, 0, width, height.
    void setBounds(const KGraphicRectangle& R);
    const KGraphicRectangle& getBounds() const { return m_bounds; }
    // Moves the native window so that its client area is R, then setBounds.
    void resize(const KGraphicRectangle& R);
    void setPosition(const KGraphicPoint& P);
    void setSize(const KGraphicSize& S);
    void center();
    void setWindowLayer(long Layer) { m_windowLayer = Layer; }
    long getWindowLayer() const { return m_windowLayer; }

    void setNativeWindow(void* W);
    void clearNativeWindow();
    void* getNativeWindow() const { return m_nativeWindow; }

    bool isOpen() const { return (m_state.getFlags() & OpenFlag) != 0; }
    // Open, shown and not minimised.
    bool isVisible() const;
    bool isEnabled() const { return (m_state.getFlags() & EnabledFlag) != 0; }
    bool isBlocked() const { return (m_state.getFlags() & BlockedFlag) != 0; }
    uint32 getStateFlags() const { return m_state.getFlags(); }
    uint32 getKindFlags() const { return m_kind.getFlags(); }
    void setKindFlags(uint32 Flags);
    // Input is refused while a dialog stands in front (the window manager decides).
    void blockInput();
    void unblockInput();
    void setResizable(bool Resizable);

    // The menu bar becomes the window's native menu; the content area keeps its size.
    void attachMenuBar(bool Attach);
    void detachMenuBar();

    void invalidate();
    // R in window coordinates.
    void invalidateRect(const KGraphicRectangle& R);
    void screenToLocal(KGraphicPoint& P) const;
    void localToScreen(KGraphicPoint& P) const;

    // Read where the controls' kinds of layer are known.
    template <typename Layer = KControlsLayer>
    Layer& getControlsLayer() const
    {
        return static_cast<Layer&>(m_controlsLayer.getObject());
    }
    template <typename Layer = KDragObjectsLayer>
    Layer& getDragObjectsLayer() const
    {
        return static_cast<Layer&>(m_dragObjectsLayer.getObject());
    }
    bool hasControlsLayer() const { return m_controlsLayer.hasObject(nullptr); }
    KInteractiveElement& getFocusElement() const { return m_focusElement.getObject(); }
    bool hasFocusElement() const { return m_focusElement.hasObject(nullptr); }
    KInteractiveElement& getReturnElement() const { return m_returnElement.getObject(); }
    bool hasReturnElement() const { return m_returnElement.hasObject(nullptr); }
    KInteractiveElement& getEscapeElement() const { return m_escapeElement.getObject(); }
    bool hasEscapeElement() const { return m_escapeElement.hasObject(nullptr); }

    // Pass through to the controls layer.
    void addElement(KInteractiveElement& E);
    void removeControl(KInteractiveElement& E);
    bool hasControl(const KInteractiveElement& E) const;

    // Bottom first; the two standard layers stay on top.
    void addLayer(KLayer& L);
    void removeLayer(KLayer& L);
    const KBag& getLayers() const { return m_layers; }
    // The top-most layer that claims P (window coordinates).
    bool getLayerAt(const KGraphicPoint& P, KLayerPtr& Out) const;

    // Tab order: the focusable elements of every layer, the top layer's first.
    void collectFocusableElements(KBag& Out) const;
    bool getNextFocusableElement(const KInteractiveElement& E, KInteractiveElementPtr& Out) const;
    bool getPreviousFocusableElement(const KInteractiveElement& E, KInteractiveElementPtr& Out) const;
    // Only the active window moves the keyboard focus, which the keyboard manager keeps.
    // Tab and Shift+Tab: the next and previous element, the first when none has it.
    void focusFirstElement();
    void focusNextElement();
    void focusPreviousElement();
    // The focus goes back to the element that last had it, while that element can still
    // take it; else to the first.
    void restoreFocusElement();
    // On activation: the element focus comes back, and the native keyboard focus comes to
    // this window unless something already has it.
    void restoreFocus();
    // Whether the keyboard manager's focus element lies in one of this window's layers.
    bool ownsKeyboardFocus() const;
    void releaseKeyboardFocus();

protected:
    // How open makes the native window; the window kinds differ only in these.
    struct NativeWindowRequest {
        unsigned long exStyle;
        const char* className;
        unsigned long style;
        void* owner;
        void* menu;
    };
    // The outer rectangle for the content rectangle with this extended style, or the
    // native window's while it exists.
    KGraphicRectangle getFrameFor(unsigned long ExStyle) const;
    // Makes and binds the native window; a refusal is reported under the context and the
    // window stays closed (false).
    bool createNativeWindow(const NativeWindowRequest& Request, const char* FailureContext);
    // The last steps of every open: shown and activated (mode 0) or hidden, open, and
    // known to the window manager.
    void finishOpen(uint8 Mode);
    // The application's main window's native window, which owns palettes and dialogs.
    static void* getMainNativeWindow();

private:
    bool findFocusableNeighbour(const KInteractiveElement& E, long Step, KInteractiveElementPtr& Out) const;
    bool isActiveWindow() const;
    // Gives the native window MenuBar (or none) and keeps the content where it was.
    void showMenuBarNatively(void* MenuBar);
    bool liesInThisWindow(const KInteractiveElement& E) const;
    void focusNeighbour(long Step);

    KInteractiveElementPtr m_focusElement;
    KInteractiveElementPtr m_returnElement;
    KInteractiveElementPtr m_escapeElement;
    KThingPtr m_controlsLayer;
    KThingPtr m_dragObjectsLayer;
    void* m_nativeWindow = nullptr;
    KString m_title;
    KGraphicRectangle m_bounds;
    long m_windowLayer = 2;
    KBag m_layers;
    KFlagSet m_state;
    KFlagSet m_kind;
};

K_POINTER_CLASS(KWindow, KGraphicDevicePtr);
