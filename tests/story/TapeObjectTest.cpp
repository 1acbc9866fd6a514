// The tape-object base: its class blocks, the quiet defaults every kind inherits, and the
// drawing of a graphic object into the story's page.
#include "story/LumoSpriteSystem.h"
#include "story/TapeGraphicObject.h"
#include "tests/story/StoryTestSupport.h"

namespace {

// A graphic object that paints its bounds blue.
class BlueBox : public TapeGraphicObject {
public:
    void draw(KGraphicDevice& D, const KGraphicRectangle&, const KGraphicRectangle&) override
    {
        KGraphicRectangle bounds;
        getBounds(bounds);
        D.paintRect(bounds, nativeColor(0xFF0000));
    }
};

Bytes tapeObjectBlock(int Kind, int Enabled, const std::string& Label)
{
    const Bytes label = writtenStringBlock(Label);
    return ByteList()
        .append(BlockFile::header("TapeObject", long(8 + 3 + label.size())))
        .shorts({Kind})
        .raw({static_cast<unsigned char>(Enabled)})
        .append(label);
}

using TapeObjects = StoryTest;

TEST_F(TapeObjects, TheBaseBlockHoldsKindEnabledAndLabelInSectionOne)
{
    TapeObjectPtr object(new TapeObject);
    object->setKind(TapeObject::ActorMotionKind);
    object->setEnabled(false);
    object->setLabel(KString("Intro"));
    EXPECT_EQ(m_blocks.written(*object), tapeObjectBlock(12, 0, "Intro"));
    TapeObjectPtr back(new TapeObject);
    EXPECT_EQ(m_blocks.readBack(*back), 0);
    EXPECT_EQ(back->getKind(), 12);
    EXPECT_FALSE(back->isEnabled());
    EXPECT_EQ(text(back->getLabel()), "Intro");
    // The kind is the low byte of the 16 bits; any enabled byte but 0 is enabled.
    TapeObjectPtr wide(new TapeObject);
    EXPECT_EQ(m_blocks.read(*wide, tapeObjectBlock(0x0203, 7, "")), 0);
    EXPECT_EQ(wide->getKind(), 3);
    EXPECT_TRUE(wide->isEnabled());
    // A second section after section 1 is passed over; a first section of another ID
    // leaves the constructor's values.
    const long id = KClass::findClass("TapeObject")->getClassID();
    const Bytes payload = ByteList().shorts({5}).raw({0}).append(writtenStringBlock("A"));
    const long first = long(8 + payload.size());
    TapeObjectPtr twoSections(new TapeObject);
    const Bytes later = ByteList().longs({2, 12, 99});
    EXPECT_EQ(m_blocks.read(*twoSections, ByteList().longs({id, 1, first + 12, 2, 1, first}).append(payload).append(later)), 0);
    EXPECT_EQ(twoSections->getKind(), 5);
    EXPECT_EQ(text(twoSections->getLabel()), "A");
    TapeObjectPtr other(new TapeObject);
    EXPECT_EQ(m_blocks.read(*other, ByteList().longs({id, 1, first, 1, 2, first}).append(payload)), 0);
    EXPECT_EQ(other->getKind(), 0);
    EXPECT_TRUE(other->isEnabled());
    EXPECT_TRUE(other->getLabel().isEmpty());
}

TEST_F(TapeObjects, GraphicObjectsNestTheBaseBlockBeforeTheirBounds)
{
    TapeGraphicObjectPtr object(new TapeGraphicObject);
    object->setKind(TapeObject::ImageKind);
    object->setBounds(KGraphicRectangle(10, 20, 30, 40));
    TapeGraphicObjectPtr back(new TapeGraphicObject);
    const Bytes bytes = m_blocks.written(*object);
    EXPECT_EQ(m_blocks.read(*back, bytes), 0);
    EXPECT_EQ(m_blocks.written(*back), bytes);
    // A copy takes the base fields and the bounds, not the tape.
    TapePtr tape(new Tape);
    back->setTape(*tape);
    TapeGraphicObjectPtr copy(new TapeGraphicObject);
    copy->copyFrom(*back);
    EXPECT_EQ(m_blocks.written(*copy), bytes);
    EXPECT_FALSE(copy->hasTape());
}

TEST_F(TapeObjects, TheKindIconMarksTheTopRightOfTheDevice)
{
    // 16 pixels in from the top and the right edge; kinds without an icon, or of no
    // class, draw nothing.
    TapeObjectPtr object(new TapeObject);
    KImagePtr page = solidImage(40, 24, 'r');
    for (uint8 kind : {0, 3, 8, 12}) {
        object->setKind(kind);
        object->drawKindIcon(page->getGraphicDevice(), KGraphicRectangle(), KGraphicRectangle());
    }
    EXPECT_EQ(pixelRows(page->getGraphicDevice(), 19, 15, 6, 5),
              (PixelRows{"rrrrrr", "rggggr", "rggggr", "rggggr", "rrrrrr"}));
    EXPECT_EQ(pixelRows(page->getGraphicDevice(), 0, 0, 40, 15), PixelRows(15, std::string(40, 'r')));
}

TEST_F(TapeObjects, GraphicObjectsDrawIntoTheWholePageAndShowIt)
{
    // A page larger than 640 × 480, composed in mode 2 into a target of its size.
    KImagePtr target = solidImage(700, 500, 'r');
    LumoSpriteSystemPtr layer(new LumoSpriteSystem);
    KSpriteSystem& compositor = layer->getSpriteSystem();
    compositor.setRedrawMode(KSpriteSystem::DirtyRectangles);
    compositor.setTargetDevice(target->getGraphicDevice());
    TapePtr tape(new Tape);
    tape->setSpriteSystem(*layer);
    TapeGraphicObjectPtr box(new BlueBox);
    box->setTape(*tape);
    box->setBounds(KGraphicRectangle(650, 490, 4, 4));
    box->drawOnPage();
    EXPECT_EQ(pixelRows(compositor.getBackground().getGraphicDevice(), 649, 489, 3, 2), (PixelRows{"...", ".bb"}));
    compositor.update();
    EXPECT_EQ(pixelRows(target->getGraphicDevice(), 649, 489, 3, 2), (PixelRows{"...", ".bb"}));
    // Without a story sprite layer there is no page to draw into.
    TapePtr bare(new Tape);
    box->setTape(*bare);
    box->drawOnPage();
    tape->resetSpriteSystem();
}

} // namespace
