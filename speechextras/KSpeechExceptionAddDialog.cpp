#include "speechextras/KSpeechExceptionAddDialog.h"

#include "application/KControlActionEvent.h"
#include "foundation/KernelFunctions.h"
#include "multimedia/KSpeechSupport.h"
#include "speechextras/KSpeechExtrasLibrary.h"
#include "tools/dialogs/NamedVariables.h"

namespace {
constexpr short kLeft = 10;
constexpr short kFieldWidth = 330;
constexpr short kFieldLabelWidth = 80;
constexpr short kRowTop = 80;
constexpr short kTestWidth = 80;
constexpr short kVoicesLeft = 100;
constexpr short kVoicesWidth = 240;
constexpr short kVoicesLabelWidth = 50;

KGraphicRectangle& rememberedBounds()
{
    static KGraphicRectangle bounds(130, 150, 350, 130);
    return bounds;
}

KString& rememberedVoice()
{
    static KString voice;
    return voice;
}

short heightOf(const KControl& Control) { return Control.getVariantSize(knsGetPlatform()).getHeight(); }
} // namespace

K_DEFINE_CLASS(KSpeechExceptionAddDialog, KDialog, 1)

KSpeechExceptionAddDialog::KSpeechExceptionAddDialog()
{
    setBounds(rememberedBounds());
    setTitle(KSpeechExtrasLibrary::getText("Add Exception"));
    m_written = makeField("Written As:", 10);
    m_spoken = makeField("Spoken As:", 45);

    m_test = new KPushButtonControl;
    m_test->setTitle(KSpeechExtrasLibrary::getText("Test"));
    m_test->setBounds(KGraphicRectangle(kLeft, kRowTop, kTestWidth, heightOf(*m_test)));
    addElement(*m_test);

    m_voices = new KLabelPopUpListControl;
    m_voices->setLabel(KSpeechExtrasLibrary::getText("Voice:"));
    m_voices->setLabelWidth(kVoicesLabelWidth);
    fillVoices();
    m_voices->setBounds(KGraphicRectangle(kVoicesLeft, kRowTop, kVoicesWidth, heightOf(*m_voices)));
    addElement(*m_voices);

    m_speech = new KSpeech;
    fitToControls();
}

KSpeechExceptionAddDialog::~KSpeechExceptionAddDialog()
{
    if (m_speech.hasObject(nullptr))
        m_speech->stopSpeaking();
}

KLabelEditTextControlPtr KSpeechExceptionAddDialog::makeField(const char* Label, short Top)
{
    KLabelEditTextControlPtr field = new KLabelEditTextControl;
    field->setLabelWidth(kFieldLabelWidth);
    field->setLabel(KSpeechExtrasLibrary::getText(Label));
    field->setBounds(KGraphicRectangle(kLeft, Top, kFieldWidth, heightOf(*field)));
    addElement(*field);
    return field;
}

void KSpeechExceptionAddDialog::fillVoices()
{
    const KSpeechSupport* support = KSpeechSupport::hasSpeechSupport() ? &KSpeechSupport::getSpeechSupport() : nullptr;
    const KBag* voices = support ? &support->getVoices() : nullptr;
    m_hasVoices = voices && voices->getCount() > 0;
    if (!m_hasVoices) {
        // A disabled pop-up alone would not tell the user why nothing can be tried.
        m_voices->appendItem(KSpeechExtrasLibrary::getText("No Speech Synthesis is installed!"));
        m_voices->disable();
        m_test->disable();
        return;
    }
    for (long i = 0; i < voices->getCount(); ++i)
        m_voices->appendItem(static_cast<const KString&>((*voices)[i]));
    m_voices->selectItemText(support->getDefaultVoice());
}

const KGraphicRectangle& KSpeechExceptionAddDialog::getRememberedBounds() { return rememberedBounds(); }
const KString& KSpeechExceptionAddDialog::getRememberedVoice() { return rememberedVoice(); }

KString KSpeechExceptionAddDialog::getNamedString(const char* Name) const
{
    const KVariable* variable = findNamedVariable(*this, Name);
    return variable ? variable->getString() : KString();
}

void KSpeechExceptionAddDialog::setNamedString(const char* Name, const KString& Value)
{
    if (KVariable* variable = findNamedVariable(*this, Name))
        variable->setString(Value);
}

uint8 KSpeechExceptionAddDialog::runModal(uint8 Mode)
{
    m_written->setText(getNamedString(kWord));
    m_spoken->setText(getNamedString(kException));
    if (m_hasVoices && m_voices->hasItem(rememberedVoice()))
        m_voices->selectItemText(rememberedVoice());
    return KDialog::runModal(Mode);
}

void KSpeechExceptionAddDialog::leave()
{
    rememberedBounds() = getBounds();
    m_speech->stopSpeaking();
}

bool KSpeechExceptionAddDialog::handleControlAction(KControlActionEvent& E)
{
    if (E.getType() != KControlActionEvent::Done || !E.hasSource())
        return false;
    const KThing* source = &E.getSource();
    if (hasOKButton() && source == &getOKButton()) {
        // Only the blank itself: a tab is accepted in a written form.
        if (m_written->getText().countChar(' ') > 0) {
            knsMessageBox(KSpeechExtrasLibrary::getText("No blanks allowed!"),
                          KSpeechExtrasLibrary::getText("Spaces are not allowed in the \"Written As:\" field, please "
                                                        "remove any spaces before trying again."));
            return true;
        }
        setNamedString(kWord, m_written->getText());
        setNamedString(kException, m_spoken->getText());
        leave();
        if (m_hasVoices)
            rememberedVoice() = m_voices->getSelectedItem();
        return false;
    }
    if (hasCancelButton() && source == &getCancelButton()) {
        leave();
        return false;
    }
    if (source == m_written.get())
        return true;
    if (source == m_test.get()) {
        m_speech->stopSpeaking();
        if (m_hasVoices) {
            rememberedVoice() = m_voices->getSelectedItem();
            m_speech->speak(rememberedVoice(), m_spoken->getText());
        }
        return true;
    }
    return false;
}
