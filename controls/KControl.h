#pragma once
// The base of every control: an interactive element that owns at most one native child
// window, may contain other controls, and turns what the mouse does to it into control
// action events posted to the application queue. A control placed directly in a window
// keeps the window; one inside a container finds it up the container chain. A control
// becomes live when a window is reachable: only then are its native window and those of
// its sub-controls made (parents first) and they go again when it leaves (children first).
// Control action events climb the same chain: the control, its containers, the window.
//
// The base makes a plain "STATIC" child that its own draw paints; the concrete controls
// make their own native class and add their notifications.
#include "application/KInteractiveElement.h"
#include "application/KWindow.h"
#include "foundation/KBag.h"
#include "foundation/KGraphicPoint.h"
#include "foundation/KGraphicRectangle.h"
#include "foundation/KGraphicSize.h"
#include "foundation/KNativePtr.h"
#include "graphics/KGraphicDevice.h"

class KControlActionEvent;
class KControlPtr;
class KKeyEvent;
class KMouseEvent;
class KNativeEvent;
struct NativeControlRecordWin32;

class KControl : public KInteractiveElement {
    K_DECLARE_CLASS(KControl)
public:
    enum ControlFlag : uint32 {
        // The native background erase fills the control with the button face.
        EraseBackgroundFlag = 0x10000,
    };

    // Where placeNextTo puts this control beside another.
    enum Placement : uint8 {
        LeftTop = 0,
        LeftCentered = 1,
        LeftBottom = 2,
        RightTop = 3,
        RightCentered = 4,
        RightBottom = 5,
        AboveLeft = 6,
        AboveCentered = 7,
        AboveRight = 8,
        BelowLeft = 9,
        BelowCentered = 10,
        BelowRight = 11,
    };

    KControl();
    ~KControl() override;

    void setLayer(KLayer& L) override;
    void resetLayer() override;
    // The pressed look on a control that takes the focus gives it the keyboard focus.
    void setHilite(uint8 H) override;
    void enable(bool On) override;
    void disable() override;
    void show(bool On) override;
    void hide() override;
    // Controls are always active: refused with a message box.
    void deactivate() override;
    bool keyTyped(KKeyEvent& E) override;
    bool focusGained(KKeyEvent& E) override;
    bool focusLost(KKeyEvent& E) override;
    void mouseEnter(const KWidePoint& P) override;
    void invalidate() override;
    // The rectangle is not used: the whole control is redrawn.
    void invalidateRect(const KWideRectangle& R) override;

    virtual void setParentControl(KControl& Container);
    virtual void clearParentControl();
    // An element that takes over the painting, cursor and mouse of the native window.
    virtual void setNativeParent(KThing& Element);
    virtual void clearNativeParent();
    virtual void setWindow(KWindow& Window);
    virtual void clearWindow();
    // A device on the control's native window and the control's rectangle at 0, 0; false
    // (Device empty) unless the control is visible in a window and has a native window.
    virtual bool acquireGraphicDevice(KGraphicDevicePtr& Device, KGraphicRectangle& Rect);
    virtual void createNativeControl();
    virtual void destroyNativeControl();
    virtual void createSubNativeControls();
    virtual void destroySubNativeControls();
    virtual void layoutSubControls();
    virtual void drawSubControls();
    virtual void draw();
    virtual void invalidateNative();
    // Where is in the control's own coordinates.
    virtual void handleMouseDown(const KWidePoint& Where);
    virtual void handleMouseRepeat();
    virtual void handleMouseUp();
    // A message of the native window; true when it was dealt with. Marking the event's
    // result 1 keeps the message from the native class.
    virtual bool handleNativeEvent(KNativeEvent& Event);
    // What the controls layer hands on of the mouse: 4 from a press means track it.
    virtual KEventReturn mouseDownEvent(KMouseEvent& E);
    virtual KEventReturn mouseMoveEvent(KMouseEvent& E);
    virtual KEventReturn mouseRepeatEvent(KMouseEvent& E);
    virtual KEventReturn mouseUpEvent(KMouseEvent& E);
    virtual KEventReturn mouseEnterEvent(KMouseEvent& E);
    virtual KEventReturn mouseExitEvent(KMouseEvent& E);
    // A control action event of this control or of one it contains that the control
    // below did not take; answers whether it was handled.
    virtual bool handleAction(KControlActionEvent& E);
    using KInteractiveElement::handleAction;
    // A radio group keeps its buttons in step with its sub-controls.
    virtual void addControl(KControl& C);
    virtual void removeControl(KControl& C);

