#include "speechextras/KSoundHiliteEditorDialog.h"

#include "application/KApplication.h"
#include "application/KControlActionEvent.h"
#include "application/KDialogHandler.h"
#include "application/KMouseEvent.h"
#include "application/KWindowEvent.h"
#include "foundation/KFileType.h"
#include "foundation/KFileTypeHandler.h"
#include "foundation/KVariable.h"
#include "foundation/KernelFunctions.h"
#include "multimedia/KMediaFeedbackEvent.h"
#include "multimedia/KSoundHiliteMarker.h"
#include "multimedia/soundengine/KSoundSupport.h"
#include "speechextras/KSoundHiliteFile.h"
#include "speechextras/KSpeechExtrasLibrary.h"
#include "speechextras/SoundHiliteMarkers.h"

#include <algorithm>
#include <climits>

namespace {
constexpr uint8 kYes = 2;
constexpr uint32 kShiftModifier = 0x1;
constexpr short kLabelWidth = 60;
constexpr short kFrameHeight = 300;
const char* const kRecordedSound = "Recorded Sound";
const char* const kRelocateTitle = "Please, Relocate Sound";
// Keys the library's table lacks: they read as themselves in every language.
const char* const kSelectSoundTitle = "Select Sound";
const char* const kUnreadableFile = "This file cannot be read as a Sound Highlight Information File.";
const char* const kUnwrittenFile = "The Sound Highlight Information File could not be saved.";
const char* const kFileDialogsNotice = "Mode 'UseFileDialogs' Must Be Updated!";

KGraphicRectangle& rememberedFrame()
{
    static KGraphicRectangle frame(100, 100, 610, kFrameHeight);
    return frame;
}

// The framework's localiser, for the texts of opening.
KString applicationText(const char* Key)
{
    KApplication* application = KApplication::getApplication();
    return application && application->hasLocalizer() ? application->getLocalizer().getText(KString(Key)) : KString(Key);
}

KBagPtr playableSoundTypes()
{
    return KSoundSupport::exists() ? KSoundSupport::getInstance().getPlayableFileTypes() : KBagPtr(new KBag);
}

bool namesAFile(const KFileReference& File) { return !File.getPath().isEmpty(); }

// Two digits, "0" in front of one.
KString twoDigits(long Value)
{
    KString text;
    text.setNumber(Value);
    text.padLeft('0', 2);
    return text;
}
} // namespace

K_DEFINE_CLASS(KSoundHiliteEditorDialog, KDialog, 1)

KSoundHiliteEditorDialog::KSoundHiliteEditorDialog()
    : m_timelineArea(kTimelineLeft, kTimelineTop, SoundHiliteTimeline::kVisibleWidth, SoundHiliteTimeline::kHeight)
{
    KGraphicRectangle& frame = rememberedFrame();
    frame.setHeight(kFrameHeight);
    setBounds(frame);
    setTitle(localized("Sound Highlight Editor"));

    m_textField = new KLabelEditTextControl;
    m_textField->setLabel(localized("Text:"));
    m_textField->setLabelWidth(kLabelWidth);
    m_textField->setBounds(KGraphicRectangle(10, 10, 490, 90));
    addElement(*m_textField);
    const struct {
        KPushButtonControlPtr* button;
        const char* title;
        KGraphicRectangle bounds;
    } buttons[] = {
        {&m_selectButton, "Select...", KGraphicRectangle(520, 40, 80, 20)},
        {&m_recordButton, "Record...", KGraphicRectangle(520, 70, 80, 20)},
        {&m_updateButton, "Update", KGraphicRectangle(520, 10, 80, 20)},
        {&m_playButton, "Play", KGraphicRectangle(520, 240, 80, 20)},
        {&m_mergeButton, "Merge", KGraphicRectangle(430, 240, 80, 20)},
        {&m_saveButton, "Save...", KGraphicRectangle(340, 240, 80, 20)},
        {&m_loadButton, "Load...", KGraphicRectangle(250, 240, 80, 20)},
    };
    for (const auto& b : buttons) {
        *b.button = new KPushButtonControl;
        (*b.button)->setTitle(localized(b.title));
        (*b.button)->setBounds(b.bounds);
        addElement(**b.button);
    }
    m_loopingBox = new KCheckBoxControl;
    m_loopingBox->setTitle(localized("Looping"));
    m_loopingBox->setBounds(KGraphicRectangle(120, 240, 120, 20));
    addElement(*m_loopingBox);
    m_elapsedTimeLabel = new KStaticTextNativeControl;
    m_elapsedTimeLabel->setBounds(KGraphicRectangle(10, 240, 100, 20));
    addElement(*m_elapsedTimeLabel);
    m_scrollBar = new KScrollBarControl;
    m_scrollBar->setMinimum(0);
    m_scrollBar->setMaximum(0);
    m_scrollBar->setBounds(KGraphicRectangle(10, 220, SoundHiliteTimeline::kVisibleWidth, 16));
    addElement(*m_scrollBar);

    m_timeline.rebuild(0);
    renderTimeline();
    m_media = new KSoundHiliteMedia;
}

