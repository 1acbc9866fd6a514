#include "tools/dialogs/KFindMissingFileDialog.h"

#include "application/KApplication.h"
#include "application/KControlActionEvent.h"
#include "application/KCursorManager.h"
#include "application/KDialogHandler.h"
#include "controls/KControlsLayer.h"
#include "foundation/KLocalizer.h"
#include "foundation/KernelFunctions.h"
#include "tools/KToolsLibrary.h"

namespace {
KDirectoryPtr s_rememberedFolder;

constexpr short kLeft = 10;
constexpr short kTop = 35;
constexpr short kWidth = 300;
constexpr short kPathHeight = 80;
constexpr short kButtonWidth = 80;
constexpr short kGap = 14;
constexpr short kButtonGap = 10;
constexpr short kMarginX = 16;
constexpr short kMarginY = 36;
constexpr short kExtraHeight = 10;

struct Row {
    const char* key;
    const char* texts[3];
};

// French, Italian, German; all written in the Windows character set.
const Row kRows[] = {
    {"Find Missing File", {"Chercher fichier manquant", "Cerca File Mancante", "Fehlende Datei suchen"}},
    {"Replace Missing File:", {"Remplacer fichier manquant", "File Mancante:", "Fehlende Datei ersetzen"}},
    {"With File:", {"Avec le fichier", "Con il File:", "Mit der Datei"}},
    {"No File Found!", {"Aucun Fichier trouv\xE9!", "Nessun File trovato!", "Keine Datei gefunden!"}},
    {"Browse...", {"Chercher...", "Sfoglia...", "Suche..."}},
    {"Ignore", {"Ignorer", "Ignora", "Ignorieren"}},
    {"Ignore All", {"Ignorer le tout", "Ignora Tutti", "Alles ignorieren"}},
};

const char* const kLanguages[] = {"Fran\xE7" "ais", "Italiano", "Deutsch"};

KString pathTextOf(const KDiskObjectReference& Reference)
{
    KString text;
    Reference.getPath().getPathText(text, knsGetPlatform(), KPath::AsStored);
    return text;
}
} // namespace

K_DEFINE_CLASS(KFindMissingFileDialog, KDialog, 1)

KFindMissingFileDialog::KFindMissingFileDialog()
{
    setTitle(KToolsLibrary::getText("Find Missing File"));

    m_missingLabel = new KStaticTextNativeControl;
    m_missingLabel->setBounds(KGraphicRectangle(kLeft, kTop, kWidth, m_missingLabel->getHeight()));
    m_missingLabel->setText(KToolsLibrary::getText("Replace Missing File:"));
    addElement(*m_missingLabel);

    m_missingPath = new KTextDisplayControl;
    m_missingPath->setSize(KGraphicSize(kWidth, kPathHeight));
    m_missingPath->placeNextTo(*m_missingLabel, KControl::BelowLeft, kGap);
    addElement(*m_missingPath);

    m_replacementLabel = new KStaticTextNativeControl;
    m_replacementLabel->setWidth(kWidth);
    m_replacementLabel->placeNextTo(*m_missingPath, KControl::BelowLeft, kGap);
    m_replacementLabel->setText(KToolsLibrary::getText("With File:"));
    addElement(*m_replacementLabel);

    m_replacementPath = new KTextDisplayControl;
    m_replacementPath->setSize(KGraphicSize(kWidth, kPathHeight));
    m_replacementPath->placeNextTo(*m_replacementLabel, KControl::BelowLeft, kGap);
    addElement(*m_replacementPath);

    m_browseButton = new KPushButtonControl;
    m_browseButton->setWidth(kButtonWidth);
    m_browseButton->placeNextTo(*m_replacementPath, KControl::BelowLeft, kButtonGap);
    m_browseButton->setTitle(KToolsLibrary::getText("Browse..."));
    addElement(*m_browseButton);

    // Never offered, but it keeps its place in the layout.
    m_findButton = new KPushButtonControl;
    m_findButton->setWidth(kButtonWidth);
    m_findButton->placeNextTo(*m_browseButton, KControl::RightCentered, kGap);
    m_findButton->setTitle(KString("Find Automatically"));
    m_findButton->getActionMask().clearAll();
    addElement(*m_findButton);
    m_findButton->hide();

    setButtonTitle(CancelButton, KToolsLibrary::getText("Ignore"));
    setButtonTitle(ApplyButton, KToolsLibrary::getText("Ignore All"));
    setStandardButtons(OKButton | CancelButton | ApplyButton);

    KGraphicRectangle area = getControlsLayer().getBounds();
    area.expand(kMarginX, kMarginY);
    area.setHeight(static_cast<short>(area.getHeight() + kExtraHeight));
    setBounds(area);
    center();
}

