// The keyboard manager: the focus moving between elements, Tab traversal and key
// previewers.
#include "tests/controls/ControlTestSupport.h"

#include <gtest/gtest.h>

namespace {

class Keyboard : public ::testing::Test {
protected:
    Keyboard()
    {
        for (LoggingElementPtr& element : elements)
            window->addElement(*element);
        KWindowManager::get().setActiveWindow(*window);
    }

    std::string focusName() const
    {
        return keyboard.hasFocusElement() ? static_cast<LoggingElement&>(keyboard.getFocusElement()).name : "none";
    }

    InteractionScope scope;
    KKeyboardManager& keyboard = KKeyboardManager::getManager();
    LoggingWindowPtr window = new LoggingWindow;
    LoggingElementPtr elements[3] = {new LoggingElement("a", true), new LoggingElement("b", true),
                                     new LoggingElement("c", true)};
};

TEST_F(Keyboard, TheOldElementLosesTheFocusBeforeTheNewOneGainsIt)
{
    keyboard.setFocusElement(*elements[0]);
    keyboard.setFocusElement(*elements[1]);
    keyboard.setFocusElement(*elements[1]);
    EXPECT_EQ(&window->getFocusElement(), elements[1].get());
    EXPECT_TRUE(window->ownsKeyboardFocus());
    keyboard.clearFocusElement();
    keyboard.clearFocusElement();
    EXPECT_EQ(interactionLog(), (Log{"window gained a", "application gained", "window lost a", "application lost",
                                     "window gained b", "application gained", "window lost b", "application lost"}));
}

TEST_F(Keyboard, TabMovesTheFocusAroundTheWindowAndGoesOn)
{
    window->focusFirstElement();
    std::vector<std::string> seen{focusName()};
    for (uint32 shift : {0, 0, 0, 1}) {
        typeKey(KKeyboardManager::TabKey, shift);
        seen.push_back(focusName());
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "b", "c", "a", "c"}));
    // With one element left, Tab stays; the key itself goes on to the window.
    interactionLog().clear();
    elements[0]->disable();
    elements[1]->hide();
    typeKey(KKeyboardManager::TabKey);
    EXPECT_EQ(focusName(), "c");
    EXPECT_EQ(interactionLog(), (Log{"window key", "application key"}));
}

TEST_F(Keyboard, AKeyTakenByAPreviewerReachesNothingElse)
{
    LoggingElementPtr previewer = new LoggingElement("previewer");
    keyboard.addKeyPreviewer(*previewer);
    EXPECT_EQ(typeKey('x'), 0);
    previewer->answers.answer("preview", 1);
    EXPECT_EQ(typeKey('y'), 1);
    EXPECT_EQ(interactionLog(), (Log{"previewer preview", "application key", "previewer preview"}));
}

} // namespace
