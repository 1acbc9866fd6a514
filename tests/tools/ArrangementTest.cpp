// Arrangements of graphic objects: selection by the mouse in each mode, routing of the
// mouse to the child under it, keyboard moves and scrolling, drawing scaled into a
// destination; the list that stacks its rows, pages, reorders them by dragging and
// scrolls while the mouse is held beyond it; and the ready-made list row.
#include "application/KKeyEvent.h"
#include "tests/tools/GraphicObjectsTestSupport.h"
#include "tools/igo/KImageIGO.h"
#include "tools/igo/KListArrangementIGO.h"
#include "tools/igo/KListBoxElementIGO.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using R = KGraphicRectangle;

// The platform's own Shift key, as the arrangements read it.
void setShift(bool Down)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = VK_SHIFT;
    input.ki.dwFlags = Down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
}

long selectionEvents()
{
    long count = 0;
    for (const std::string& line : takeNotes("application action"))
        count += line == "application action 7" ? 1 : 0;
    return count;
}

class Arrangement : public ::testing::Test {
protected:
    Arrangement()
    {
        arrangement->setSize(KWideSize(100, 100));
        arrangement->setParent(*parent);
        for (NotingIGO* child : {a.get(), b.get(), c.get()}) {
            const long row = arrangement->getElementCount();
            arrangement->addElement(*child, KWidePoint(0, row * 20), KWideSize(50, 20));
            // Only the arrangement's own redraws reach the parent.
            child->clearStateFlags(KInteractiveElement::RedrawOnHiliteFlag | KInteractiveElement::RedrawOnSelectionFlag);
        }
        interactionLog().clear();
    }
    ~Arrangement() override { setShift(false); }

    void click(long X, long Y)
    {
        KMouseEventPtr press = mouseEvent(KMouseEvent::Down, 0, 0);
        arrangement->mouseDown(KWidePoint(X, Y), *press);
        arrangement->mouseUp(KWidePoint(X, Y));
    }
    // What reached the children, since the last look.
    static Log childNotes()
    {
        Log lines;
        for (const std::string& line : takeNotes()) {
            if (line.rfind("parent", 0) != 0 && line.rfind("application", 0) != 0)
                lines.push_back(line);
        }
        return lines;
    }
    std::string selected() const
    {
        std::string names;
        for (long i = 0; i < arrangement->getElementCount(); ++i) {
            if (arrangement->getElementAt(i).isSelected())
                names += static_cast<NotingIGO&>(arrangement->getElementAt(i)).name;
        }
        return names;
    }

    InteractionScope scope;
    RedrawNotingElementPtr parent = new RedrawNotingElement("parent");
    KArrangementIGOPtr arrangement = new KArrangementIGO;
    NotingIGOPtr a = new NotingIGO("a"), b = new NotingIGO("b"), c = new NotingIGO("c");
};

TEST_F(Arrangement, AClickSelectsByTheModeAndAlwaysReportsTheSelection)
{
    // Single: a click on the selected child keeps it and still reports.
    click(5, 5);
    click(5, 5);
    click(5, 25);
    EXPECT_EQ(selected(), "b");
    EXPECT_EQ(selectionEvents(), 3);

    // Multiple: a click replaces the selection, with Shift it adds to it.
    arrangement->setSelectionMode(KArrangementIGO::MultipleSelection);
    click(5, 5);
    EXPECT_EQ(selected(), "a");
    setShift(true);
    click(5, 45);
    setShift(false);
    EXPECT_EQ(selected(), "ac");
    EXPECT_EQ(selectionEvents(), 2);

    // None: the click still reaches the child, nothing is selected or reported.
    arrangement->deselectAll();
    arrangement->setSelectionMode(KArrangementIGO::NoSelection);
    interactionLog().clear();
    click(5, 25);
    EXPECT_EQ(selected(), "");
    EXPECT_EQ(std::count(interactionLog().begin(), interactionLog().end(), "b down 5,5"), 1);
    EXPECT_EQ(selectionEvents(), 0);
}

