#include "tools/KToolsLibrary.h"

#include "controls/KScrollViewControl.h"
#include "controls/KView.h"
#include "foundation/KClass.h"
#include "foundation/KernelFunctions.h"
#include "tools/controls/KGraphicObjectControl.h"
#include "tools/controls/KGraphicSliderControl.h"
#include "tools/controls/KIGOControl.h"
#include "tools/controls/KImageControl.h"
#include "tools/controls/KImagePopUpMenuControl.h"
#include "tools/controls/KLabelEditTextControl.h"
#include "tools/controls/KLabelPopUpListControl.h"
#include "tools/controls/KLabelSliderControl.h"
#include "tools/controls/KListBoxControl.h"
#include "tools/controls/KMultiImageControl.h"
#include "tools/controls/KSimpleImageControl.h"
#include "tools/controls/KSimpleMultiImageControl.h"
#include "tools/controls/KTextDisplayControl.h"
#include "tools/dialogs/KEditStringDialog.h"
#include "tools/dialogs/KFindMissingFileDialog.h"
#include "tools/dialogs/KPopUpListDialog.h"
#include "tools/dialogs/KProgressDialog.h"
#include "tools/dialogs/KSerialPortDialog.h"
#include "tools/igo/KArrangementIGO.h"
#include "tools/igo/KDisclosureIGO.h"
#include "tools/igo/KGraphicObjectsLayer.h"
#include "tools/igo/KImageIGO.h"
#include "tools/igo/KInteractiveGraphicObject.h"
#include "tools/igo/KListArrangementIGO.h"
#include "tools/igo/KListBoxElementIGO.h"
#include "tools/igo/KStaticTextIGO.h"

#include <cstring>

namespace {
KToolsLibraryPtr s_library;

struct Row {
    const char* key;
    const char* texts[3];
    // The platform whose character set the texts' bytes are written in: the accented
    // letters of some rows were typed on the Mac (é is 0x8E, ö is 0x9A in Mac OS Roman).
    uint8 platform;
};

// French, Italian, German.
const Row kRows[] = {
    {"Other...", {"Autre...", "Altra...", "Andere..."}, kPlatformWindows},
    {"Custom Font Size", {"Autre Corps", "Altra Dimensione Font", "Andere Gr\x9Asse"}, kPlatformMac},
    {"Custom Size:", {"Autre Corps:", "Altra Dimensione:", "Andere Gr\x9Asse:"}, kPlatformMac},
    {"Left", {"Gauche", "Sinistra", "Links"}, kPlatformWindows},
    {"Right", {"Droite", "Destra", "Rechts"}, kPlatformWindows},
    {"Center", {"Centr\x8E", "Centrato", "Zentriert"}, kPlatformMac},
    {"Justified", {"Justifi\xE9", "Giustificato", "Blocksatz"}, kPlatformWindows},
    {"Plain", {"Standard", "Normale", "Standard"}, kPlatformWindows},
    {"Bold", {"Gras", "Grassetto", "Fett"}, kPlatformWindows},
    {"Italic", {"Italique", "Corsivo", "Kursiv"}, kPlatformWindows},
    {"Underline", {"Soulign\x8E", "Sottolineato", "Unterstrichen"}, kPlatformMac},
    {"Text Format...", {"Format du Texte...", "Formato del Testo...", "Textformat..."}, kPlatformWindows},
    {"Font", {"Police", "Font", "Schrift"}, kPlatformWindows},
    {"Size", {"Corps", "Dimensione", "Gr\x9Asse"}, kPlatformMac},
    {"Style", {"Style", "Stile", "Stil"}, kPlatformWindows},
    {"Alignment", {"Alignement", "Allineamento", "Ausrichtung"}, kPlatformWindows},
    {"Text Color", {"Couleur Texte", "Colore Testo", "Textfarbe"}, kPlatformWindows},
    {"Background Color", {"Couleur Fond", "Colore Sfondo", "Hintergrundfarbe"}, kPlatformWindows},
};

const char* const kLanguages[] = {"Fran\xE7" "ais", "Italiano", "Deutsch"};

// The registry is emptied when an application object goes, so whether the classes are
// registered is read from the registry itself: the library object's class comes last.
bool registryHoldsLibrary()
{
    for (const KClass* record = KClass::getFirst(); record; record = record->getNext()) {
        if (record->getName() && std::strcmp(record->getName(), "KToolsLibrary") == 0)
            return true;
    }
    return false;
}
} // namespace

