#include "player/AdvancedPrefsDialog.h"

#include "application/KApplication.h"
#include "application/KControlActionEvent.h"
#include "foundation/KStringBag.h"
#include "foundation/KVariable.h"
#include "multimedia/KSpeechSupport.h"
#include "player/DialogPlace.h"
#include "player/LumoApplication.h"
#include "player/SliderPictures.h"
#include "tools/dialogs/NamedVariables.h"

namespace {
constexpr short kLeft = 16;
constexpr short kTop = 16;
constexpr short kWidth = 300;
constexpr short kLabelWidth = 45;
constexpr short kTryButtonWidth = 120;
constexpr short kSpacing = 14;
constexpr long kSlowest = 0;
constexpr long kFastest = 100;
constexpr long kSliderPage = 10;

const char* const kSpeechSpeed = "SpeechSpeed";
const char* const kCustomSpeechSpeed = "CustomSpeechSpeed";
const char* const kAllowDuplicatedActors = "AllowDuplicatedActors";


KString text(const char* Key) { return LumoApplication::localize(Key); }

// The installed voices, sorted; none when the system has no speech.
void listVoices(KStringBag& Voices)
{
    if (!KSpeechSupport::hasSpeechSupport())
        return;
    const KBag& installed = KSpeechSupport::getSpeechSupport().getVoices();
    for (long i = 0; i < installed.getCount(); ++i)
        Voices.add(static_cast<const KString&>(installed[i]));
    Voices.sort();
}

void below(KControl& Control, const KControl& Above) { Control.placeNextTo(Above, KControl::BelowLeft, kSpacing); }
} // namespace

K_DEFINE_CLASS(AdvancedPrefsDialog, KDialog, 1)

AdvancedPrefsDialog::AdvancedPrefsDialog()
{
    setTitle(text("Advanced Features"));

    m_customSpeed = new KCheckBoxControl;
    m_customSpeed->setBounds(KGraphicRectangle(kLeft, kTop, kWidth, m_customSpeed->getHeight()));
    m_customSpeed->setSelected(false);
    m_customSpeed->setTitle(text("Modify Standard Voice Speed"));

    m_speedLabel = new KStaticTextNativeControl;
    m_speedLabel->setWidth(kWidth);
    below(*m_speedLabel, *m_customSpeed);

    m_slider = new KGraphicSliderControl(kSlowEndPicture, kSlowEndMask, kFastEndPicture, kFastEndMask);
    m_slider->setMinimum(kSlowest);
    m_slider->setMaximum(kFastest);
    m_slider->setValue(kMiddleSpeed, false);
    m_slider->setPageSize(kSliderPage);
    m_slider->setWidth(kWidth);
    // The label follows the thumb while it is dragged.
    m_slider->getSlider().getActionMask().set(KControlActionEvent::Drag);
    below(*m_slider, *m_speedLabel);

    m_text = new KLabelEditTextControl;
    m_text->setWidth(kWidth);
    m_text->setLabelWidth(kLabelWidth);
    m_text->setLabel(text("Text") + ":");
    m_text->setText(text("Hello, I'm talking to you!"));
    below(*m_text, *m_slider);

    m_voices = new KLabelPopUpListControl;
    m_voices->setLabelWidth(kLabelWidth);
    m_voices->setWidth(kWidth);
    KStringBag voices;
    listVoices(voices);
    if (voices.getCount() > 0)
        m_voices->appendItems(voices);
    else
        m_voices->appendItem(KString(kFallbackVoice));
    const KString lastVoice = LumoApplication::getCurrentVoice();
    if (m_voices->hasItem(lastVoice))
        m_voices->selectItemText(lastVoice);
    m_voices->setLabel(text("Voice") + ":");
    below(*m_voices, *m_text);

    m_tryButton = new KPushButtonControl;
    m_tryButton->setTitle(text("Try Speed"));
    m_tryButton->setWidth(kTryButtonWidth);
    below(*m_tryButton, *m_voices);

    for (KControl* control : {static_cast<KControl*>(m_customSpeed.get()), static_cast<KControl*>(m_speedLabel.get()),
                              static_cast<KControl*>(m_slider.get()), static_cast<KControl*>(m_text.get()),
                              static_cast<KControl*>(m_voices.get()), static_cast<KControl*>(m_tryButton.get())})
        addElement(*control);

    // Without a voice a trial is silent: the dialog says why.
    if (voices.getCount() == 0) {
        m_noVoiceNotice = new KStaticTextNativeControl;
        m_noVoiceNotice->setWidth(kWidth);
        m_noVoiceNotice->setText(text("No Speech Synthesis is installed!"));
        below(*m_noVoiceNotice, *m_tryButton);
        addElement(*m_noVoiceNotice);
    }

    fitToControls();
    center();
    dialogPlaceOf<AdvancedPrefsDialog>().settle(*this);
}

AdvancedPrefsDialog::~AdvancedPrefsDialog() = default;