TEST_F(Arrangement, APressGoesToTheUpperChildFirstAndThenToTheOneBelow)
{
    NotingIGOPtr refusing = new NotingIGO("top", false);
    arrangement->addElement(*refusing, KWidePoint(0, 10), KWideSize(50, 20));
    arrangement->setScrollOffset(KWidePoint(0, 5));
    refusing->clearStateFlags(KInteractiveElement::RedrawOnHiliteFlag);
    KMouseEventPtr press = mouseEvent(KMouseEvent::Down, 0, 0);
    EXPECT_TRUE(arrangement->mouseDown(KWidePoint(5, 20), *press));
    EXPECT_EQ(childNotes(), Log({"top down 5,15", "b down 5,5"}));
    EXPECT_EQ(&arrangement->getTrackedElement(), b.get());
    EXPECT_EQ(arrangement->getClickPoint(), KGraphicPoint(5, 5));

    // While b tracks the mouse, moves and ticks go to it wherever the pointer is.
    arrangement->mouseEnter(KWidePoint(80, 90));
    arrangement->mouseLeave(KWidePoint(80, 90));
    arrangement->mouseUp(KWidePoint(5, 40));
    EXPECT_EQ(childNotes(), Log({"b enter 80,75", "b leave 80,75", "b up 5,25", "c inside 5,5"}));
    EXPECT_FALSE(arrangement->hasTrackedElement());
    EXPECT_EQ(&arrangement->getHoveredElement(), c.get());
}

TEST_F(Arrangement, ThePointerMovesTheHoverFromChildToChild)
{
    arrangement->setMouseInside(KWidePoint(5, 5), true);
    arrangement->mouseMoved(KWidePoint(6, 6));
    arrangement->mouseMoved(KWidePoint(6, 26));
    // Between the children the hover stays where it was.
    arrangement->mouseMoved(KWidePoint(80, 80));
    arrangement->setMouseOutside(KWidePoint(80, 80));
    EXPECT_EQ(takeNotes(),
              Log({"a inside 5,5", "a moved 6,6", "a outside 6,26", "b inside 6,6", "b outside 80,60"}));
    EXPECT_FALSE(arrangement->hasHoveredElement());
    EXPECT_FALSE(arrangement->getStateFlags() & KInteractiveElement::InsideFlag);
    // A child that leaves is no longer the hovered one.
    arrangement->mouseMoved(KWidePoint(6, 6));
    arrangement->removeElement(*a);
    EXPECT_FALSE(arrangement->hasHoveredElement() || a->hasParent());
}

TEST_F(Arrangement, KeysMoveTheSelectionAndScrollToIt)
{
    // The navigation keys are claimed; the arrangement itself does not act on them.
    KKeyEvent key;
    key.setKey(278);
    EXPECT_TRUE(arrangement->keyTyped(key));
    EXPECT_EQ(selected(), "");

    arrangement->setSize(KWideSize(100, 30));
    arrangement->selectNext();
    EXPECT_EQ(selected(), "");
    arrangement->selectFirst();
    EXPECT_EQ(selected(), "a");
    EXPECT_TRUE(takeNotes("parent").empty());
    // Below the view: its bottom comes to the view's bottom; above: its top to the top.
    arrangement->selectLast();
    EXPECT_EQ(selected(), "c");
    EXPECT_EQ(arrangement->getScrollOffset(), KWidePoint(0, 30));
    arrangement->selectPrevious();
    EXPECT_EQ(arrangement->getScrollOffset(), KWidePoint(0, 20));
    arrangement->selectFirst();
    EXPECT_EQ(arrangement->getScrollOffset(), KWidePoint(0, 0));
    EXPECT_EQ(takeNotes("parent"), Log({"parent redraw 0,0 100x30", "parent redraw 0,0 100x30",
                                        "parent redraw 0,0 100x30"}));
    EXPECT_EQ(selectionEvents(), 0);
}

TEST_F(Arrangement, DrawsItsChildrenScaledIntoTheDestination)
{
    KImagePtr canvas = solidImage(220, 220, KColor(kBlack));
    arrangement->draw(canvas->getGraphicDevice(), R(10, 10, 200, 200));
    EXPECT_EQ(takeNotes(), Log({"a drawn 10,10 100x40", "b drawn 10,50 100x40", "c drawn 10,90 100x40"}));
    EXPECT_EQ(pixelOf(*canvas, 209, 209), colorValue(kWhite));
    EXPECT_EQ(pixelOf(*canvas, 210, 210), colorValue(kBlack));

    // Scrolled: a child that ends where the destination begins is not drawn.
    arrangement->setScrollOffset(KWidePoint(0, 20));
    arrangement->draw(canvas->getGraphicDevice(), R(10, 10, 200, 200));
    EXPECT_EQ(takeNotes(), Log({"b drawn 10,10 100x40", "c drawn 10,50 100x40"}));

    // Without an extent there is nothing to scale by: only the background.
    arrangement->setSize(KWideSize(0, 100));
    arrangement->draw(canvas->getGraphicDevice(), R(10, 10, 200, 200));
    EXPECT_TRUE(takeNotes().empty());

    // An arrangement inside another draws only inside the outer one's destination.
    arrangement->setSize(KWideSize(100, 100));
    arrangement->setScrollOffset(KWidePoint(0, 0));
    KArrangementIGOPtr inner = new KArrangementIGO;
    KImageIGOPtr picture = new KImageIGO;
    KImagePtr red = solidImage(5, 5, KColor(kRed));
    picture->setNormalImage(*red);
    picture->setPlacement(KImageIGO::StretchedPlacement);
    picture->setInset(0);
    inner->addElement(*picture, KWidePoint(0, 0), KWideSize(50, 20));
    arrangement->addElement(*inner, KWidePoint(0, 90), KWideSize(50, 20));
    arrangement->draw(canvas->getGraphicDevice(), R(10, 10, 200, 200));
    EXPECT_EQ(pixelOf(*canvas, 20, 209), colorValue(kRed));
    EXPECT_EQ(pixelOf(*canvas, 20, 211), colorValue(kBlack));
}

