// The list box: rows filled in batches, the scroll bar in step with the list, search,
// selection by program, mouse and keys with the events its owner hears, Tab through the
// window, and the look of a selected row.
#include "application/KWindowManager.h"
#include "controls/ImmediateActions.h"
#include "tests/controls/ControlTestSupport.h"
#include "tests/tools/GraphicObjectsTestSupport.h"
#include "tools/controls/KListBoxControl.h"
#include "tools/igo/KStaticTextIGO.h"

#include <gtest/gtest.h>

namespace {

class ListBox : public ::testing::Test {
protected:
    ListBox()
    {
        KWindowManager::get().setActiveWindow(*scope.window);
        box->setBounds(KGraphicRectangle(10, 10, 300, 150));
        scope.window->addElement(*box);
        interactionLog().clear();
    }

    void fill(long Count)
    {
        box->beginUpdate();
        box->removeAllItems();
        for (long i = 0; i < Count; ++i)
            box->appendItem(KString(("Row " + std::to_string(i)).c_str()), *box);
        box->endUpdate();
    }
    long rowHeight() const { return box->getList().getElementAt(0).getSize().getHeight(); }
    // A press at a point of the window, aimed at the list box.
    KEventReturn press(short H, short V, bool Double = false)
    {
        KMouseEventPtr down = mouseEvent(KMouseEvent::Down, H, V, box);
        down->setDoubleClick(Double ? 1 : 0);
        const KEventReturn answer = box->mouseDownEvent(*down);
        KMouseEventPtr up = mouseEvent(KMouseEvent::Up, H, V, box);
        box->mouseUpEvent(*up);
        return answer;
    }
    static Log ownerHeard() { return takeNotes("window control action"); }

