#pragma once
// What the application layer asks of the controls, which stand a layer above it: every
// window is made with a controls layer and a drag-objects layer, the controls make and
// drop their native windows with their window's, the messages of native controls reach
// their controls, and a control's action reaches the control and what contains it. The
// controls install their link at start-up. Without one, windows have no layers of their
// own, no native window is a control's and control actions reach nobody.
#include "application/KEvent.h"

class KControlActionEvent;
class KInteractiveElement;
class KNativeEvent;
class KWindow;

class ControlsLink {
public:
    // The installed link; null when none is.
    static ControlsLink* get();
    // Null removes the link.
    static void install(ControlsLink* Link);

    // Gives a new window its controls layer and drag-objects layer.
    virtual void addStandardLayers(KWindow& W) = 0;
    // The window's native window was made: its controls make theirs in it, front-most first.
    virtual void nativeWindowMade(KWindow& W) = 0;
    // The window's native window goes: its controls' native windows go first.
    virtual void nativeWindowGoing(KWindow& W) = 0;
    // The elements of the window's controls layer.
    virtual void addControl(KWindow& W, KInteractiveElement& E) = 0;
    virtual void removeControl(KWindow& W, KInteractiveElement& E) = 0;
    virtual bool hasControl(const KWindow& W, const KInteractiveElement& E) const = 0;
    // The native window of a control; null for an element that is no control.
    virtual void* getNativeWindow(KInteractiveElement& E) const = 0;
    // Carries a control's action to those that may handle it; 1 when one did.
    virtual KEventReturn dispatchControlAction(KControlActionEvent& E) = 0;
    // Whether the native window is a control's (its own, or one of the framework window it
    // lies in).
    virtual bool isControlWindow(void* Window) const = 0;
    // A notification a native control sent its parent: the control handles it; 1 when it did.
    virtual KEventReturn processNotification(KNativeEvent& E) = 0;

protected:
    ControlsLink() = default;
    ~ControlsLink() = default;
};
