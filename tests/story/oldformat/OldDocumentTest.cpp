// Opening old documents as projects: the story on a 640 × 480 page, the "Media" folder
// taken only when it is there, and documents that are no old documents, are damaged or
// cannot be converted refused with the project left as it was.
#include "foundation/KDirectory.h"
#include "story/LumoPause.h"
#include "story/oldformat/OldDocumentImport.h"
#include "tests/story/oldformat/OldFormatTestSupport.h"
#include "tests/support/ReportCatcher.h"

namespace {

class OldDocuments : public OldFormatTest {
protected:
    // A document of one pause of the seconds.
    Bytes document(long Seconds)
    {
        return OldBytes()
            .longs({OldDocumentImport::kDocumentType})
            .tape({OldBytes().slot("LumoPause").tapeObject("LumoPause", 5).longs({Seconds})});
    }
    static void registerOldDocumentType()
    {
        KFileTypeHandler::makeAssociation(KString("LMT"), KString("LUMP"), KString("LTAP"), KString("Narrabo Document"));
    }
};

TEST_F(OldDocuments, AnOldDocumentOpensOnA640By480PageWithoutMakingAMediaFolder)
{
    StoryApplicationScope application;
    registerOldDocumentType();
    application->setNewDocumentSize(900, 500);
    writeBytes(m_folder.file("Tale.lmt"), document(2));
    LumoProjectPtr project(new LumoProject);
    ASSERT_TRUE(project->load(fileIn("Tale.lmt")));
    Tape& story = project->getTape();
    EXPECT_EQ(story.getPageSize(), KGraphicSize(640, 480));
    EXPECT_TRUE(story.isFlagSet(Tape::MarkFlag1));
    ASSERT_EQ(story.getCount(), 1);
    EXPECT_EQ(static_cast<LumoPause&>(story.getObjectAt(0)).getDuration(), 2000);
    EXPECT_EQ(project->getFileReference(), fileIn("Tale.lmt"));
    EXPECT_FALSE(project->hasMediaDirectory());
    EXPECT_FALSE(KDirectory(folderIn("Media")).exists());

    KDirectory(folderIn("Media")).create();
    LumoProjectPtr withMedia(new LumoProject);
    ASSERT_TRUE(withMedia->load(fileIn("Tale.lmt")));
    EXPECT_EQ(withMedia->getMediaDirectory().getPath(), folderIn("Media"));
}

TEST_F(OldDocuments, WhatIsNoWholeOldDocumentIsRefusedAndTheProjectStaysAsItWas)
{
    StoryApplicationScope application;
    registerOldDocumentType();
    writeBytes(m_folder.file("Good.lmt"), document(1));
    writeBytes(m_folder.file("Letter.lmt"), ByteList().text("Dear diary").bytes());
    const Bytes whole = document(1);
    writeBytes(m_folder.file("Short.lmt"), Bytes(whole.begin(), whole.end() - 3));
    writeBytes(m_folder.file("Bare.lmt"), OldBytes()
                                              .longs({OldDocumentImport::kDocumentType})
                                              .tape({OldBytes().slot("TapeObject").header("TapeObject").longs({0}).bytes({1})}));
    LumoProjectPtr project(new LumoProject);
    ASSERT_TRUE(project->load(fileIn("Good.lmt")));
    Tape& story = project->getTape();
    for (const char* name : {"Letter.lmt", "Short.lmt", "Bare.lmt"}) {
        EXPECT_EQ(messagesOfLoading(*project, name, false), std::vector<std::string>{"Error while reading file: This file is not a Narrabo Document File!"});
        EXPECT_EQ(&project->getTape(), &story);
        EXPECT_EQ(project->getFileReference(), fileIn("Good.lmt"));
    }
}

} // namespace