K_DEFINE_CLASS(KToolsLibrary, KThing, 1)

KToolsLibrary::KToolsLibrary()
{
    registerClasses();
    initLibrary();
    buildTexts();
}

KToolsLibrary::~KToolsLibrary()
{
    if (m_localizer.hasObject(nullptr))
        m_localizer->clear();
    exitLibrary();
    releaseLocalizer();
}

void KToolsLibrary::setLocalizer(KLocalizer& Localizer) { m_localizer.setObject(Localizer); }
void KToolsLibrary::releaseLocalizer() { m_localizer.reset(); }

KToolsLibrary& KToolsLibrary::getToolsLibrary() { return s_library.getObject(); }
bool KToolsLibrary::isOpen() { return s_library.hasObject(nullptr); }

void KToolsLibrary::openToolsLibrary() { s_library = new KToolsLibrary; }
void KToolsLibrary::closeToolsLibrary() { s_library.reset(); }

KString KToolsLibrary::getText(const char* Key)
{
    KToolsLibrary& library = getToolsLibrary();
    if (kIsNullReference(&library))
        return KString(Key);
    KLocalizer& localizer = library.getLocalizer();
    if (kIsNullReference(&localizer))
        return KString(Key);
    return localizer.getText(KString(Key));
}

void KToolsLibrary::registerClasses()
{
    if (registryHoldsLibrary())
        return;
    // Each class after its parent; classes of the same parent in the library's own order.
    KScrollViewControl::registerClass();
    KView::registerClass();
    KEditStringDialog::registerClass();
    KProgressDialog::registerClass();
    KFindMissingFileDialog::registerClass();
    KPopUpListDialog::registerClass();
    KSerialPortDialog::registerClass();
    KInteractiveGraphicObject::registerClass();
    KArrangementIGO::registerClass();
    KDisclosureIGO::registerClass();
    KImageIGO::registerClass();
    KListBoxElementIGO::registerClass();
    KListArrangementIGO::registerClass();
    KStaticTextIGO::registerClass();
    KGraphicObjectControl::registerClass();
    KGraphicSliderControl::registerClass();
    KIGOControl::registerClass();
    KImageControl::registerClass();
    KLabelEditTextControl::registerClass();
    KLabelSliderControl::registerClass();
    KLabelPopUpListControl::registerClass();
    KListBoxControl::registerClass();
    KMultiImageControl::registerClass();
    KSimpleImageControl::registerClass();
    KImagePopUpMenuControl::registerClass();
    KSimpleMultiImageControl::registerClass();
    KTextDisplayControl::registerClass();
    KGraphicObjectsLayer::registerClass();
    KToolsLibrary::registerClass();
}

void KToolsLibrary::buildTexts()
{
    KLocalizerPtr localizer = new KLocalizer;
    if (!localizer.hasObject(nullptr))
        return;
    setLocalizer(*localizer);
    for (const char* language : kLanguages)
        localizer->addLanguage(KString(language, kPlatformWindows));
    long indexes[3];
    for (long i = 0; i < 3; ++i)
        indexes[i] = localizer->findLanguage(KString(kLanguages[i], kPlatformWindows));
    for (const Row& row : kRows) {
        for (long i = 0; i < 3; ++i)
            localizer->setText(KString(row.key), indexes[i], KString(row.texts[i], row.platform));
    }
    KFindMissingFileDialog::addTexts(*localizer);
    localizer->finish();
}
