#include "tools/dialogs/KBatchProcessingDialog.h"

#include "application/KApplication.h"
#include "application/KControlActionEvent.h"
#include "foundation/KFileSystem.h"
#include "foundation/KFileType.h"
#include "foundation/KFileTypeHandler.h"
#include "foundation/KernelFunctions.h"

#include <vector>

namespace {
constexpr long kListStep = 1000;
constexpr short kGroupWidth = 520;
constexpr short kFieldWidth = 500;
constexpr short kInset = 10;
constexpr short kFieldTop = 15;
constexpr short kCheckGap = 4;
constexpr short kGap = 14;
constexpr short kLogHeight = 200;
constexpr short kLabelWidth = 50;
constexpr uint8 kEscapeKey = 1;
constexpr uint8 kYes = 2;
const char* const kAbortQuestion = "Are you sure you want to abort?";

// The volume, when there is one, then the folders, outermost first.
std::vector<KString> componentsOf(const KPath& Path)
{
    std::vector<KString> parts;
    if (!Path.getVolume().isEmpty())
        parts.push_back(Path.getVolume());
    for (long i = 0; i < Path.getDirectoryCount(); ++i)
        parts.push_back(*Path.getDirectory(i));
    return parts;
}

KString joined(const char* Before, const KString& Middle, const char* After = "")
{
    KString text(Before);
    text += Middle;
    text += After;
    return text;
}

KString pathTextOf(const KDiskObjectReference& Reference)
{
    KString text;
    Reference.getPath().getPathText(text, knsGetPlatform(), KPath::AsStored);
    return text;
}
} // namespace

K_DEFINE_CLASS(KBatchProcessingDialog, KDialog, 1)

KBatchProcessingDialog::KBatchProcessingDialog()
{
    m_fileList.setMinSize(kListStep);
    m_fileList.setGrowSize(kListStep);
    m_inputGroup = makeGroup("Input", m_inputFolder, m_includeSubfolders, "Include Subdirectories", nullptr);
    m_inputFolder->setDirectory(KFileSystem::getFileSystem().updateCurrentDirectory());
    m_outputGroup = makeGroup("Output", m_outputFolder, m_recreateStructure, "Recreate input folder structure",
                              m_inputGroup.get());
    m_recreateStructure->disable();

    m_log = new KTextDisplayControl;
    m_log->setSize(KGraphicSize(kGroupWidth, kLogHeight));
    m_log->placeNextTo(*m_outputGroup, KControl::BelowLeft, kGap);
    addElement(*m_log);
    m_progress = new KProgressBarControl;
    m_progress->setWidth(kGroupWidth);
    m_progress->placeNextTo(*m_log, KControl::BelowLeft, kGap);
    addElement(*m_progress);

    fitToControls();
    center();
    setTitle("Batch Conversion");
    setStandardButtons(OKButton | CancelButton | ApplyButton);
}

KBatchProcessingDialog::~KBatchProcessingDialog() = default;

KGroupControl* KBatchProcessingDialog::makeGroup(const char* Title, KDirectoryPathEditingControlPtr& Editor,
                                                 KCheckBoxControlPtr& Check, const char* CheckTitle,
                                                 const KControl* Above)
{
    KGroupControlPtr group = new KGroupControl;
    group->setTitle(Title);
    if (Above)
        group->placeNextTo(*Above, KControl::BelowLeft, kGap);
    else
        group->setPosition(KGraphicPoint(kInset, kInset));
    addElement(*group);
    Editor = new KDirectoryPathEditingControl;
    const short height = Editor->getVariantSize(kPlatformWindows).getHeight();
    Editor->setBounds(KGraphicRectangle(kInset, kFieldTop, kFieldWidth, height));
    Editor->setLabelWidth(kLabelWidth);
    Editor->setLabel("Folder");
    group->addControl(*Editor);
    Check = new KCheckBoxControl;
    Check->setTitle(CheckTitle);
    Check->setWidth(kFieldWidth);
    Check->placeNextTo(*Editor, KControl::BelowLeft, kCheckGap);
    group->addControl(*Check);
    group->setSize(KGraphicSize(kGroupWidth, static_cast<short>(Check->getTop() + Check->getHeight() + kInset)));
    return group.get();
}