// Rows of a vertical list 100 wide.
class ListArrangement : public ::testing::Test {
protected:
    ListArrangement() { list->setSize(KWideSize(100, 100)); }

    void fill(std::initializer_list<long> Heights)
    {
        list->beginUpdate();
        for (long height : Heights) {
            NotingIGOPtr row = new NotingIGO(std::string(1, char('0' + list->getElementCount())).c_str());
            row->setSize(KWideSize(30, height));
            list->addElement(*row);
        }
        list->endUpdate();
        interactionLog().clear();
    }
    std::string order() const
    {
        std::string names;
        for (long i = 0; i < list->getElementCount(); ++i)
            names += static_cast<NotingIGO&>(list->getElementAt(i)).name;
        return names;
    }
    void press(long X, long Y)
    {
        KMouseEventPtr event = mouseEvent(KMouseEvent::Down, 0, 0);
        EXPECT_TRUE(list->mouseDown(KWidePoint(X, Y), *event));
    }
    void typeKey(uint16 Key)
    {
        KKeyEvent key;
        key.setKey(Key);
        EXPECT_TRUE(list->keyTyped(key));
    }

    InteractionScope scope;
    KListArrangementIGOPtr list = new KListArrangementIGO;
};

TEST_F(ListArrangement, RowsAreStackedAcrossTheListWhenABatchEnds)
{
    NotingIGOPtr outside = new NotingIGO("x");
    list->addElement(*outside);
    EXPECT_EQ(list->getElementCount(), 0);

    fill({20, 30, 10});
    std::string frames;
    for (long i = 0; i < 3; ++i)
        frames += textOf(list->getElementAt(i).getFrame()) + ";";
    EXPECT_EQ(frames, "0,0 100x20;0,20 100x30;0,50 100x10;");
    KWideSize content;
    list->getContentSize(content);
    EXPECT_EQ(content, KWideSize(100, 60));
    // Rows take no press of their own.
    EXPECT_FALSE(list->getElementAt(0).isActive());

    // Emptied in a batch, the rows let go of the list.
    KInteractiveGraphicObjectPtr kept(list->getElementAt(1));
    list->beginUpdate();
    list->removeAllElements();
    list->endUpdate();
    EXPECT_FALSE(kept->hasParent());
    list->getContentSize(content);
    EXPECT_EQ(content, KWideSize(0, 0));
}

TEST_F(ListArrangement, KeysMoveAndPageTheSelectionAndAlwaysReportIt)
{
    fill({20, 20, 20, 20, 20, 20, 20, 20});
    list->selectElementAt(0);
    typeKey(271);
    EXPECT_EQ(list->getSelectedIndex(), 0);
    typeKey(278);
    EXPECT_EQ(list->getSelectedIndex(), 4);
    typeKey(278);
    EXPECT_EQ(list->getSelectedIndex(), 7);
    typeKey(272);
    EXPECT_EQ(list->getSelectedIndex(), 7);
    typeKey(277);
    EXPECT_EQ(list->getSelectedIndex(), 3);
    typeKey(275);
    EXPECT_EQ(list->getSelectedIndex(), 0);
    EXPECT_EQ(selectionEvents(), 6);
    KKeyEvent other;
    other.setKey('a');
    EXPECT_FALSE(list->keyTyped(other));
}

