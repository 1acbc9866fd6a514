#include "speechextras/KSpeechExtrasLibrary.h"

#include "foundation/KFileTypeHandler.h"
#include "multimedia/KExtendedSpeech.h"
#include "multimedia/KSoundHiliteMarker.h"
#include "multimedia/KSoundHiliteMedia.h"
#include "multimedia/KSpeechException.h"
#include "multimedia/KSpeechExceptionHandler.h"
#include "multimedia/LibraryTexts.h"
#include "multimedia/MultimediaClasses.h"
#include "speechextras/KSoundHiliteEditorDialog.h"
#include "speechextras/KSoundHiliteFile.h"
#include "speechextras/KSpeechExceptionAddDialog.h"
#include "speechextras/KSpeechExceptionsDialog.h"

namespace {
KSpeechExtrasLibraryPtr s_library;
// The libraries alive: the global one and any held elsewhere. The handler goes with the
// last of them, so a library that a newer one replaced cannot take the newer one's along.
long s_liveLibraries = 0;

// The texts of the sound-highlight editor, its commands, the exception editors and the
// description of the "SHI" file type.
const KLibraryText kTexts[] = {
    {"Sound Highlight Editor", {"\xE9" "diteur de son synchronis\xE9", "Editor Di Suono Evidenziato", "Bearbeiten Rede-Hervorheben"}},
    {"Text:", {"Texte:", "Testo:", "Text:"}},
    {"Sound:", {"Son:", "Suono:", "Ton:"}},
    {"Record...", {"Enregistrer...", "Registra...", "Aufnehmen..."}},
    {"Select...", {"S\xE9" "lection...", "Seleziona", "Auswahl..."}},
    {"Import...", {"Importer...", "Importa...", "Einf\xFC" "hren..."}},
    {"Update", {"Mise \xE0" " jour", "Aggiorna", "Update"}},
    {"Play", {"Action", "Suona", "Start"}},
    {"Stop", {"Stop", "Ferma", "Stop"}},
    {"Merge", {"Fusion", "Fondere", "Mischen"}},
    {"Save...", {"Enregistrer...", "Salva...", "Sichern..."}},
    {"Load...", {"Charger...", "Apri...", "Laden..."}},
    {"Looping", {"Looping", "Continuo", "Looping"}},
    {"Recorded Sound", {"Son enregistr\xE9", "Suono Registrato", "Aufgenommener Ton"}},
    {"Merge not possible!", {"Fusion pas possible!", "Fusione Non Possibile!", "Mischen nicht m\xF6" "glich!"}},
    {"Merge can be performed only on contiguous markers", {"Fusion n'est possible qu'avec les marqueurs contigus", "Fusione possibile solo tra indicatori contigui", "Mischen ist nur m\xF6" "glich bei angrenzenden Markierungen"}},
    {"Merging...", {"Fusion...", "Fusione...", "Mischen..."}},
    {"Are you sure you want to merge the selected markers? This operation is not undoable.", {"Faut-il fusionner les marqueurs selectionn\xE9" "s? Lop\xE9" "ration ne peut \xEA" "tre r\xE9" "trograd\xE9" "e", "Sei sicuro di voler fondere gli indicatori selezionati? L'operazione non pu\xF2" " essere annullata.", "Sollen die ausgew\xE4" "hlten Markierungen gemischt werden? Dies l\xE4" "sst sich nicht r\xFC" "ckg\xE4" "ngig machen"}},
    {"Warning!", {"Attention!", "Attenzione!", "Aufpassen!"}},
    {"Selecting a new sound will clear any edited markers. Are you sure to proceed?", {"La s\xE9" "lection d'un nouveau son efface touts les marqueurs \xE9" "dit\xE9" "s. Proc\xE9" "der?", "Scegliendo un nuovo suono verranno riposizionati tutti gli indicatori. Sei sicuro di voler continuare?", "Die Auswahl eines neuen Tons l\xF6" "scht alle bearbeiteten Markierungen. Soll weitergefahren werden?"}},
    {"Recording a new sound will clear any edited markers. Are you sure to proceed?", {"L'enregistrement dun nouveau son efface tous les marqueurs \xE9" "dit\xE9" "s. Proc\xE9" "der?", "Registrando un nuovo suono verranno riposizionati tutti gli indicatori. Sei sicuro di voler continuare?", "Die Aufnahme eines neuen Tons l\xF6" "scht alle bearbeiteten Markierungen. Soll weitergefahren werden?"}},
    {"Save SHI File", {"Enregistrer fichier SHI", "Salva file SHI", "Sichern SHI Datei"}},
    {"Load SHI File", {"Charger fichier SHI", "Apri file SHI", "Laden SHI Datei"}},
    {"Edit File Name", {"Edition nom du fichier", "Modifica Nome Del File", "Dateiname bearbeiten"}},
    {"This File Already Exists", {"Ce fichier existe d\xE9" "j\xE0", "Questo file esiste gi\xE0", "Diese Datei ist bereits vorhanden"}},
    {"No File Found", {"Pas trouv\xE9" " de fichier", "File Non Trovato", "Keine Datei gefunden"}},
    {"Please, Relocate Sound", {"S.v.p. rechercher le son", "Ricercare il suono", "Bitte, Ton auffinden"}},
    {"Updating will clear any edited markers. Are you sure you want to proceed?", {"La mise \xE0" " jour efface tous les marqueurs \xE9" "dit\xE9" "s. Proc\xE9" "der?", "Aggiornando verranno riposizionati tutti gli indicatori. Sei sicuro di voler continuare?", "Das Update l\xF6" "scht alle bearbeiteten Markierungen. Soll weitergefahren werden?"}},
    {"Quit", {"Quitter", "Esci", "Beenden"}},
    {"Add Exception", {"Ajouter exception", "Aggiungi Eccezione", "Ausnahme erg\xE4" "nzen"}},
    {"Written As:", {"Ecrit en tant que:", "Scritto:", "Geschrieben als:"}},
    {"Spoken As:", {"Prononc\xE9" ":", "Pronunciato:", "Ausgesprochen:"}},
    {"Test", {"Essai", "Test", "Test"}},
    {"Test Voice:", {"Essai voix:", "Voce Di Test:", "Test Stimme:"}},
    {"No blanks allowed!", {"Espaces vides ne sont pas permis!", "Spazi non consentiti!", "Leerschl\xE4" "ge nicht erlaubt!"}},
    {"Spaces are not allowed in the \"Written As:\" field, please remove any spaces before trying again.", {"Les espaces vides ne sont pas permis dans la case \"Ecrit en tant que:\". S.v.p. \xE9" "liminez-les avant de continuer.", "Gli spazi non sono consentito nel campo \"Scritto\"; elinimare spazi e riprovare.", "Leerschl\xE4" "ge sind nicht erlaubt im \"Geschrieben als:\" Feld. Vor dem Weiterfahren alle Leerschl\xE4" "ge entfernen."}},
    {"Speech Exceptions", {"Exception Synth\xE8" "se vocale", "Eccezioni Sintesi Vocale", "Ausnahme Rede"}},
    {"Add...", {"Ajouter...", "Aggiungi...", "Erg\xE4" "nzen..."}},
    {"Edit...", {"Edition...", "Modifica...", "Bearbeiten..."}},
    {"Delete", {"Effacer", "Cancella", "L\xF6" "schen"}},
    {"Edit Exception", {"Editer exception", "Modifica Eccezione", "Ausnahme bearbeiten"}},
    {"Sound Highlight Information File", {"Information mise en \xE9" "vidence de son", "File Di Informazione Suono Evidenzionato", "Information Ton-Hervorhebungen"}},
    {"Exception already defined", {"Exception d\xE9" "j\xE0" " dans la liste", "Eccezione gi\xE0" " definita", "Ausnahme schon definirt"}},
};
template <typename X>
void registerMediaClass(const char* Name)
{
    if (!kksIsClassRegistered(Name))
        X::registerClass();
}
} // namespace