uint8 AdvancedPrefsDialog::run()
{
    const KVariable* custom = findNamedVariable(*this, kCustomSpeechSpeed);
    const KVariable* speed = findNamedVariable(*this, kSpeechSpeed);
    const KVariable* duplicated = findNamedVariable(*this, kAllowDuplicatedActors);
    m_customSpeed->setSelected(custom && custom->getBool());
    m_speed = speed ? speed->getShort() : kDefaultSpeed;
    if (m_customSpeed->isSelected()) {
        m_slider->setValue(m_speed == kDefaultSpeed ? kMiddleSpeed : m_speed, false);
    } else {
        m_speed = kDefaultSpeed;
        m_slider->disable();
        m_slider->setValue(kMiddleSpeed, false);
    }
    updateSpeedLabel();
    m_allowDuplicatedActors = duplicated && duplicated->getBool();
    dialogPlaceOf<AdvancedPrefsDialog>().apply(*this);
    m_trial = new KExtendedSpeech;
    return runModal(OpenShown);
}

void AdvancedPrefsDialog::updateSpeedLabel()
{
    if (!m_customSpeed->isSelected() || m_speed == kMiddleSpeed || m_speed == kDefaultSpeed) {
        m_speedLabel->setText(text("Voice Speed: default speed"));
    } else if (m_speed == kSlowest) {
        m_speedLabel->setText(text("Voice Speed: min"));
    } else if (m_speed == kFastest) {
        m_speedLabel->setText(text("Voice Speed: max"));
    } else {
        KString number;
        number.setNumber(m_speed);
        m_speedLabel->setText(text("Voice Speed") + ":" + " " + number + "%");
    }
}

bool AdvancedPrefsDialog::handleControl(KControlActionEvent& E)
{
    if (!E.hasSource())
        return false;
    const KThing* source = &E.getSource();
    const bool done = E.getType() == KControlActionEvent::Done;
    if (hasOKButton() && source == &getOKButton()) {
        if (done)
            storeValues();
    } else if (source == m_slider.get()) {
        const long value = m_slider->getValue();
        m_speed = static_cast<short>(value == kMiddleSpeed ? kDefaultSpeed : value);
        updateSpeedLabel();
    } else if (source == m_customSpeed.get()) {
        if (done) {
            m_slider->enable(m_customSpeed->isSelected());
            updateSpeedLabel();
        }
    } else if (source == m_tryButton.get()) {
        if (done && m_speaking)
            endTrial(true);
        else if (done)
            startTrial();
    }
    return false;
}

void AdvancedPrefsDialog::storeValues()
{
    KVariablePtr speed(new KVariable(m_speed));
    addNamedObject(*speed, KString(kSpeechSpeed));
    KVariablePtr custom(new KVariable(m_customSpeed->isSelected()));
    addNamedObject(*custom, KString(kCustomSpeechSpeed));
    KVariablePtr duplicated(new KVariable(m_allowDuplicatedActors));
    addNamedObject(*duplicated, KString(kAllowDuplicatedActors));
}

void AdvancedPrefsDialog::enableControls(bool On)
{
    m_text->enable(On);
    m_voices->enable(On);
    if (hasOKButton())
        static_cast<KControl&>(getOKButton()).enable(On);
    if (hasCancelButton())
        static_cast<KControl&>(getCancelButton()).enable(On);
    m_customSpeed->enable(On);
    m_slider->enable(On && m_customSpeed->isSelected());
}

void AdvancedPrefsDialog::startTrial()
{
    if (!m_trial.hasObject(nullptr))
        return;
    m_tryButton->setTitle(text("Stop"));
    enableControls(false);
    m_trial->setVolume(1.0);
    KString sample(m_text->getText());
    if (!sample.isEmpty() && sample.getCharAt(0) == ' ') {
        sample.trimLeft(' ');
        m_text->setText(sample);
    }
    m_trial->setText(sample);
    m_trial->setVoice(m_voices->getSelectedItem());
    if (m_customSpeed->isSelected() && m_speed != kDefaultSpeed && m_speed != kMiddleSpeed)
        m_trial->setSpeed(m_speed / 100.0);
    else
        m_trial->setSpeed(m_trial->getSpeed());
    m_trial->play();
    m_speaking = true;
    if (KApplication* application = KApplication::getApplication())
        application->addIdleHandler(*this);
}

void AdvancedPrefsDialog::endTrial(bool StopSpeech)
{
    m_tryButton->setTitle(text("Try Speed"));
    if (StopSpeech && m_trial.hasObject(nullptr))
        m_trial->stop();
    enableControls(true);
    m_speaking = false;
    if (KApplication* application = KApplication::getApplication())
        application->removeIdleHandler(*this);
}

void AdvancedPrefsDialog::periodicTask()
{
    if (m_trial.hasObject(nullptr) && m_speaking && !m_trial->isPlaying())
        endTrial(false);
}

void AdvancedPrefsDialog::close()
{
    KDialogPtr hold(isOnHeap() ? this : nullptr);
    // A dialog closed while its trial speaks (its close box) must not leave the voice
    // talking and itself in the main loop's idle handlers.
    if (m_speaking)
        endTrial(true);
    dialogPlaceOf<AdvancedPrefsDialog>().remember(*this);
    KDialog::close();
    m_trial.reset();
}