KSoundHiliteEditorDialog::~KSoundHiliteEditorDialog()
{
    if (m_measuringTimer.hasObject(nullptr))
        m_measuringTimer->stop();
}

const KGraphicRectangle& KSoundHiliteEditorDialog::getRememberedFrame() { return rememberedFrame(); }

KString KSoundHiliteEditorDialog::localized(const char* Key) const
{
    if (!KSpeechExtrasLibrary::hasLibrary())
        return KString(Key);
    return KSpeechExtrasLibrary::getLibrary().getLocalizer().getText(KString(Key));
}

bool KSoundHiliteEditorDialog::askToProceed(const char* Question) const
{
    return knsQuestionBox(localized("Warning!"), localized(Question)) == kYes;
}

KSoundPtr KSoundHiliteEditorDialog::makeSound() { return new KSound; }
KSoundRecordDialogPtr KSoundHiliteEditorDialog::makeRecorder() { return new KSoundRecordDialog; }

// ---------------------------------------------------------------------------------------
// Opening and closing

void KSoundHiliteEditorDialog::open(uint8 Mode)
{
    const KString name(kMediaName);
    if (hasNamedObject(name)) {
        auto* variable = dynamic_cast<KVariable*>(&getNamedObject(name));
        if (auto* media = variable ? dynamic_cast<KSoundHiliteMedia*>(variable->getObject()) : nullptr)
            takeMedia(*media);
    }
    knsNotYetImplemented(applicationText(kFileDialogsNotice).getText());
    KDialog::open(Mode);
    KApplication* application = KApplication::getApplication();
    if (application && isOpen())
        application->addIdleHandler(*this);
}

void KSoundHiliteEditorDialog::takeMedia(KSoundHiliteMedia& Media)
{
    m_media = Media;
    getTextField().setText(Media.getText());
    m_soundFile = Media.getSoundFile();
    relocateSound(applicationText(kRelocateTitle));
    if (m_soundFile.exists())
        m_soundLength = readSoundLength(m_soundFile, false);
    takeMarkersFrom(Media);
    if (m_markers.getCount() > 0) {
        showWholeTimeline();
    } else if (m_soundLength > 0) {
        buildMarkersFromText();
        rebuildTimeline();
    }
}

void KSoundHiliteEditorDialog::relocateSound(const KString& Title)
{
    if (!namesAFile(m_soundFile) || m_soundFile.exists() || !KDialogHandler::exists())
        return;
    KFileReference found(m_soundFile);
    if (KDialogHandler::getDialogHandler().getOpenFile(found, *playableSoundTypes(), Title))
        m_soundFile = found;
}

void KSoundHiliteEditorDialog::takeMarkersFrom(const KSoundHiliteMedia& Media)
{
    m_markers.clear();
    const KBag& markers = Media.getMarkers();
    for (long i = 0; i < markers.getCount(); ++i) {
        KSoundHiliteMarkerPtr copy = new KSoundHiliteMarker(SoundHiliteMarkers::at(markers, i));
        if (copy.hasObject(nullptr))
            m_markers.add(*copy);
    }
    m_draggedMarker = -1;
}