K_DEFINE_CLASS(KSpeechExtrasLibrary, KThing, 1)

KSpeechExtrasLibrary::KSpeechExtrasLibrary()
{
    ++s_liveLibraries;
    registerClasses();
    initSpeechExceptions();
    buildStrings();
    // The program makes one library per run; a second one finds the type in place and
    // leaves it as it is rather than drawing the handler's duplicate report.
    if (!KFileTypeHandler::hasExtension(KString(KSoundHiliteFile::kExtension)))
        KFileTypeHandler::makeAssociation(KString(KSoundHiliteFile::kExtension), KString(KSoundHiliteFile::kCreator),
                                          KString(KSoundHiliteFile::kType), KString(KSoundHiliteFile::kDescription));
}

KSpeechExtrasLibrary::~KSpeechExtrasLibrary()
{
    clearLocalizer();
    if (--s_liveLibraries == 0)
        exitSpeechExceptions();
    releaseLocalizer();
}

void KSpeechExtrasLibrary::registerClasses()
{
    // The library object's class comes last, so its record says the whole list is there.
    if (kksIsClassRegistered("KSpeechExtrasLibrary"))
        return;
    // The media classes among them belong to the multimedia library: a program built
    // below the speech extras may have registered them already.
    registerMediaClass<KExtendedSpeech>("KExtendedSpeech");
    registerMediaClass<KSpeechException>("KSpeechException");
    registerMediaClass<KSpeechExceptionHandler>("KSpeechExceptionHandler");
    KSpeechExceptionsDialog::registerClass();
    KSpeechExceptionAddDialog::registerClass();
    KSoundHiliteEditorDialog::registerClass();
    registerMediaClass<KSoundHiliteMarker>("KSoundHiliteMarker");
    registerMediaClass<KSoundHiliteMedia>("KSoundHiliteMedia");
    KSpeechExtrasLibrary::registerClass();
}

