#include "controls/ControlsStart.h"

#include "application/ControlsLink.h"
#include "application/FrameworkClasses.h"
#include "application/KWindow.h"
#include "controls/ControlActionDispatch.h"
#include "controls/ControlsClasses.h"
#include "controls/KControl.h"
#include "controls/KControlsLayer.h"
#include "controls/KDragObjectsLayer.h"
#include "controls/NativeControlBindingWin32.h"

namespace {
class WindowControlsLink final : public ControlsLink {
public:
    void addStandardLayers(KWindow& W) override
    {
        KControlsLayerPtr controls = new KControlsLayer;
        if (controls.hasObject(nullptr))
            W.setControlsLayer(*controls);
        KDragObjectsLayerPtr dragObjects = new KDragObjectsLayer;
        if (dragObjects.hasObject(nullptr))
            W.setDragObjectsLayer(*dragObjects);
    }

    void nativeWindowMade(KWindow& W) override
    {
        const KBag controls(W.getControlsLayer().getControls());
        for (long i = controls.getCount() - 1; i >= 0; --i) {
            if (auto* control = dynamic_cast<KControl*>(&controls[i]))
                control->setWindow(W);
        }
    }

    void nativeWindowGoing(KWindow& W) override
    {
        // They let go of the window as well.
        const KBag controls(W.getControlsLayer().getControls());
        for (long i = 0; i < controls.getCount(); ++i) {
            if (auto* control = dynamic_cast<KControl*>(&controls[i]))
                control->clearWindow();
        }
    }

    void addControl(KWindow& W, KInteractiveElement& E) override { W.getControlsLayer().addControl(E); }
    void removeControl(KWindow& W, KInteractiveElement& E) override { W.getControlsLayer().removeControl(E); }

    bool hasControl(const KWindow& W, const KInteractiveElement& E) const override
    {
        return W.getControlsLayer().containsControl(E);
    }

    void* getNativeWindow(KInteractiveElement& E) const override
    {
        auto* control = dynamic_cast<KControl*>(&E);
        return control ? control->getNativeWindow() : nullptr;
    }

    KEventReturn dispatchControlAction(KControlActionEvent& E) override { return kksDispatchControlAction(E); }

    bool isControlWindow(void* Window) const override { return findControlForNativeWindowWin32(Window) != nullptr; }

    KEventReturn processNotification(KNativeEvent& E) override { return processControlNotificationWin32(E); }
};

WindowControlsLink s_link;
} // namespace

void kksInstallControlsLayer()
{
    ControlsLink::install(&s_link);
    kksAddFrameworkClassRegistration(&kksRegisterControlsClasses);
}