void KSoundHiliteEditorDialog::showWholeTimeline()
{
    rebuildTimeline();
    deselectAllMarkers();
    renderTimeline();
    drawTimeline();
}

void KSoundHiliteEditorDialog::close()
{
    if (m_media.hasObject(nullptr)) {
        stopPlaying();
        // The reading goes on being heard by whoever takes it next, not by a closed editor.
        m_media->getReceivers().remove(*this);
    }
    if (KApplication* application = KApplication::getApplication())
        application->removeIdleHandler(*this);
    KDialog::close();
}

uint8 KSoundHiliteEditorDialog::closeRequest(KWindowEvent& E)
{
    return m_measuring ? 0 : KDialog::closeRequest(E);
}

// ---------------------------------------------------------------------------------------
// The commands

bool KSoundHiliteEditorDialog::handleControlAction(KControlActionEvent& E)
{
    if (!E.hasSource())
        return false;
    const KThing* source = &E.getSource();
    const bool fromScrollBar = source == m_scrollBar.get();
    if (E.getType() == KControlActionEvent::Drag) {
        if (fromScrollBar)
            drawTimeline();
        return fromScrollBar;
    }
    if (E.getType() != KControlActionEvent::Done)
        return false;
    // A sound being timed plays inside one of the commands: none may start over it, and
    // the dialog may not close under it.
    if (m_measuring && !fromScrollBar)
        return true;
    if (hasOKButton() && source == &getOKButton()) {
        accept();
        return false;
    }
    if (hasCancelButton() && source == &getCancelButton()) {
        cancel();
        return false;
    }
    const struct {
        const KThing* control;
        void (KSoundHiliteEditorDialog::*command)();
        bool handled;
    } commands[] = {
        {m_selectButton.get(), &KSoundHiliteEditorDialog::selectSound, true},
        {m_recordButton.get(), &KSoundHiliteEditorDialog::recordSound, true},
        {m_mergeButton.get(), &KSoundHiliteEditorDialog::mergeMarkers, true},
        {m_saveButton.get(), &KSoundHiliteEditorDialog::save, false},
        {m_loadButton.get(), &KSoundHiliteEditorDialog::load, false},
        {m_playButton.get(), &KSoundHiliteEditorDialog::togglePlay, true},
        {m_scrollBar.get(), &KWindow::invalidate, true},
        {m_updateButton.get(), &KSoundHiliteEditorDialog::update, true},
    };
    for (const auto& c : commands) {
        if (source == c.control) {
            (this->*c.command)();
            return c.handled;
        }
    }
    return false;
}

void KSoundHiliteEditorDialog::accept()
{
    cancel();
    handOver();
    KVariablePtr variable = new KVariable;
    variable->setObject(*m_media);
    addNamedObject(*variable, KString(kMediaName));
}

void KSoundHiliteEditorDialog::cancel()
{
    stopPlaying();
    rememberedFrame() = getBounds();
    if (KApplication* application = KApplication::getApplication())
        application->removeIdleHandler(*this);
}

void KSoundHiliteEditorDialog::handOver()
{
    m_media->setText(getTextField().getText());
    m_media->setMarkers(m_markers);
    m_media->setSoundFile(m_soundFile);
}

void KSoundHiliteEditorDialog::selectSound()
{
    if (!askToProceed("Selecting a new sound will clear any edited markers. Are you sure to proceed?"))
        return;
    stopPlaying();
    if (!KDialogHandler::exists())
        return;
    KFileReference chosen(m_soundFile);
    if (KDialogHandler::getDialogHandler().getOpenFile(chosen, *playableSoundTypes(), localized(kSelectSoundTitle)))
        adoptSound(chosen);
}