void KSpeechExtrasLibrary::create() { s_library = new KSpeechExtrasLibrary; }
KSpeechExtrasLibrary& KSpeechExtrasLibrary::getLibrary() { return s_library.getObject(); }
bool KSpeechExtrasLibrary::hasLibrary() { return s_library.hasObject(nullptr); }
void KSpeechExtrasLibrary::release() { s_library.reset(); }

void KSpeechExtrasLibrary::initSpeechExceptions() { KSpeechExceptionHandler::createGlobal(); }
void KSpeechExtrasLibrary::exitSpeechExceptions() { KSpeechExceptionHandler::releaseGlobal(); }

KString KSpeechExtrasLibrary::getText(const char* Key) { return getLibrary().getLocalizer().getText(KString(Key)); }

void KSpeechExtrasLibrary::setLocalizer(KLocalizer& Localizer) { m_localizer.setObject(Localizer); }
void KSpeechExtrasLibrary::releaseLocalizer() { m_localizer.reset(); }

void KSpeechExtrasLibrary::buildStrings()
{
    KLocalizerPtr localizer = new KLocalizer;
    if (!localizer.hasObject(nullptr))
        return;
    setLocalizer(*localizer);
    kksFillLibraryLocalizer(*localizer, kTexts, sizeof kTexts / sizeof kTexts[0]);
}

void KSpeechExtrasLibrary::clearLocalizer()
{
    if (m_localizer.hasObject(nullptr))
        m_localizer->clear();
}

void KSpeechExtrasLibrary::setLanguage(const KString& Language)
{
    KLocalizer& localizer = getLocalizer();
    if (kIsNullReference(&localizer))
        return;
    localizer.setLanguage(Language);
    const KString extension(KSoundHiliteFile::kExtension);
    if (KFileTypeHandler::hasExtension(extension))
        KFileTypeHandler::getAssociationByExtension(extension).setDescription(
            localizer.getText(KString(KSoundHiliteFile::kDescription)));
}