KFindMissingFileDialog::~KFindMissingFileDialog() = default;

void KFindMissingFileDialog::addTexts(KLocalizer& Localizer)
{
    long indexes[3];
    for (long i = 0; i < 3; ++i)
        indexes[i] = Localizer.findLanguage(KString(kLanguages[i], kPlatformWindows));
    for (const Row& row : kRows) {
        for (long i = 0; i < 3; ++i)
            Localizer.setText(KString(row.key), indexes[i], KString(row.texts[i], kPlatformWindows));
    }
}

KDirectory& KFindMissingFileDialog::getRememberedFolder() { return s_rememberedFolder.getObject(); }
bool KFindMissingFileDialog::hasRememberedFolder() { return s_rememberedFolder.hasObject(nullptr); }
void KFindMissingFileDialog::forgetRememberedFolder() { s_rememberedFolder.reset(); }

uint8 KFindMissingFileDialog::askUser(const KFileReference& Missing, KFileReference& Chosen)
{
    KFindMissingFileDialogPtr dialog = new KFindMissingFileDialog;
    if (!dialog.hasObject(nullptr))
        return NoResult;
    dialog->setFileReference(Missing);
    const uint8 result = dialog->runModal(OpenShown);
    if (result == OKResult)
        Chosen = dialog->getFileReference();
    return result;
}

void KFindMissingFileDialog::setFileReference(const KFileReference& Reference)
{
    m_fileReference = new KFileReference(Reference);
}

void KFindMissingFileDialog::clearFileReference() { m_fileReference.reset(); }

void KFindMissingFileDialog::propose(const KFileReference& Replacement)
{
    m_replacement = new KFileReference(Replacement);
    m_replacementPath->createDefaultText(pathTextOf(Replacement));
}

void KFindMissingFileDialog::enableOK(bool On)
{
    if (hasOKButton())
        static_cast<KControl&>(getOKButton()).enable(On);
}

void KFindMissingFileDialog::open(uint8 Mode)
{
    if (hasFileReference()) {
        const KFileReference& missing = getFileReference();
        m_missingPath->createDefaultText(pathTextOf(missing));
        if (hasRememberedFolder()) {
            KString leaf;
            missing.getPath().getLeafName(leaf);
            KPath candidatePath = getRememberedFolder().getPath();
            candidatePath.setFileName(leaf);
            const KFileReference candidate(candidatePath);
            if (candidate.exists())
                propose(candidate);
        }
    }
    KDialog::open(Mode);
    if (!isOpen())
        return;
    enableOK(hasReplacement());
    if (KCursorManager::exists()) {
        KCursorManager::get().pushCursor();
        KCursorManager::get().setCursor(KCursorManager::ArrowCursor);
        m_cursorPushed = true;
    }
}

void KFindMissingFileDialog::close()
{
    if (m_cursorPushed && KCursorManager::exists())
        KCursorManager::get().popCursor();
    m_cursorPushed = false;
    if (KApplication* application = KApplication::getApplication())
        application->removeIdleHandler(*this);
    KDialog::close();
}

bool KFindMissingFileDialog::handleControlAction(KControlActionEvent& E)
{
    if (!hasFileReference() || !E.hasSource() || E.getType() != KControlActionEvent::Done)
        return false;
    if (&E.getSource() == m_browseButton.get()) {
        browse();
        return true;
    }
    if (hasOKButton() && &E.getSource() == &getOKButton())
        return !accept();
    return false;
}

void KFindMissingFileDialog::browse()
{
    if (!KDialogHandler::exists())
        return;
    KDialogHandler& handler = KDialogHandler::getDialogHandler();
    const KFileReference& missing = getFileReference();
    if (!hasRememberedFolder())
        handler.setDefaultDirectory(missing.getDirectory());
    else if (getRememberedFolder().exists())
        handler.setDefaultDirectory(getRememberedFolder());
    KFileReference chosen(missing);
    if (!handler.getOpenFileForExtension(chosen, KString()))
        return;
    propose(chosen);
    enableOK(true);
}

bool KFindMissingFileDialog::accept()
{
    if (!hasReplacement()) {
        knsMessageBox(KToolsLibrary::getText("Find Missing File"), KToolsLibrary::getText("No File Found!"));
        return false;
    }
    const KFileReferencePtr replacement = m_replacement;
    setFileReference(*replacement);
    s_rememberedFolder = new KDirectory(replacement->getDirectory());
    return true;
}