void KSoundHiliteEditorDialog::recordSound()
{
    if (!askToProceed("Recording a new sound will clear any edited markers. Are you sure to proceed?"))
        return;
    stopPlaying();
    KSoundRecordDialogPtr recorder = makeRecorder();
    if (!recorder.hasObject(nullptr))
        return;
    const KString name(kRecordedSound);
    KVariablePtr recorded = new KVariable;
    recorded->setObject(*new KFileReference);
    recorder->addNamedObject(*recorded, name);
    if (recorder->runModal(OpenShown) != OKResult || !recorder->hasNamedObject(name))
        return;
    auto* variable = dynamic_cast<KVariable*>(&recorder->getNamedObject(name));
    if (auto* file = variable ? dynamic_cast<KFileReference*>(variable->getObject()) : nullptr)
        adoptSound(*file);
}

void KSoundHiliteEditorDialog::adoptSound(const KFileReference& File)
{
    m_soundFile = File;
    m_soundLength = readSoundLength(m_soundFile, true);
    if (!getTextField().getText().isEmpty()) {
        buildMarkersFromText();
        rebuildTimeline();
    } else {
        // The markers stay, on a grid of the new length.
        renderTimeline();
    }
}

bool KSoundHiliteEditorDialog::chooseFile(bool ToSave, const KString& Title, KFileReference& File) const
{
    const KString extension(KSoundHiliteFile::kExtension);
    if (!KDialogHandler::exists() || !KFileTypeHandler::hasExtension(extension))
        return false;
    KDialogHandler& handler = KDialogHandler::getDialogHandler();
    const KFileType& type = KFileTypeHandler::getAssociationByExtension(extension);
    return ToSave ? handler.getSaveFileOfType(File, type, Title) : handler.getOpenFileOfType(File, type, Title);
}

void KSoundHiliteEditorDialog::save()
{
    KFileReference file;
    const KString title = localized("Save SHI File");
    if (!chooseFile(true, title, file))
        return;
    handOver();
    if (!KSoundHiliteFile::save(file, m_soundLength, *m_media))
        knsMessageBox(title, localized(kUnwrittenFile));
}

void KSoundHiliteEditorDialog::load()
{
    KFileReference file;
    const KString title = localized("Load SHI File");
    if (!chooseFile(false, title, file))
        return;
    // The file layer takes nothing from a file it refuses.
    if (!KSoundHiliteFile::load(file, m_soundLength, *m_media)) {
        knsMessageBox(title, localized(kUnreadableFile));
        return;
    }
    getTextField().setText(m_media->getText());
    m_soundFile = m_media->getSoundFile();
    relocateSound(localized(kRelocateTitle));
    takeMarkersFrom(*m_media);
    showWholeTimeline();
}

void KSoundHiliteEditorDialog::togglePlay()
{
    if (m_media->isPlaying()) {
        stopPlaying();
        return;
    }
    deselectAllMarkers();
    renderTimeline();
    drawTimeline();
    m_media->getReceivers().clear();
    m_media->getReceivers().add(*this);
    handOver();
    // The clock shows only with the media's time feedback on.
    m_media->setMediaFlags(KAbstractMedia::FeedbackFlag);
    startMedia();
    getPlayButton().setTitle(localized("Stop"));
    getElapsedTimeLabel().setText(KString());
    m_playing = 1;
}

void KSoundHiliteEditorDialog::startMedia()
{
    // A sound chosen or loaded since the last play is taken afresh.
    m_media->unload();
    m_media->play();
}

void KSoundHiliteEditorDialog::stopPlaying()
{
    if (m_media->isPlaying()) {
        m_media->stop();
        deselectAllMarkers();
        renderTimeline();
        drawTimeline();
    }
    if (m_playing != 0)
        endPlaying();
}

void KSoundHiliteEditorDialog::endPlaying()
{
    getPlayButton().setTitle(localized("Play"));
    m_playing = 0;
}

void KSoundHiliteEditorDialog::update()
{
    if (askToProceed("Updating will clear any edited markers. Are you sure you want to proceed?") && m_soundLength > 0) {
        buildMarkersFromText();
        rebuildTimeline();
    }
}