TEST_F(ListArrangement, ADraggedRowLandsInFrontOfTheRowItIsDroppedOn)
{
    list->setSize(KWideSize(100, 200));
    fill({20, 20, 20, 20, 20});
    press(10, 30);
    EXPECT_EQ(list->getSelectedIndex(), 1);
    list->mouseEnter(KWidePoint(10, 34));
    EXPECT_FALSE(list->getListFlags() & KListArrangementIGO::DraggingFlag);
    list->mouseEnter(KWidePoint(10, 35));
    EXPECT_TRUE(list->getListFlags() & KListArrangementIGO::DraggingFlag);
    // The image follows the pointer, offset by where the row was grabbed.
    list->mouseEnter(KWidePoint(12, 90));
    EXPECT_EQ(textOf(list->getDragImageRect()), "2,80 100x20");

    // The drop marker lies on the edge of the row under the pointer.
    KImagePtr canvas = solidImage(100, 200, KColor(kWhite));
    list->draw(canvas->getGraphicDevice(), R(0, 0, 100, 200));
    EXPECT_EQ(pixelOf(*canvas, 50, 80), colorValue(kBlack));
    EXPECT_EQ(pixelOf(*canvas, 50, 81), colorValue(kWhite));
    EXPECT_EQ(pixelOf(*canvas, 2, 80), colorValue(kBlack));

    list->mouseUp(KWidePoint(12, 90));
    EXPECT_EQ(order(), "02314");
    EXPECT_FALSE(list->getListFlags() & KListArrangementIGO::DraggingFlag);
    EXPECT_FALSE(list->hasDragImage());

    // Below the last row it goes to the end.
    press(10, 10);
    list->mouseEnter(KWidePoint(10, 150));
    list->mouseUp(KWidePoint(10, 150));
    EXPECT_EQ(order(), "23140");
    // Dropped on itself nothing moves.
    press(10, 90);
    list->mouseEnter(KWidePoint(10, 99));
    list->mouseUp(KWidePoint(10, 99));
    EXPECT_EQ(order(), "23140");
}

TEST_F(ListArrangement, WithoutReorderingADragMovesTheSelection)
{
    list->clearListFlags(KListArrangementIGO::ReorderFlag);
    fill({20, 20, 20});
    press(10, 5);
    list->mouseEnter(KWidePoint(10, 25));
    list->mouseEnter(KWidePoint(10, 27));
    list->mouseEnter(KWidePoint(10, 45));
    list->mouseUp(KWidePoint(10, 45));
    EXPECT_EQ(list->getSelectedIndex(), 2);
    EXPECT_EQ(order(), "012");
    EXPECT_EQ(selectionEvents(), 3);
}

TEST_F(ListArrangement, HeldBelowTheListItScrollsTickByTickToTheEnd)
{
    fill({20, 20, 20, 20, 20, 20, 20});
    press(10, 10);
    std::vector<long> offsets;
    for (int tick = 0; tick < 5; ++tick) {
        list->mouseLeave(KWidePoint(10, 110));
        offsets.push_back(list->getScrollOffset().getY());
    }
    EXPECT_EQ(offsets, std::vector<long>({10, 20, 30, 40, 40}));
    list->mouseLeave(KWidePoint(10, -25));
    EXPECT_EQ(list->getScrollOffset().getY(), 15);
    long scrolls = 0;
    for (const std::string& line : takeNotes("application action"))
        scrolls += line == "application action 6" ? 1 : 0;
    EXPECT_EQ(scrolls, 5);
}

TEST(ListBoxElementIGO, HoldsItsThreePartsAndSelectsTwoOfThemWithItself)
{
    KListBoxElementIGOPtr row = new KListBoxElementIGO;
    ASSERT_EQ(row->getElementCount(), 3);
    EXPECT_FALSE(row->getTextElement().getStateFlags() & (KInteractiveElement::HoverLookFlag
                                                         | KInteractiveElement::PressedLookFlag));

    row->setSelected(true);
    EXPECT_TRUE(row->getTextElement().isSelected() && row->getImageElement().isSelected());
    EXPECT_FALSE(row->getDisclosureElement().isSelected());
    row->clearSelected();
    EXPECT_FALSE(row->getTextElement().isSelected() || row->getImageElement().isSelected());
    // A new label takes the place of the old one, which leaves the row.
    KStaticTextIGOPtr old(row->getTextElement()), label = new KStaticTextIGO;
    row->setTextElement(*label);
    EXPECT_EQ(textOf(label->getFrame()), "40,0 160x20");
    EXPECT_FALSE(old->hasParent());
    EXPECT_EQ(row->getElementCount(), 3);
}

} // namespace
