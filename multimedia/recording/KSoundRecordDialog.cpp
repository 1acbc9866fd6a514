#include "multimedia/recording/KSoundRecordDialog.h"

#include "application/KApplication.h"
#include "application/KControlActionEvent.h"
#include "application/KDialogHandler.h"
#include "controls/KControlsLayer.h"
#include "foundation/KFileReference.h"
#include "foundation/KFileSystem.h"
#include "foundation/KVariable.h"
#include "multimedia/KTimerRelay.h"
#include "multimedia/recording/KEditSoundNameDialog.h"
#include "multimedia/recording/KSoundRecorder.h"
#include "multimedia/recording/RecordedSoundFiles.h"
#include "multimedia/recording/RecordingTexts.h"

#include <string>

namespace {
constexpr long kSecond = 1000;
constexpr short kMargin = 16;
constexpr short kButtonRowMargin = 36;
const char* const kRecordedSound = "Recorded Sound";

KControl& controlOf(KThing& Button) { return static_cast<KControl&>(Button); }

void removeFrom(KDialog& Dialog, KControl* Control)
{
    if (Control && Dialog.hasControl(*Control))
        Dialog.removeControl(*Control);
}
} // namespace

K_DEFINE_CLASS(KSoundRecordDialog, KDialog, 1)

KSoundRecordDialog::KSoundRecordDialog()
    : m_warningTitle(RecordingTexts::get("Warning!"))
    , m_warningText(RecordingTexts::get("This sound already exists. Are you sure you want to overwrite it?"))
    , m_soundName(RecordingTexts::get(kRecordedSound))
{
    KFileSystem& fileSystem = KFileSystem::getFileSystem();
    if (kIsNullReference(&fileSystem))
        return;
    m_recordingPath = fileSystem.temporaryDirectory.getPath();
    KString unique;
    m_recordingPath.setName(fileSystem.makeUniqueNumber(unique));
    m_recordingPath.setExtension(recordableExtension());
    m_directory = fileSystem.musicDirectory;
}

KSoundRecordDialog::~KSoundRecordDialog()
{
    if (m_timer.hasObject(nullptr))
        m_timer->stop();
}

void KSoundRecordDialog::setSourcePopUp(KPopUpListControl& C) { m_sourcePopUp = C; }
void KSoundRecordDialog::resetSourcePopUp() { m_sourcePopUp.reset(); }
void KSoundRecordDialog::setQualityPopUp(KPopUpListControl& C) { m_qualityPopUp = C; }
void KSoundRecordDialog::resetQualityPopUp() { m_qualityPopUp.reset(); }
void KSoundRecordDialog::setRecordButton(KPushButtonControl& C) { m_recordButton = C; }
void KSoundRecordDialog::resetRecordButton() { m_recordButton.reset(); }
void KSoundRecordDialog::setPlayButton(KPushButtonControl& C) { m_playButton = C; }
void KSoundRecordDialog::resetPlayButton() { m_playButton.reset(); }
void KSoundRecordDialog::setStopButton(KPushButtonControl& C) { m_stopButton = C; }
void KSoundRecordDialog::resetStopButton() { m_stopButton.reset(); }
void KSoundRecordDialog::setLevelMeter(KLevelMeterControl& C) { m_levelMeter = C; }
void KSoundRecordDialog::resetLevelMeter() { m_levelMeter.reset(); }
void KSoundRecordDialog::setTimeText(KStaticTextNativeControl& C) { m_timeText = C; }
void KSoundRecordDialog::resetTimeText() { m_timeText.reset(); }
void KSoundRecordDialog::setSound(KSound& S) { m_sound = S; }
void KSoundRecordDialog::resetSound() { m_sound.reset(); }
void KSoundRecordDialog::setTimer(KTimer& T) { m_timer = T; }
void KSoundRecordDialog::resetTimer() { m_timer.reset(); }