long KSoundHiliteEditorDialog::readSoundLength(const KFileReference& File, bool MayMeasure)
{
    KSoundPtr sound = makeSound();
    if (!sound.hasObject(nullptr))
        return 0;
    sound->createFromFile(File);
    sound->load();
    const double milliseconds = sound->getDuration() * 1000.0;
    long length = milliseconds >= 1.0 && milliseconds < static_cast<double>(LONG_MAX) ? static_cast<long>(milliseconds) : 0;
    if (length == 0 && MayMeasure)
        length = measureByPlaying(*sound);
    sound->stop();
    sound->unload();
    return length;
}

long KSoundHiliteEditorDialog::measureByPlaying(KSound& Sound)
{
    KApplication* application = KApplication::getApplication();
    if (!application || m_measuring)
        return 0;
    KSoundHiliteEditorDialogPtr hold(isOnHeap() ? this : nullptr);
    m_measuringTimer = new KTimer;
    m_measuringTimer->setPeriod(kLongestMeasure);
    m_measuringTimer->setRepeating(false);
    m_measuring = true;
    Sound.play();
    m_measuringTimer->start();
    // The loop steps on so that the user interface stays alive, and ends with the sound,
    // at the latest after the longest measure, or when the application is told to quit.
    // Nothing announces the sound's end, so each step waits for a message or a timer, or
    // at most a poll period, rather than spinning a core for as long as the sound plays.
    const bool wasRunning = application->isRunning();
    while (Sound.isPlaying() && m_measuringTimer->isRunning() && m_measuringTimer->getElapsed() < kLongestMeasure
           && application->isRunning() == wasRunning)
        application->processWaitingOnce(kMeasurePollPeriod);
    const long elapsed = m_measuringTimer->isRunning() ? m_measuringTimer->getElapsed() : kLongestMeasure;
    m_measuringTimer->stop();
    m_measuring = false;
    return std::clamp(elapsed, 0L, kLongestMeasure);
}

// ---------------------------------------------------------------------------------------
// The markers and the time line

void KSoundHiliteEditorDialog::buildMarkersFromText()
{
    if (SoundHiliteMarkers::buildFromText(getTextField().getText(), m_soundLength, m_markers))
        m_draggedMarker = -1;
}

void KSoundHiliteEditorDialog::rebuildTimeline()
{
    m_timeline.rebuild(m_markers.getCount());
    getScrollBar().setValue(0, true);
    getScrollBar().setMinimum(0);
    getScrollBar().setMaximum(m_timeline.getScrollRange());
    renderTimeline();
}

void KSoundHiliteEditorDialog::renderTimeline()
{
    if (!m_timeline.hasImage())
        return;
    m_timeline.render(m_markers, m_soundLength);
    invalidate();
}

void KSoundHiliteEditorDialog::drawTimeline()
{
    m_timeline.drawVisible(*this, getScrollBar().getValue(), m_timelineArea);
}

bool KSoundHiliteEditorDialog::draw(KWindowEvent&)
{
    drawTimeline();
    return false;
}

long KSoundHiliteEditorDialog::countSelectedMarkers() const { return SoundHiliteMarkers::countSelected(m_markers); }
void KSoundHiliteEditorDialog::deselectAllMarkers() { SoundHiliteMarkers::deselectAll(m_markers); }

void KSoundHiliteEditorDialog::mergeMarkers()
{
    long first = -1;
    long last = -1;
    const SoundHiliteMarkers::Selection selection = SoundHiliteMarkers::findSelectedRun(m_markers, first, last);
    if (selection == SoundHiliteMarkers::Scattered) {
        knsMessageBox(localized("Merge not possible!"), localized("Merge can be performed only on contiguous markers"));
        return;
    }
    if (selection != SoundHiliteMarkers::Contiguous
        || knsQuestionBox(localized("Merging..."),
                          localized("Are you sure you want to merge the selected markers? This operation is not undoable."))
            != kYes)
        return;
    SoundHiliteMarkers::merge(m_markers, first, last, getTextField().getText().getLength());
    m_draggedMarker = -1;
    renderTimeline();
    drawTimeline();
}

