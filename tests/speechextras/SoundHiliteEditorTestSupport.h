#pragma once
// The sound-highlight editor in an application with the media layer on the test
// platform's sound devices, the dialog handler and the speech extras library. File
// dialogs answer with the paths a test lines up (an empty one, or none left, cancels) and
// note their titles. The editor opens hidden, makes hidden recorders, and on request
// makes sounds whose duration reads 0 (so that it times them by playing) or that loop.
#include "application/CommonDialogsWin32.h"
#include "application/KDialogHandler.h"
#include "foundation/KVariable.h"
#include "multimedia/KSoundHiliteMarker.h"
#include "multimedia/KSpeechExceptionsFile.h"
#include "multimedia/MultimediaClasses.h"
#include "speechextras/KSoundHiliteEditorDialog.h"
#include "speechextras/KSoundHiliteFile.h"
#include "speechextras/KSpeechExtrasLibrary.h"
#include "speechextras/SoundHiliteMarkers.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/multimedia/RecordingTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <commdlg.h>

#include <cstring>

class HiddenRecorder : public KSoundRecordDialog {
public:
    void open(uint8) override { KSoundRecordDialog::open(KWindow::OpenHidden); }
};

// A sound that reads no duration and plays for Length ms of the tests' clock.
class ClockedSound : public KSound {
public:
    explicit ClockedSound(uint32 Length) : m_length(Length) {}
    double getDuration() override { return 0; }
    void play() override
    {
        m_start = knsGetTicks();
        m_playing = true;
    }
    bool isPlaying() override { return m_playing && knsGetTicks() - m_start < m_length; }
    void stop() override { m_playing = false; }

private:
    uint32 m_length;
    uint32 m_start = 0;
    bool m_playing = false;
};

class TestEditor : public KSoundHiliteEditorDialog {
public:
    void open(uint8) override { KSoundHiliteEditorDialog::open(KWindow::OpenHidden); }
    KSoundPtr makeSound() override
    {
        lastSound = clockedLength > 0 ? new ClockedSound(clockedLength) : new KSound;
        if (timedByPlaying)
            lastSound->setStreamingMode(kStreamingModeBuffer);
        if (looping)
            lastSound->setMediaFlags(KAbstractMedia::LoopFlag);
        return lastSound;
    }
    KSoundRecordDialogPtr makeRecorder() override { return new HiddenRecorder; }

    bool timedByPlaying = false;
    bool looping = false;
    uint32 clockedLength = 0;
    KSoundPtr lastSound;
};
K_POINTER_CLASS(TestEditor, KSoundHiliteEditorDialogPtr);

class EditorScope : public RecordingScope {
public:
    EditorScope()
    {
        for (const char* extension : {"AIF", "AIFF", "MP3", "MIDI", "MID"}) {
            if (!KFileTypeHandler::hasExtension(KString(extension)))
                KFileTypeHandler::makeAssociation(KString(extension), KString("TVOD"), KString(extension), KString(extension));
        }
        KSpeechExceptionsFile::setDataFolder(KDirectory(windowsPath(folder.path() + "\\")));
        KDialogHandler::initDialogHandler();
        KSpeechExtrasLibrary::create();
        CommonDialogAnswersWin32 dialogs;
        dialogs.openFile = dialogs.saveFile = [this](void* Record) {
            auto& record = *static_cast<OPENFILENAMEA*>(Record);
            titles.push_back(record.lpstrTitle ? record.lpstrTitle : "");
            const std::string chosen = answers.empty() ? "" : answers.front();
            if (!answers.empty())
                answers.erase(answers.begin());
            std::strcpy(record.lpstrFile, chosen.c_str());
            return !chosen.empty();
        };
        setCommonDialogAnswersWin32(dialogs);
    }
    ~EditorScope()
    {
        setCommonDialogAnswersWin32({});
        KSpeechExtrasLibrary::release();
        KDialogHandler::exitDialogHandler();
        KSpeechExceptionsFile::setDataFolder(KDirectory());
    }

    // Given the reading, when there is one; the box of every opening is checked.
    TestEditorPtr open(KSoundHiliteMedia* Media = nullptr)
    {
        TestEditorPtr editor = new TestEditor;
        if (Media) {
            KVariablePtr variable = new KVariable;
            variable->setObject(*Media);
            editor->addNamedObject(*variable, KString(KSoundHiliteEditorDialog::kMediaName));
        }
        ReportCatcher catcher;
        editor->open(KWindow::OpenShown);
        EXPECT_EQ(catcher.boxes().size(), 1u);
        EXPECT_EQ(catcher.boxes().at(0).caption + " " + catcher.boxes().at(0).text,
                  "Not Yet Implemented! Mode 'UseFileDialogs' Must Be Updated!");
        return editor;
    }

    TemporaryFolder folder;
    std::vector<std::string> answers;
    std::vector<std::string> titles;
};

// "word@time" for each marker, "*" after a selected one.
inline std::string markersOf(const KBag& Markers)
{
    std::string text;
    for (long i = 0; i < Markers.getCount(); ++i) {
        const KSoundHiliteMarker& m = SoundHiliteMarkers::at(Markers, i);
        text += (i ? " " : "") + std::string(m.getWord().getText()) + "@" + std::to_string(m.getTime())
            + (m.isSelected() ? "*" : "");
    }
    return text;
}