void KSoundRecordDialog::open(uint8 Mode)
{
    setTitle(RecordingTexts::get("Record Sound"));
    setBounds(KGraphicRectangle(0, 0, 350, 250));
    center();
    // A dialog opened again builds its controls afresh, not a second set over the first.
    dropOwnControls();
    const struct {
        void (KSoundRecordDialog::*set)(KPushButtonControl&);
        const char* title;
        KGraphicRectangle bounds;
    } buttons[] = {
        {&KSoundRecordDialog::setRecordButton, "Record", KGraphicRectangle(16, 16, 85, 20)},
        {&KSoundRecordDialog::setPlayButton, "Play", KGraphicRectangle(109, 16, 80, 20)},
        {&KSoundRecordDialog::setStopButton, "Stop", KGraphicRectangle(197, 16, 80, 20)},
    };
    for (const auto& b : buttons) {
        KPushButtonControlPtr button = new KPushButtonControl;
        button->setTitle(RecordingTexts::get(b.title));
        button->setBounds(b.bounds);
        (this->*b.set)(*button);
        addElement(*button);
    }
    m_playButton->disable();
    m_stopButton->disable();
    KStaticTextNativeControlPtr time = new KStaticTextNativeControl;
    time->setBounds(KGraphicRectangle(285, 18, 60, 20));
    setTimeText(*time);
    addElement(*time);
    m_elapsedTime = 0;
    showElapsedTime();

    KGraphicRectangle area = getControlsLayer().getBounds();
    area.expand(kMargin, kButtonRowMargin);
    setBounds(area);
    center();

    if (m_timer.hasObject(nullptr))
        m_timer->stop();
    KTimerPtr timer = new KTimer;
    timer->setPeriod(kSecond);
    timer->setRepeating(true);
    // The relay keeps the timer from holding the dialog alive.
    timer->setTarget(*new KTimerRelay(*this));
    setTimer(*timer);

    KSoundRecorder::getInstance().open(KString());
    if (KApplication* application = KApplication::getApplication())
        application->addIdleHandler(*this);
    m_active = true;
    KDialog::open(Mode);
}

void KSoundRecordDialog::dropOwnControls()
{
    removeFrom(*this, m_recordButton.get());
    removeFrom(*this, m_playButton.get());
    removeFrom(*this, m_stopButton.get());
    removeFrom(*this, m_timeText.get());
}

void KSoundRecordDialog::close()
{
    if (m_active)
        cancel();
    KDialog::close();
}

void KSoundRecordDialog::doTimer(KTimer& T)
{
    if (&T != m_timer.get())
        return;
    m_elapsedTime += kSecond;
    showElapsedTime();
}

void KSoundRecordDialog::periodicTask()
{
    if (hasLevelMeter())
        m_levelMeter->setLevel(KSoundRecorder::getInstance().getLevel());
    if (hasSound() && !m_sound->isPlaying()) {
        m_sound->unload();
        resetSound();
        setButtons(true, true, false, true);
    }
}

bool KSoundRecordDialog::handleControlAction(KControlActionEvent& E)
{
    if (!E.hasSource())
        return false;
    KThing* source = &E.getSource();
    if (auto* popUp = dynamic_cast<KPopUpListControl*>(source))
        return choose(*popUp);
    if (!dynamic_cast<KPushButtonControl*>(source))
        return false;
    if (hasOKButton() && source == &getOKButton())
        return accept();
    if (hasCancelButton() && source == &getCancelButton())
        return cancel();
    if (source == m_recordButton.get())
        return record();
    if (source == m_stopButton.get())
        return stop();
    if (source == m_playButton.get())
        return play();
    return false;
}

bool KSoundRecordDialog::choose(KPopUpListControl& PopUp)
{
    KSoundRecorder& recorder = KSoundRecorder::getInstance();
    if (&PopUp == m_sourcePopUp.get()) {
        recorder.close();
        recorder.open(PopUp.getSelectedItem());
    } else if (&PopUp == m_qualityPopUp.get()) {
        recorder.setQuality(static_cast<uint8>(PopUp.getValue() - 1));
    }
    return true;
}

bool KSoundRecordDialog::record()
{
    KSoundRecorder& recorder = KSoundRecorder::getInstance();
    if (recorder.isRecording() || hasSound())
        return true;
    recorder.startRecording(KFileReference(m_recordingPath));
    // Without a device nothing records, and the dialog must not pretend that it does.
    if (!recorder.isRecording())
        return true;
    m_elapsedTime = 0;
    showElapsedTime();
    m_timer->start();
    setButtons(false, false, true, false);
    return true;
}