long KSoundHiliteEditorDialog::imageX(short WindowX) const
{
    return WindowX - m_timelineArea.getH() + getScrollBar().getValue();
}

KEventReturn KSoundHiliteEditorDialog::mouseDown(KMouseEvent& E)
{
    const KGraphicPoint& p = E.getLocalPosition();
    if (!m_timelineArea.contains(p))
        return 0;
    const KGraphicPoint point(static_cast<short>(imageX(p.getH())), static_cast<short>(p.getV() - m_timelineArea.getV()));
    if ((E.getModifiers() & kShiftModifier) == 0)
        deselectAllMarkers();
    const KGraphicRectangle track = m_timeline.getTrack();
    for (long i = 0; i < m_markers.getCount(); ++i) {
        KSoundHiliteMarker& marker = SoundHiliteMarkers::at(m_markers, i);
        if (!marker.getMarkerRect(track, m_soundLength).contains(point))
            continue;
        marker.setSelected(1);
        renderTimeline();
        if (countSelectedMarkers() != 1)
            return 1;
        // The window follows the drag even outside itself until the button comes up.
        m_draggedMarker = i;
        return 4;
    }
    renderTimeline();
    return 0;
}

KEventReturn KSoundHiliteEditorDialog::mouseMove(KMouseEvent& E)
{
    if (m_draggedMarker < 0 || m_draggedMarker >= m_markers.getCount())
        return 0;
    const long time = SoundHiliteTimeline::timeAtX(imageX(E.getLocalPosition().getH()), m_timeline.getWidth(), m_soundLength);
    long low = 0;
    long high = 0;
    SoundHiliteMarkers::dragLimits(m_markers, m_draggedMarker, m_soundLength, low, high);
    // A sound of unknown length has no time under the mouse.
    if (time >= 0 && low < time && time < high) {
        SoundHiliteMarkers::at(m_markers, m_draggedMarker).setTime(time);
        renderTimeline();
    }
    return 0;
}

KEventReturn KSoundHiliteEditorDialog::mouseUp(KMouseEvent&)
{
    m_draggedMarker = -1;
    renderTimeline();
    return 0;
}

// ---------------------------------------------------------------------------------------
// Following the reading

bool KSoundHiliteEditorDialog::handleEvent(KEvent& E)
{
    auto* feedback = dynamic_cast<KMediaFeedbackEvent*>(&E);
    if (!feedback)
        return false;
    long value = 0;
    if (feedback->findLong(KMediaFeedbackEvent::kWordStart, value)) {
        if (value == -1)
            return true;
        // A word that no marker starts leaves none lit: the last one heard goes dark too.
        deselectAllMarkers();
        const long heard = SoundHiliteMarkers::findWordStart(m_markers, value);
        if (heard >= 0)
            SoundHiliteMarkers::at(m_markers, heard).setSelected(1);
        renderTimeline();
        drawTimeline();
    } else if (feedback->findLong(KMediaFeedbackEvent::kElapsedTime, value)) {
        showElapsedTime(value);
    }
    return true;
}

void KSoundHiliteEditorDialog::showElapsedTime(long Milliseconds)
{
    const long t = std::max(0L, Milliseconds);
    KString text = twoDigits((t / 60000) % 60);
    text += ":";
    text += twoDigits((t / 1000) % 60);
    text += ":";
    text += twoDigits((t % 1000) / 10);
    getElapsedTimeLabel().setText(text);
}

void KSoundHiliteEditorDialog::periodicTask()
{
    if (m_measuring || m_playing == 0 || m_media->isPlaying())
        return;
    deselectAllMarkers();
    renderTimeline();
    drawTimeline();
    if (getLoopingBox().isSelected()) {
        m_media->stop();
        m_media->setMarkers(m_markers);
        startMedia();
        // A reading that cannot start again ends here rather than being retried forever.
        if (m_media->isPlaying())
            return;
    }
    endPlaying();
}