void KBatchProcessingDialog::open(uint8 Mode)
{
    setButtonTitle(OKButton, "Convert");
    setButtonTitle(CancelButton, "Close");
    setButtonTitle(ApplyButton, "Abort");
    KDialog::open(Mode);
    if (hasApplyButton())
        static_cast<KControl&>(getApplyButton()).disable();
}

void KBatchProcessingDialog::close()
{
    // The close box is never disabled: a batch under way ends here rather than going on
    // with nobody to see it.
    if (m_state != Idle) {
        stopStepping();
        if (m_state != Finish)
            endProcessing(true);
        m_state = Idle;
    }
    KDialog::close();
}

bool KBatchProcessingDialog::draw(KWindowEvent&) { return false; }

void KBatchProcessingDialog::processFile(KFileReference&, KDirectory&) {}
void KBatchProcessingDialog::endProcessing(bool) {}

bool KBatchProcessingDialog::escapePressed() { return knsIsKeyDown(kEscapeKey); }

void KBatchProcessingDialog::enableFields(bool On)
{
    for (KControl* control : {static_cast<KControl*>(m_inputFolder.get()), static_cast<KControl*>(m_outputFolder.get()),
                              static_cast<KControl*>(m_includeSubfolders.get())})
        control->enable(On);
    for (bool (KDialog::*has)() const : {&KDialog::hasOKButton, &KDialog::hasCancelButton}) {
        if ((this->*has)())
            static_cast<KControl&>(has == &KDialog::hasOKButton ? getOKButton() : getCancelButton()).enable(On);
    }
}

bool KBatchProcessingDialog::handleControlAction(KControlActionEvent& E)
{
    if (!E.hasSource() || E.getType() != KControlActionEvent::Done)
        return false;
    const KThing* source = &E.getSource();
    if (hasOKButton() && source == &getOKButton()) {
        enableFields(false);
        m_recreateStructure->disable();
        if (hasApplyButton())
            static_cast<KControl&>(getApplyButton()).disable();
        beginProcessing();
        if (!m_includeSubfolders->isSelected()) {
            m_fileList.clear();
            KBagPtr files = m_inputFolder->getDirectory().getFiles(KDirectory::Files);
            if (files.hasObject(nullptr))
                m_fileList.addAll(*files);
            m_state = FilterFlatList;
        } else {
            m_state = CollectWithSubfolders;
        }
        if (KApplication* application = KApplication::getApplication())
            application->addIdleHandler(*this);
        return true;
    }
    if (hasApplyButton() && source == &getApplyButton()) {
        askToAbort("Abort button pressed");
        return true;
    }
    if (source == m_includeSubfolders.get())
        m_recreateStructure->enable(m_includeSubfolders->isSelected());
    return false;
}

void KBatchProcessingDialog::askToAbort(const char* Caption)
{
    if (knsQuestionBox(Caption, kAbortQuestion) == kYes)
        m_state = Aborted;
}

void KBatchProcessingDialog::stopStepping()
{
    if (KApplication* application = KApplication::getApplication())
        application->removeIdleHandler(*this);
}

bool KBatchProcessingDialog::accepts(const KFileReference& File) const
{
    const KFileTypeID type = File.getFileTypeHandle();
    if (!KFileTypeHandler::hasAssociation(type))
        return false;
    for (long i = 0; i < m_acceptedTypes.getCount(); ++i) {
        const auto* accepted = dynamic_cast<const KFileType*>(&m_acceptedTypes[i]);
        if (accepted && accepted->getTypeID() == type)
            return true;
    }
    return false;
}