bool KSoundRecordDialog::stop()
{
    if (KSoundRecorder::getInstance().isRecording() || hasSound()) {
        stopTake();
        setButtons(true, true, false, true);
    }
    enableStandardButtons(true);
    return true;
}

bool KSoundRecordDialog::play()
{
    if (KSoundRecorder::getInstance().isRecording() || hasSound())
        return true;
    KSoundPtr sound = new KSound;
    sound->createFromFile(KFileReference(m_recordingPath));
    setSound(*sound);
    sound->load();
    sound->play();
    setButtons(false, false, true, false);
    return true;
}

bool KSoundRecordDialog::accept()
{
    stopTake();
    // Without a take there is nothing to keep: the caller must not be told of a sound.
    if (!KFileReference(m_recordingPath).exists()) {
        finish();
        setResult(CancelResult);
        KDialog::close();
        return true;
    }
    return !(m_option != NameOption ? saveThroughFileDialog() : saveUnderNewName());
}

bool KSoundRecordDialog::saveThroughFileDialog()
{
    KFileReference file = recordedSoundFile(m_directory, RecordingTexts::get(kRecordedSound));
    KDialogHandler& handler = KDialogHandler::getDialogHandler();
    handler.setDefaultDirectory(m_directory);
    KFileTypePtr type = recordableFileType();
    const bool chosen = type.hasObject(nullptr) ? handler.getSaveFileOfType(file, *type, KString())
                                                : handler.getSaveFile(file, KBag(), KString());
    return chosen && keep(file);
}

bool KSoundRecordDialog::saveUnderNewName()
{
    KString name = m_soundName;
    for (long number = 2; recordedSoundFile(m_directory, name).exists(); ++number) {
        name = m_soundName;
        name += "-";
        name += std::to_string(number).c_str();
    }
    m_soundName = name;
    KEditSoundNameDialogPtr ask = new KEditSoundNameDialog;
    ask->setWarningTitle(m_warningTitle);
    ask->setWarningText(m_warningText);
    ask->setDirectory(m_directory);
    KString accepted = m_soundName;
    if (!ask->run(accepted))
        return false;
    KFileReference file = recordedSoundFile(m_directory, accepted);
    // The user agreed to overwrite it.
    if (file.exists())
        file.remove();
    m_soundName = accepted;
    return keep(file);
}

bool KSoundRecordDialog::keep(const KFileReference& File)
{
    KFileReference(m_recordingPath).copyAndRename(File.getPath());
    KVariablePtr variable = new KVariable;
    variable->setObject(*new KFileReference(File));
    addNamedObject(*variable, KString(kRecordedSound));
    finish();
    return true;
}

bool KSoundRecordDialog::cancel()
{
    stopTake();
    finish();
    return false;
}

void KSoundRecordDialog::stopTake()
{
    KSoundRecorder& recorder = KSoundRecorder::getInstance();
    if (recorder.isRecording())
        recorder.stopRecording();
    if (m_timer.hasObject(nullptr))
        m_timer->stop();
    stopSound();
}

void KSoundRecordDialog::stopSound()
{
    if (!hasSound())
        return;
    KSoundPtr sound = m_sound;
    resetSound();
    sound->stop();
    sound->unload();
}

void KSoundRecordDialog::finish()
{
    KFileReference take(m_recordingPath);
    if (take.exists())
        take.remove();
    if (KApplication* application = KApplication::getApplication())
        application->removeIdleHandler(*this);
    m_active = false;
}

void KSoundRecordDialog::setButtons(bool Record, bool Play, bool Stop, bool OKAndCancel)
{
    const std::pair<KControl*, bool> states[] = {
        {m_recordButton.get(), Record},
        {m_playButton.get(), Play},
        {m_stopButton.get(), Stop},
    };
    for (const auto& [control, on] : states) {
        if (control)
            control->enable(on);
    }
    enableStandardButtons(OKAndCancel);
}

void KSoundRecordDialog::enableStandardButtons(bool On)
{
    if (hasOKButton())
        controlOf(getOKButton()).enable(On);
    if (hasCancelButton())
        controlOf(getCancelButton()).enable(On);
}

void KSoundRecordDialog::showElapsedTime()
{
    if (!hasTimeText())
        return;
    KString text;
    text.setTime(static_cast<unsigned long>(m_elapsedTime), KString("hms"));
    m_timeText->setText(text);
}