    ControlScope scope;
    KControlPtr before = new KControl;
    DrawnOffScreen<KListBoxControl>* box = new DrawnOffScreen<KListBoxControl>;
    KControlPtr hold = box;
};

TEST_F(ListBox, ABatchLaysTheRowsOutOnceAndSizesTheScrollBar)
{
    fill(20);
    const long h = rowHeight();
    ASSERT_GT(h, 0);
    KListArrangementIGO& list = box->getList();
    EXPECT_EQ(textOf(list.getFrame()), "2,2 280x146");
    EXPECT_EQ(textOf(box->getScrollBar().getBounds()), "282,2 16x146");
    EXPECT_EQ(textOf(list.getElementAt(19).getFrame()), "0," + std::to_string(19 * h) + " 280x" + std::to_string(h));
    KScrollBarControl& bar = box->getScrollBar();
    EXPECT_EQ(bar.getMaximum(), 20 * h - 150 + 4);
    EXPECT_EQ(bar.getPageSize(), (20 * h - 146) / 10);

    // Outside a batch an item is laid out at once.
    box->appendItem(KString("One more"), *box);
    EXPECT_EQ(list.getElementAt(20).getPosition().getY(), 20 * h);
    EXPECT_EQ(bar.getMaximum(), 21 * h - 146);
    box->removeItem(0);
    EXPECT_EQ(bar.getMaximum(), 20 * h - 146);
    EXPECT_EQ(std::string(static_cast<KStaticTextIGO&>(list.getElementAt(0)).getText().getText()), "Row 1");
    EXPECT_EQ(&list.getElementAt(0).getGraphicObject(), static_cast<KThing*>(box));

    // A wider list box stretches its rows with its list; a list let go forgets it.
    box->setWidth(400);
    EXPECT_EQ(list.getElementAt(0).getSize().getWidth(), 380);
    KListArrangementIGOPtr kept(list);
    box->clearList();
    EXPECT_FALSE(kept->hasParent());
}

TEST_F(ListBox, FindsTheFirstRowOfExactlyTheText)
{
    fill(3);
    box->setItemText(2, KString("Row 1"));
    long index = -5;
    EXPECT_FALSE(box->findItem(KString("row 1"), index));
    EXPECT_EQ(index, -5);
    EXPECT_TRUE(box->findItem(KString("Row 1"), index));
    EXPECT_EQ(index, 1);
    box->removeAllItems();
    EXPECT_FALSE(box->findItem(KString("Row 1"), index));
}

TEST_F(ListBox, TellsItsOwnerOfSelectionsItAsksForAndOfEveryDoubleClick)
{
    fill(5);
    const short rowTwo = static_cast<short>(12 + 2 * rowHeight() + 1);
    box->selectItem(1);
    EXPECT_EQ(box->getSelectedIndex(), 1);
    EXPECT_TRUE(ownerHeard().empty());

    box->getActionMask().set(KListBoxControl::SelectionChangedAction);
    EXPECT_EQ(press(20, rowTwo), 4);
    EXPECT_EQ(box->getSelectedIndex(), 2);
    box->selectItem(3);
    EXPECT_EQ(ownerHeard(), Log({"window control action 7", "window control action 7"}));
    EXPECT_EQ(&KKeyboardManager::getManager().getFocusElement(), static_cast<KInteractiveElement*>(box));

    // A double click is the owner's alone: the selection stays.
    EXPECT_EQ(press(20, rowTwo, true), 0);
    EXPECT_EQ(box->getSelectedIndex(), 3);
    EXPECT_EQ(ownerHeard(), Log({"window control action 9"}));

    KKeyEventPtr down = new KKeyEvent;
    down->setKey(272);
    EXPECT_TRUE(box->keyTyped(*down));
    EXPECT_EQ(box->getSelectedIndex(), 4);
    EXPECT_EQ(ownerHeard(), Log({"window control action 7"}));
}

TEST_F(ListBox, TabMovesTheFocusThroughTheWindowAndLeavesTheSelection)
{
    before->setBounds(KGraphicRectangle(10, 200, 20, 20));
    scope.window->removeControl(*box);
    for (KControl* control : {before.get(), static_cast<KControl*>(box)})
        scope.window->addElement(*control);
    fill(3);
    box->selectItem(1);
    KKeyboardManager& keyboard = KKeyboardManager::getManager();
    for (bool shift : {false, true}) {
        keyboard.setFocusElement(*box);
        KKeyEventPtr tab = new KKeyEvent;
        tab->setKey(KKeyboardManager::TabKey);
        tab->setModifiers(shift ? uint32(KKeyEvent::Shift) : 0u);
        EXPECT_TRUE(box->keyTyped(*tab));
        // In the window's order the list box's own scroll bar comes next.
        EXPECT_EQ(&keyboard.getFocusElement(), shift ? static_cast<KInteractiveElement*>(before.get())
                                                     : &box->getScrollBar());
        EXPECT_EQ(box->getSelectedIndex(), 1);
    }
}

TEST_F(ListBox, TheScrollBarMovesTheListByItsValue)
{
    fill(30);
    KScrollBarControl& bar = box->getScrollBar();
    bar.setValue(37, true);
    sendControlActionNow(bar, KControlActionEvent::Drag);
    EXPECT_EQ(box->getList().getScrollOffset(), KWidePoint(0, 37));
    // The list scrolled by the keys takes the bar with it.
    box->selectItem(0);
    KKeyEventPtr end = new KKeyEvent;
    end->setKey(276);
    box->keyTyped(*end);
    EXPECT_EQ(bar.getValue(), bar.getMaximum());
    EXPECT_EQ(box->getList().getScrollOffset().getY(), bar.getMaximum());
}

TEST_F(ListBox, ASelectedRowIsHighlightedAcrossTheList)
{
    fill(3);
    box->selectItem(1);
    box->redrawOn(kBlack);
    const short middle = static_cast<short>(2 + rowHeight() + rowHeight() / 2);
    EXPECT_EQ(box->pixel(2, middle), colorValue(kSystemHighlight));
    EXPECT_EQ(box->pixel(281, middle), colorValue(kSystemHighlight));
    EXPECT_EQ(box->pixel(281, static_cast<short>(2 + rowHeight() / 2)), colorValue(kWhite));
    EXPECT_EQ(box->pixel(200, 140), colorValue(kWhite));
}

} // namespace
