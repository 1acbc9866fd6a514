// The labelled controls: where label and control go, and the actions and keys of the
// inner control that reach the window as the labelled control's own; the path editors:
// the typed text read as a folder or a file, and a choice in the platform's dialog shown in
// the field, announced only when the action mask asks.
#include "application/CommonDialogsWin32.h"
#include "application/KControlActionEvent.h"
#include "application/KKeyEvent.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/tools/ToolsTestSupport.h"
#include "tools/controls/KDirectoryPathEditingControl.h"
#include "tools/controls/KFilePathEditingControl.h"
#include "tools/controls/KLabelEditTextControl.h"
#include "tools/controls/KLabelPopUpListControl.h"
#include "tools/controls/KLabelSliderControl.h"

#include <gtest/gtest.h>

#include <cstring>

#include <commdlg.h>
#include <shlobj.h>

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
    edit->setSize(KGraphicSize(300, 24));
    edit->setLabelWidth(95);
    EXPECT_EQ(edit->getField().getBounds(), KGraphicRectangle(100, 1, 197, 22));
    EXPECT_EQ(edit->getLabel().getBounds(), KGraphicRectangle(0, 2, 95, 20));
    // The field's text, even when it was never set through the labelled control.
    edit->getField().setText("typed");
    EXPECT_EQ(textOf(edit->getText()), "typed");

    KLabelPopUpListControlPtr list = new KLabelPopUpListControl;
    list->setWidth(400);
    EXPECT_EQ(list->getList().getBounds(), KGraphicRectangle(70, 0, 330, 22));
    EXPECT_EQ(list->getLabel().getBounds(), KGraphicRectangle(0, 1, 64, 20));
    list->setLabelWidth(0);
    EXPECT_EQ(list->getList().getBounds(), KGraphicRectangle(6, 0, 394, 22));

    // The captions share the width beside the label, the slider under them.
    KLabelSliderControlPtr slider = new KLabelSliderControl;
    EXPECT_EQ(slider->getMaximumCaption().getBounds(), KGraphicRectangle(107, 0, 43, 20));
    EXPECT_EQ(slider->getSlider().getBounds(), KGraphicRectangle(64, 20, 86, 30));
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

TEST(PathEditors, ReadTheTypedTextAsAFolderOrAFile)
{
    KDirectoryPathEditingControlPtr folder = new KDirectoryPathEditingControl;
    EXPECT_EQ(textOf(folder->getLabel().getText()), "Directory:");
    EXPECT_TRUE(folder->getDirectory().getPath().isEmpty());
    const struct {
        const char* typed;
        const char* read;
    } cases[] = {{"C:\\media\\sounds", "C:\\media\\sounds\\"}, {"C:\\media\\", "C:\\media\\"}};
    for (const auto& c : cases) {
        folder->getField().setText(c.typed);
        EXPECT_EQ(pathOf(folder->getDirectory()), c.read);
    }
    KFilePathEditingControlPtr file = new KFilePathEditingControl;
    EXPECT_EQ(textOf(file->getLabel().getText()), "File:");
    file->getField().setText("C:\\media\\voice.wav");
    EXPECT_EQ(pathOf(file->getFile()), "C:\\media\\voice.wav");

    // 80 + 80 + 80 + 12 wide; label, field and button 6 apart.
    EXPECT_EQ(folder->getSize(), KGraphicSize(252, 22));
    folder->setSize(KGraphicSize(400, 22));
    folder->setLabelWidth(50);
    EXPECT_EQ(folder->getField().getBounds(), KGraphicRectangle(56, 0, 400 - 142, 22));
    EXPECT_EQ(folder->getBrowseButton().getBounds(), KGraphicRectangle(320, 1, 80, 20));
}

TEST(PathEditors, ShowTheChosenPathAndAnnounceItOnlyWhenAsked)
{
    ToolsScope scope;
    TemporaryFolder temporary;
    std::string title;
    CommonDialogAnswersWin32 answers;
    answers.browseFolder = [&](void*) { return static_cast<void*>(ILCreateFromPathA(temporary.path().c_str())); };
    answers.openFile = [&](void* Record) {
        auto& record = *static_cast<OPENFILENAMEA*>(Record);
        title = record.lpstrTitle ? record.lpstrTitle : "";
        std::strcpy(record.lpstrFile, temporary.file("picked.bmp").c_str());
        return true;
    };
    setCommonDialogAnswersWin32(answers);

    SourceWindowPtr window = new SourceWindow;
    KDirectoryPathEditingControlPtr folder = new KDirectoryPathEditingControl;
    KFilePathEditingControlPtr file = new KFilePathEditingControl;
    window->addElement(*folder);
    window->addElement(*file);
    window->open(KWindow::OpenHidden);
    click(folder->getBrowseButton());
    EXPECT_EQ(textOf(folder->getField().getText()), temporary.path() + "\\");
    EXPECT_EQ(&KKeyboardManager::getManager().getFocusElement(), &folder->getField());
    // The click went no further, and nothing was announced.
    EXPECT_TRUE(window->sources.empty());

    folder->getActionMask().set(KControlActionEvent::TextChanged);
    file->getActionMask().set(KControlActionEvent::TextChanged);
    click(folder->getBrowseButton());
    click(file->getBrowseButton());
    EXPECT_EQ(title, "Select File");
    EXPECT_EQ(textOf(file->getField().getText()), temporary.file("picked.bmp"));
    EXPECT_EQ(window->sources, (std::vector<const KThing*>{folder.get(), file.get()}));
    EXPECT_EQ(window->types, (std::vector<long>{5, 5}));

    // A cancelled dialog changes nothing and announces nothing.
    answers.openFile = [](void*) { return false; };
    setCommonDialogAnswersWin32(answers);
    click(file->getBrowseButton());
    EXPECT_EQ(textOf(file->getField().getText()), temporary.file("picked.bmp"));
    EXPECT_EQ(window->sources.size(), 2u);
    setCommonDialogAnswersWin32({});
    window->close();
}

} // namespace
