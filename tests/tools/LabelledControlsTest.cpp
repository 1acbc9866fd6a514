// The labelled controls: where label and control go, and the actions and keys of the
// inner control that reach the window as the labelled control's own.
#include "tools/controls/KLabelEditTextControl.h"
#include "tools/controls/KLabelPopUpListControl.h"
#include "tools/controls/KLabelSliderControl.h"
#include "application/KControlActionEvent.h"
#include "application/KKeyEvent.h"
#include "tests/tools/ToolsTestSupport.h"

#include <gtest/gtest.h>

namespace {

void sendAction(KControl& Source, long Type)
{
    KControlActionEventPtr action = new KControlActionEvent;
    action->setType(Type);
    action->setSource(Source);
    KEvent::send(*action);
}

TEST(LabelledControls, LayTheirLabelsAndControlsSideBySide)
{
    KLabelEditTextControlPtr edit = new KLabelEditTextControl;
    EXPECT_EQ(edit->getSize(), KGraphicSize(160, 24));
    edit->setSize(KGraphicSize(300, 24));
    edit->setLabelWidth(95);
    EXPECT_EQ(edit->getField().getBounds(), KGraphicRectangle(100, 1, 197, 22));
    EXPECT_EQ(edit->getLabel().getBounds(), KGraphicRectangle(0, 2, 95, 20));
    EXPECT_EQ(textOf(edit->getLabel().getText()), "Label:");
    // The field's text, even when it was never set through the labelled control.
    edit->getField().setText("typed");
    EXPECT_EQ(textOf(edit->getText()), "typed");

    KLabelPopUpListControlPtr list = new KLabelPopUpListControl;
    EXPECT_EQ(list->getSize(), KGraphicSize(80, 22));
    list->setWidth(400);
    EXPECT_EQ(list->getList().getBounds(), KGraphicRectangle(70, 0, 330, 22));
    EXPECT_EQ(list->getLabel().getBounds(), KGraphicRectangle(0, 1, 64, 20));
    list->setLabelWidth(0);
    EXPECT_EQ(list->getList().getBounds(), KGraphicRectangle(6, 0, 394, 22));

    KLabelSliderControlPtr slider = new KLabelSliderControl;
    EXPECT_EQ(slider->getSize(), KGraphicSize(150, 50));
    EXPECT_EQ(slider->getMinimumCaption().getBounds(), KGraphicRectangle(64, 0, 43, 20));
    EXPECT_EQ(slider->getMaximumCaption().getBounds(), KGraphicRectangle(107, 0, 43, 20));
    EXPECT_EQ(slider->getMaximumCaption().getAlignment(), kAlignRight);
    EXPECT_EQ(slider->getSlider().getBounds(), KGraphicRectangle(64, 20, 86, 30));
    EXPECT_EQ(slider->getLabel().getBounds(), KGraphicRectangle(0, 25, 64, 20));
    // Narrower than its label: captions and slider keep a width of 10.
    slider->setWidth(40);
    EXPECT_EQ(slider->getMinimumCaption().getBounds().getWidth(), 10);
    EXPECT_EQ(slider->getMaximumCaption().getBounds(), KGraphicRectangle(74, 0, 10, 20));
    EXPECT_EQ(slider->getSlider().getBounds().getWidth(), 10);
}

TEST(LabelledControls, PassOnTheirInnerControlsActionsAndKeysAsTheirOwn)
{
    InteractionScope scope;
    SourceWindowPtr window = new SourceWindow;
    KLabelEditTextControlPtr edit = new KLabelEditTextControl;
    KLabelPopUpListControlPtr list = new KLabelPopUpListControl;
    KLabelSliderControlPtr slider = new KLabelSliderControl;
    for (KControl* control : {static_cast<KControl*>(edit.get()), static_cast<KControl*>(list.get()),
                              static_cast<KControl*>(slider.get())})
        window->addElement(*control);

    sendAction(edit->getField(), KControlActionEvent::TextChanged);
    sendAction(list->getList(), KControlActionEvent::Done);
    sendAction(slider->getSlider(), KControlActionEvent::Drag);
    // The label's own actions are its own.
    sendAction(list->getLabel(), KControlActionEvent::Done);
    KKeyboardManager::getManager().setFocusElement(edit->getField());
    KKeyEventPtr key = new KKeyEvent;
    key->setKey('a');
    key->setElement(edit->getField());
    KEvent::send(*key);

    const std::vector<const KThing*> sources = {edit.get(), list.get(), slider.get(), &list->getLabel(), edit.get()};
    EXPECT_EQ(window->sources, sources);
    EXPECT_EQ(window->types, (std::vector<long>{5, 4, 2, 4, -1}));
}

} // namespace