    // Geometry, relative to the container (or to the window for a control placed in one).
    // Moving or sizing also moves the native window.
    KGraphicRectangle getBounds() const;
    void setBounds(const KGraphicRectangle& R);
    KGraphicSize getSize() const;
    void setSize(const KGraphicSize& S);
    KGraphicPoint getPosition() const;
    void setPosition(const KGraphicPoint& P);
    short getTop() const { return getPosition().getV(); }
    short getWidth() const { return getSize().getWidth(); }
    short getHeight() const { return getSize().getHeight(); }
    void setLeft(short X);
    void setTop(short Y);
    void setWidth(short Width);
    void setHeight(short Height);
    // The bounds moved by the origins of all containers: the window-relative rectangle.
    KGraphicRectangle getGlobalBounds() const;
    // Platforms 1 to 3; 0 gives the largest width and height of the three, others 0 x 0.
    KGraphicSize getVariantSize(uint8 Platform) const;
    void placeNextTo(const KControl& Other, uint8 Where, short Gap);

    // Sub-controls, in order; the last is the front-most.
    void removeAllControls();
    void bringControlToFront(KControl& C);
    bool hasControls() const { return m_controls.getCount() > 0; }
    const KBag& getControls() const { return m_controls; }
    // At any depth.
    bool containsControl(const KControl& C) const;
    // P in this control's coordinates: the deepest visible sub-control under P.
    bool findControlAt(const KGraphicPoint& P, KControlPtr& Found) const;
    // The same search among any list of elements (those that are not controls are passed
    // over), P in the coordinates their bounds are measured in.
    static bool findControlIn(const KBag& Controls, const KGraphicPoint& P, KControlPtr& Found);

    KControl& getParentControl() const;
    bool hasParentControl() const { return m_container.hasNativePtr(); }
    // The window at the top of the container chain; error 18 when there is none.
    KWindow& getParentWindow() const;
    bool hasParentWindow() const;
    bool findParentWindow(KWindowPtr& Out) const;
    KThing& getNativeParent() const { return m_nativeParent.getNativePtr(); }
    bool hasNativeParent() const { return m_nativeParent.hasNativePtr(); }

    void releaseGraphicDevice(KGraphicDevicePtr& Device);
    // The control's native child window; null while it has none.
    void* getNativeWindow() const;
    NativeControlRecordWin32* getNativeRecord() const { return m_nativeRecord; }

protected:
    void setVariantSize(uint8 Platform, const KGraphicSize& S);
    // The variant of the running platform.
    void applyVariantSize();
    // One preferred size on the Mac (1) and on Windows (2), applied at once.
    void setDesktopSize(const KGraphicSize& S);
    // Posts a control action event of the type with this control as source; the first
    // form only when the action mask holds the type.
    void postAction(long Type);
    void postActionAlways(long Type);
    // A child window of the native class bound to this control, in the nearest native
    // ancestor; false when there is no such ancestor or the platform refused.
    bool makeNativeWindow(const char* ClassName, const char* Text, unsigned long OwnStyle);
    bool hasNativeAncestor() const;
    // The native window's text, when it exists.
    void setNativeText(const KString& Text);
    // The selected flag and the native check mark together; nothing while disabled.
    void setCheckMark(bool On);
    // A check box or radio button window of the style, marked when the control is
    // selected.
    bool makeCheckWindow(const KString& Title, unsigned long Style);
    // The press ends without an action of its own: the native control reports the click.
    void endTrackingQuietly();

private:
    // Sub-controls that forgot this control when it left its container come back to it
    // when it is placed again.
    void relinkSubControls();
    // Each sub-control in order; the bag is read anew at each step.
    template <typename Action>
    void forEachSubControl(Action Act)
    {
        for (long i = 0; i < m_controls.getCount(); ++i)
            Act(static_cast<KControl&>(m_controls[i]));
    }
    void moveNativeWindow();
    KWidePoint localPointOf(const KMouseEvent& E) const;
    bool isTracking() const { return (getStateFlags() & TrackingFlag) != 0; }

    KNativePtr m_container;
    KNativePtr m_nativeParent;
    KBag m_controls;
    KWindowPtr m_window;
    NativeControlRecordWin32* m_nativeRecord = nullptr;
    KGraphicSize m_variants[3];
};

K_POINTER_CLASS(KControl, KInteractiveElementPtr);