void KBatchProcessingDialog::periodicTask()
{
    KDialogPtr hold(isOnHeap() ? this : nullptr);
    switch (m_state) {
    case CollectWithSubfolders:
        m_fileList.clear();
        collectFiles(m_inputFolder->getDirectory(), m_fileList);
        if (m_state != Aborted) {
            m_state = Process;
            m_nextIndex = 0;
        }
        break;
    case FilterFlatList:
        for (long i = m_fileList.getCount() - 1; i >= 0; --i) {
            const auto* file = dynamic_cast<const KFileReference*>(&m_fileList[i]);
            if (!file || !accepts(*file))
                m_fileList.removeAt(i);
        }
        m_nextIndex = 0;
        m_state = Process;
        break;
    case Process:
        processNextFile();
        break;
    case Finish:
        finish();
        break;
    case Aborted:
        endProcessing(true);
        m_state = Finish;
        break;
    default:
        m_state = Idle;
        stopStepping();
        break;
    }
}

void KBatchProcessingDialog::collectFiles(const KDirectory& Folder, KBag& Out)
{
    m_log->createDefaultText(joined("(Press ESC to abort) - Looking for content of folder \"", pathTextOf(Folder), "\""));
    if (m_state == Aborted)
        return;
    KBagPtr entries = Folder.getFiles(KDirectory::FilesAndSubdirectories);
    if (!entries.hasObject(nullptr))
        return;
    for (long i = 0; i < entries->getCount() && m_state != Aborted; ++i) {
        KThing& entry = (*entries)[i];
        if (auto* folder = dynamic_cast<KDirectory*>(&entry))
            collectFiles(*folder, Out);
        else if (auto* file = dynamic_cast<KFileReference*>(&entry); file && accepts(*file))
            Out.add(*file);
        if (escapePressed())
            askToAbort("ESC Key Pressed");
    }
}

void KBatchProcessingDialog::processNextFile()
{
    if (hasApplyButton())
        static_cast<KControl&>(getApplyButton()).enable(true);
    if (m_nextIndex >= m_fileList.getCount()) {
        endProcessing(false);
        m_state = Finish;
        return;
    }
    const long index = m_nextIndex++;
    KFileReferencePtr file = dynamic_cast<KFileReference*>(&m_fileList[index]);
    if (!file.hasObject(nullptr))
        return;
    KDirectory output = outputFolderFor(*file);
    m_progress->setValue(static_cast<float>(index * 100.0 / m_fileList.getCount()));
    if (m_recreateStructure->isSelected())
        makeFolderExist(output);
    processFile(*file, output);
    if (escapePressed())
        askToAbort("ESC Key Pressed");
}

KDirectory KBatchProcessingDialog::outputFolderFor(const KFileReference& File)
{
    KDirectory output = m_outputFolder->getDirectory();
    if (!m_recreateStructure->isSelected())
        return output;
    const std::vector<KString> fileParts = componentsOf(File.getPath());
    const std::vector<KString> inputParts = componentsOf(m_inputFolder->getDirectory().getPath());
    size_t common = 0;
    while (common < fileParts.size() && common < inputParts.size() && fileParts[common] == inputParts[common])
        ++common;
    KPath path = output.getPath();
    for (size_t i = common; i < fileParts.size(); ++i)
        path.addDirectory(fileParts[i]);
    return KDirectory(path);
}

bool KBatchProcessingDialog::makeFolderExist(const KDirectory& Folder)
{
    if (m_state == Aborted || Folder.exists())
        return Folder.exists();
    const KPath& path = Folder.getPath();
    if (componentsOf(path).size() < 2) {
        m_log->addLine(KString());
        m_log->addLine(joined("Create folder ", pathTextOf(Folder)));
    } else {
        KPath parentPath(path);
        parentPath.clearDirectories();
        for (long i = 0; i + 1 < path.getDirectoryCount(); ++i)
            parentPath.addDirectory(*path.getDirectory(i));
        const KDirectory parent(parentPath);
        if (!parent.exists())
            makeFolderExist(parent);
        m_log->addLine(KString());
        m_log->addLine(joined("Create folder ", *path.getDirectory(path.getDirectoryCount() - 1)));
    }
    KDirectory(Folder).create();
    return Folder.exists();
}

void KBatchProcessingDialog::finish()
{
    m_progress->setValue(0.0f);
    enableFields(true);
    m_recreateStructure->enable(m_includeSubfolders->isSelected());
    if (hasApplyButton())
        static_cast<KControl&>(getApplyButton()).disable();
    m_state = Idle;
    stopStepping();
}
