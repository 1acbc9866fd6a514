#include "multimedia/recording/KEditSoundNameDialog.h"

#include "application/KControlActionEvent.h"
#include "controls/KControlsLayer.h"
#include "foundation/KFileReference.h"
#include "foundation/KVariable.h"
#include "foundation/KernelFunctions.h"
#include "multimedia/recording/RecordedSoundFiles.h"
#include "multimedia/recording/RecordingTexts.h"

#include <string>

namespace {
constexpr short kMargin = 16;
constexpr short kButtonRowMargin = 36;
constexpr short kLabelWidth = 100;
constexpr short kFieldWidth = 200;
constexpr short kFieldGap = 14;
constexpr uint8 kQuestionAnsweredNo = 3;
// Characters no file name may hold; a name with one would fail to copy, or land
// somewhere other than the folder.
const char* const kForbiddenCharacters = "\\/:*?\"<>|";

bool namesAFile(const KString& Name)
{
    const std::string text = Name.getText();
    return text.find_first_not_of(' ') != std::string::npos && text.find_first_of(kForbiddenCharacters) == std::string::npos;
}
} // namespace

K_DEFINE_CLASS(KEditSoundNameDialog, KDialog, 1)

KEditSoundNameDialog::KEditSoundNameDialog()
{
    setTitle(RecordingTexts::get("New Sound File"));
    m_label = new KStaticTextNativeControl;
    m_label->setText(RecordingTexts::get("Name:"));
    m_label->setBounds(KGraphicRectangle(kMargin, kMargin, kLabelWidth, m_label->getVariantSize(kPlatformWindows).getHeight()));
    addElement(*m_label);
    m_nameField = new KEditTextControl;
    m_nameField->setWidth(kFieldWidth);
    addElement(*m_nameField);
    m_nameField->placeNextTo(*m_label, KControl::RightCentered, kFieldGap);
    KGraphicRectangle area = getControlsLayer().getBounds();
    area.expand(kMargin, kButtonRowMargin);
    setBounds(area);
    center();
}

KEditSoundNameDialog::~KEditSoundNameDialog() = default;

bool KEditSoundNameDialog::run(KString& Name)
{
    KDialogPtr hold(isOnHeap() ? this : nullptr);
    m_accepted = 0;
    m_nameField->setText(Name);
    m_name = Name;
    runModal(OpenShown);
    if (m_accepted != 1)
        return false;
    Name = m_name;
    return true;
}

bool KEditSoundNameDialog::handleControlAction(KControlActionEvent& E)
{
    if (!E.hasSource())
        return false;
    if (hasOKButton() && &E.getSource() == &getOKButton())
        return accept();
    if (hasCancelButton() && &E.getSource() == &getCancelButton())
        m_accepted = 0;
    return false;
}

bool KEditSoundNameDialog::accept()
{
    const KString name = m_nameField->getText();
    if (!namesAFile(name)) {
        knsBeep();
        return true;
    }
    if (recordedSoundFile(m_directory, name).exists()
        && knsQuestionBox(m_warningTitle, m_warningText) == kQuestionAnsweredNo)
        return true;
    m_accepted = 1;
    m_name = name;
    KVariablePtr value = new KVariable(name);
    addNamedObject(*value, KString("NewValue"));
    return false;
}
