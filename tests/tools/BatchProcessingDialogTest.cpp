// The batch processing dialog: a batch with no accepted type, the output folders recreated
// under the output folder, Abort and Escape confirmed or not, and a window closed while a
// batch runs.
#include "tools/dialogs/KBatchProcessingDialog.h"
#include "foundation/KFileTypeHandler.h"
#include "graphics/KTextBlock.h"
#include "graphics/KTextLine.h"
#include "tests/support/ReportCatcher.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/tools/ToolsTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

KDirectory folderAt(const std::string& Path) { return KDirectory(pathAt(Path + "\\")); }

// Notes its hooks; accepts BMP files when asked to; presses Escape when told.
class NotingBatch : public KBatchProcessingDialog {
public:
    void beginProcessing() override { notes.push_back("begin"); }
    void processFile(KFileReference& File, KDirectory& Output) override
    {
        KString leaf;
        File.getPath().getLeafName(leaf);
        notes.push_back(textOf(leaf) + " -> " + pathOf(Output));
    }
    void endProcessing(bool Aborted) override { notes.push_back(Aborted ? "end aborted" : "end"); }
    bool escapePressed() override { return std::exchange(escape, false); }

    void acceptBitmaps() { getAcceptedTypes().add(KFileTypeHandler::getAssociationByExtension("BMP")); }

    std::vector<std::string> notes;
    bool escape = false;
};
K_POINTER_CLASS(NotingBatch, KBatchProcessingDialogPtr);

class BatchProcessing : public ::testing::Test {
protected:
    BatchProcessing()
    {
        for (const char* name : {"in", "in\\a", "in\\a\\b", "out"})
            CreateDirectoryA(folder.file(name).c_str(), nullptr);
        for (const char* name : {"in\\one.bmp", "in\\two.bmp", "in\\three.bmp", "in\\notes.txt", "in\\a\\b\\pic.bmp"})
            std::ofstream(folder.file(name)) << "data";
        batch->getInputFolder().setDirectory(folderAt(folder.file("in")));
        batch->getOutputFolder().setDirectory(folderAt(folder.file("out")));
        batch->open(KWindow::OpenHidden);
    }
    ~BatchProcessing() override { batch->close(); }

    // Main-loop steps until the batch is idle again; false when it does not get there.
    bool stepUntilIdle()
    {
        for (int step = 0; step < 50; ++step) {
            scope->processIdleOnce();
            if (batch->getState() == KBatchProcessingDialog::Idle && scope->getIdleHandlerCount() == 0)
                return true;
        }
        return false;
    }
    std::vector<std::string> lastLogLines(long Count) const
    {
        const KTextBlock& log = batch->getLog().getTextBlock();
        std::vector<std::string> lines;
        for (long i = std::max(0L, log.getLineCount() - Count); i < log.getLineCount(); ++i)
            lines.push_back(textOf(log.getLineAt(i).getText()));
        return lines;
    }
    KControl& convert() const { return static_cast<KControl&>(batch->getOKButton()); }
    KControl& abort() const { return static_cast<KControl&>(batch->getApplyButton()); }

    ToolsScope scope;
    TemporaryFolder folder;
    NotingBatchPtr batch = new NotingBatch;
};

TEST_F(BatchProcessing, ProcessesNothingWithoutAcceptedTypes)
{
    EXPECT_EQ(textOf(static_cast<KPushButtonControl&>(batch->getOKButton()).getTitle()), "Convert");
    EXPECT_FALSE(abort().isEnabled());
    click(batch->getOKButton());
    EXPECT_FALSE(convert().isEnabled());
    EXPECT_FALSE(batch->getInputFolder().isEnabled());
    ASSERT_TRUE(stepUntilIdle());
    EXPECT_EQ(batch->notes, (std::vector<std::string>{"begin", "end"}));
    EXPECT_TRUE(convert().isEnabled());
    EXPECT_FALSE(abort().isEnabled());
}

TEST_F(BatchProcessing, RecreatesTheInputFoldersUnderTheOutputFolder)
{
    batch->acceptBitmaps();
    // Recreating the structure is offered only with the subfolders.
    click(batch->getIncludeSubfolders());
    EXPECT_TRUE(batch->getRecreateStructure().isEnabled());
    click(batch->getIncludeSubfolders());
    EXPECT_FALSE(batch->getRecreateStructure().isEnabled());
    click(batch->getIncludeSubfolders());
    click(batch->getRecreateStructure());
    ASSERT_TRUE(batch->getRecreateStructure().isSelected());

    click(batch->getOKButton());
    ASSERT_TRUE(stepUntilIdle());
    const std::string out = folder.file("out") + "\\";
    std::vector<std::string> notes = batch->notes;
    ASSERT_EQ(notes.size(), 6u);
    std::sort(notes.begin() + 1, notes.end() - 1);
    EXPECT_EQ(notes, (std::vector<std::string>{"begin", "one.bmp -> " + out, "pic.bmp -> " + out + "a\\b\\",
                                               "three.bmp -> " + out, "two.bmp -> " + out, "end"}));
    EXPECT_TRUE(folderAt(folder.file("out\\a\\b")).exists());
    EXPECT_EQ(lastLogLines(4), (std::vector<std::string>{"", "Create folder a", "", "Create folder b"}));
    EXPECT_EQ(batch->getProgress().getValue(), 0.0f);
}

TEST_F(BatchProcessing, StopsAfterTheCurrentFileOnlyWhenTheUserConfirms)
{
    batch->acceptBitmaps();
    ReportCatcher catcher;
    click(batch->getOKButton());
    scope->processIdleOnce();
    ASSERT_EQ(batch->getFileList().getCount(), 3);
    scope->processIdleOnce();
    EXPECT_TRUE(abort().isEnabled());
    catcher.answerBoxesWith(IDNO);
    click(batch->getApplyButton());
    batch->escape = true;
    scope->processIdleOnce();
    catcher.answerBoxesWith(IDYES);
    click(batch->getApplyButton());
    ASSERT_TRUE(stepUntilIdle());
    ASSERT_EQ(catcher.boxes().size(), 3u);
    EXPECT_EQ(catcher.boxes()[0].caption, "Abort button pressed");
    EXPECT_EQ(catcher.boxes()[0].text, "Are you sure you want to abort?");
    EXPECT_EQ(catcher.boxes()[1].caption, "ESC Key Pressed");
    EXPECT_EQ(batch->notes.size(), 4u);
    EXPECT_EQ(batch->notes.back(), "end aborted");
}

TEST_F(BatchProcessing, EndsABatchWhoseWindowIsClosed)
{
    batch->acceptBitmaps();
    click(batch->getOKButton());
    scope->processIdleOnce();
    scope->processIdleOnce();
    batch->close();
    EXPECT_EQ(scope->getIdleHandlerCount(), 0);
    EXPECT_EQ(batch->notes.back(), "end aborted");
    EXPECT_EQ(batch->getState(), KBatchProcessingDialog::Idle);
}

} // namespace
