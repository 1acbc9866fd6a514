// Pictures of the story: defaults and class block, drawing with masks and flips, and the
// housekeeping of their media file.
#include "foundation/KDirectory.h"
#include "foundation/KStringBag.h"
#include "story/LumoImage.h"
#include "story/TapeMediaFile.h"
#include "tests/story/ActorStageSupport.h"
#include "tests/story/PlaybackTestSupport.h"
#include "tests/support/ReportCatcher.h"

namespace {

class Pictures : public PlaybackTest {
protected:
    // A BMP file of the picture in the test folder.
    KFileReference pictureFile(const std::string& Name, const PixelRows& Rows)
    {
        registerFrameworkFileTypes();
        KImagePtr image(new KImage);
        makePicture(*image, Rows);
        image->saveAsBMP(fileIn(Name));
        return fileIn(Name);
    }
    KFileReference nowhere(const std::string& Name) { return KFileReference(windowsPath("C:\\Nowhere\\" + Name)); }
    static LumoImagePtr imageOf(const KFileReference& File, short Width, short Height)
    {
        LumoImagePtr image(new LumoImage);
        image->setFileReference(File);
        image->setBounds(KGraphicRectangle(4, 4, Width, Height));
        return image;
    }
    // The image drawn as a page redraw draws it, on blue.
    static PixelRows drawn(LumoImage& Image, short Width, short Height)
    {
        KImagePtr page = solidImage(16, 12, 'b');
        const KGraphicRectangle whole(0, 0, 16, 12);
        Image.draw(page->getGraphicDevice(), whole, whole);
        return pixelRows(page->getGraphicDevice(), 4, 4, Width, Height);
    }
};

TEST_F(Pictures, ANewPictureIsCentredOnTheShownPageAndOldBlocksHaveAHardMask)
{
    LumoImagePtr image(new LumoImage);
    KGraphicRectangle bounds;
    image->getBounds(bounds);
    EXPECT_EQ(bounds, KGraphicRectangle(240, 180, 320, 240));
    EXPECT_FALSE(image->isMasked() || image->isFlippedHorizontally() || image->isFlippedVertically());
    EXPECT_TRUE(image->hasSoftMask());
    EXPECT_EQ(image->getMaskLevel(), 0xFE00);
    {
        StageScope scope;
        StoryPage page(641, 481);
        scope.stage().show(*TapePtr(new Tape), *page.layer);
        LumoImagePtr(new LumoImage)->getBounds(bounds);
        EXPECT_EQ(bounds, KGraphicRectangle(160, 120, 320, 240));
    }
    // Flipping twice one way changes nothing; the bounds never move. A picture stored
    // without section 3 has a hard mask at 0xFFFF.
    image->flip(true, 7);
    image->flip(false, 7);
    image->flip(false, 7);
    image->setFlag(1);
    const Bytes written = m_blocks.written(*image);
    const long id = KClass::findClass("LumoImage")->getClassID();
    LumoImagePtr old(new LumoImage);
    const long size = long(written.size()) - 16 - 13;
    EXPECT_EQ(m_blocks.read(*old, ByteList().longs({id, 1, size, 2}).append(Bytes(written.begin() + 16, written.end() - 13)).bytes()), 0);
    old->getBounds(bounds);
    EXPECT_EQ(bounds, KGraphicRectangle(240, 180, 320, 240));
    EXPECT_TRUE(old->isMasked() && old->isFlippedHorizontally() && !old->isFlippedVertically());
    EXPECT_FALSE(old->hasSoftMask());
    EXPECT_EQ(old->getMaskLevel(), 0xFFFF);
    LumoImagePtr copy(new LumoImage);
    copy->copyFrom(*image);
    EXPECT_EQ(m_blocks.written(*copy), written);
}

TEST_F(Pictures, PicturesDrawThroughTheirMasksAndFlips)
{
    StoryApplicationScope application;
    const KFileReference file = pictureFile("Shape.bmp", {"r#g#", "#y##"});
    LumoImagePtr image = imageOf(file, 4, 2);
    EXPECT_EQ(drawn(*image, 4, 2), (PixelRows{"r#g#", "#y##"}));
    image->setFlag(1);
    for (bool soft : {false, true}) {
        image->setSoftMask(soft);
        EXPECT_EQ(drawn(*image, 4, 2), (PixelRows{"rbgb", "bybb"})) << soft;
    }
    image->flip(true, 0);
    image->flip(false, 0);
    EXPECT_EQ(drawn(*image, 4, 2), (PixelRows{"bbyb", "bgbr"}));
    // The silhouette: the masked shape in black; unmasked, the frame of the bounds.
    KImagePtr page = solidImage(12, 8, 'b');
    image->drawWithColor(page->getGraphicDevice(), KGraphicRectangle(0, 0, 12, 8), KGraphicRectangle(2, 1, 12, 8));
    EXPECT_EQ(pixelRows(page->getGraphicDevice(), 6, 5, 4, 2), (PixelRows{"bb.b", "b.b."}));
    imageOf(file, 4, 2)->drawWithColor(page->getGraphicDevice(), KGraphicRectangle(), KGraphicRectangle());
    EXPECT_EQ(pixelRows(page->getGraphicDevice(), 4, 4, 4, 2), (PixelRows{"....", "...."}));
    // A missing picture leaves a white placeholder, one that loads empty a double frame.
    EXPECT_EQ(drawn(*imageOf(nowhere("Gone.bmp"), 4, 4), 4, 4), PixelRows(4, "####"));
    writeBytes(m_folder.file("Empty.bmp"), Bytes{'B', 'M'});
    ReportCatcher catcher;
    EXPECT_EQ(drawn(*imageOf(fileIn("Empty.bmp"), 6, 6), 6, 6),
              (PixelRows{"......", ".bbbb.", ".b##b.", ".b##b.", ".bbbb.", "......"}));
    EXPECT_EQ(catcher.codes(), std::vector<int>{57});
}

TEST_F(Pictures, APictureEndsInTheTickThatStartsItDrawnOrNot)
{
    StageScope scope;
    StoryPage page;
    CountingTapePtr tape(new CountingTape);
    scope.stage().show(*tape, *page.layer);
    LumoImagePtr sun = imageOf(pictureFile("Sun.bmp", {"yy", "yy"}), 2, 2);
    sun->setBounds(KGraphicRectangle(6, 0, 2, 2));
    tape->append(*imageOf(nowhere("Gone.bmp"), 2, 2));
    tape->append(*sun);
    tape->append(*ProbePtr(new Probe(scope.journal(), "next", 100)));
    tape->start(0);
    EXPECT_EQ(ticksUntil(*tape, scope.journal(), "next start"), 3);
    EXPECT_EQ(pixelRows(page.page(), 4, 4, 2, 1), PixelRows{".."});
    EXPECT_EQ(pixelRows(page.page(), 5, 0, 4, 1), PixelRows{".yy."});
    tape->stop();
    tape->clear();
}

TEST_F(Pictures, AMissingFileIsLookedForInTheMediaFoldersThenAsked)
{
    StoryApplicationScope application;
    KDirectory(folderIn("Media")).create();
    KDirectory(folderIn("Other")).create();
    pictureFile("Other\\Dog.bmp", {"g"});
    pictureFile("Cat.bmp", {"r"});
    const KPath media = folderIn("Media");
    // Found in the second folder without a question; then a replacement is chosen, and it
    // joins the media folder under the missing name.
    MissingFileAnswers replace(TapeMediaFile::Replace, windowsPath(m_folder.file("Cat.bmp")));
    LumoImagePtr dog = imageOf(nowhere("Dog.bmp"), 1, 1);
    EXPECT_FALSE(dog->findMissingMedia(media, KPathPtr(new KPath(folderIn("Other")))));
    EXPECT_TRUE(dog->getFileReference().exists());
    LumoImagePtr owl = imageOf(nowhere("Owl.bmp"), 1, 1);
    EXPECT_FALSE(owl->findMissingMedia(media, KPathPtr()));
    EXPECT_EQ(owl->getFileReference(), fileIn("Media\\Owl.bmp"));
    EXPECT_TRUE(owl->getFileReference().exists());
    // An object without a file has nothing to look for.
    EXPECT_FALSE(LumoImagePtr(new LumoImage)->findMissingMedia(media, KPathPtr()));
    EXPECT_EQ(replace.asked.size(), 1u);
    // "Ignore" goes on to the next missing file, "Ignore All" ends the tape's search.
    TapePtr tape(new Tape);
    for (const char* name : {"A.bmp", "B.bmp"})
        tape->add(*imageOf(nowhere(name), 1, 1));
    for (uint8 answer : {TapeMediaFile::Ignore, TapeMediaFile::IgnoreAll}) {
        MissingFileAnswers answers(answer);
        EXPECT_EQ(tape->findMissingMedia(media), answer == TapeMediaFile::IgnoreAll);
        EXPECT_EQ(answers.asked.size(), answer == TapeMediaFile::Ignore ? 2u : 1u);
    }
}

TEST_F(Pictures, MediaNamesAreLeafNamesAndFilesAreCopiedAndReplaced)
{
    StoryApplicationScope application;
    const KFileReference cat = pictureFile("Cat.bmp", {"r"});
    KStringBag names;
    LumoImagePtr first = imageOf(cat, 1, 1);
    LumoImagePtr elsewhere = imageOf(nowhere("Cat.bmp"), 1, 1);
    LumoImagePtr unnamed(new LumoImage);
    for (LumoImage* image : {first.get(), elsewhere.get(), unnamed.get()})
        image->collectMediaNames(names);
    ASSERT_EQ(names.getCount(), 1);
    EXPECT_EQ(text(names.getStringAt(0)), "Cat.bmp");
    EXPECT_FALSE(first->usesMediaName(KString("cat.bmp")));
    // Copied into the target folder and referred to there; then replaced.
    KDirectory(folderIn("Target")).create();
    first->copyMediaTo(KDirectory(folderIn("Source")), KDirectory(folderIn("Target")));
    EXPECT_TRUE(first->usesMediaName(KString("Cat.bmp")));
    EXPECT_EQ(first->getFileReference(), fileIn("Target\\Cat.bmp"));
    EXPECT_TRUE(first->getFileReference().exists());
    EXPECT_FALSE(first->replaceMediaFile(cat, nowhere("New.bmp")));
    EXPECT_TRUE(first->replaceMediaFile(first->getFileReference(), nowhere("New.bmp")));
    EXPECT_TRUE(first->usesMediaName(KString("New.bmp")));
}

} // namespace
