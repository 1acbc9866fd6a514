#include "multimedia/KMultiMediaLibrary.h"

#include "foundation/KFileTypeHandler.h"
#include "multimedia/KMediaManager.h"
#include "multimedia/KMovieSupport.h"
#include "multimedia/KSpeechSupport.h"
#include "multimedia/LibraryTexts.h"
#include "multimedia/MultimediaClasses.h"
#include "multimedia/recording/KSoundRecorder.h"
#include "multimedia/recording/RecordingTexts.h"
#include "multimedia/soundengine/KSoundSupport.h"

namespace {
KMultiMediaLibraryPtr s_library;

struct MediaFileType {
    const char* extension;
    const char* type;
    // What the type is called until a language is set; the key is looked up from then on.
    const char* registeredDescription;
    const char* descriptionKey;
};

const MediaFileType kFileTypes[] = {
    {"AIF", "AIFF", "AIFF Sound File", "AIFF Sound File"},
    {"AIFF", "AIFF", "AIFF Sound File", "AIFF Sound File"},
    {"WAV", "WAVE", "WAVE Sound File", "WAVE Sound File"},
    {"AU", "ULAW", "ULAW Sound File", "ULAW Sound File"},
    {"AIFC", "AIFC", "AIFC Sound File", "AIFC Sound File"},
    {"SND", "sfil", "System 7 Sound File", "System 7 Sound File"},
    {"MP3", "MPG3", "MP3 Audio File", "MP3 Sound File"},
    // "MIDI Sound File" has no text of its own: in every language it reads as itself.
    {"MID", "MIDI", "Midi File", "MIDI Sound File"},
    {"MIDI", "MIDI", "Midi File", "MIDI Sound File"},
    {"MPG", "MPEG", "MPEG Movie File", "MPEG Movie File"},
    {"MOV", "MooV", "Quicktime Movie File", "Quicktime Movie File"},
    {"MPEG", "MPEG", "MPEG Movie File", "MPEG Movie File"},
    {"AVI", "VfW ", "AVI Movie File", "AVI Movie File"},
};

constexpr const char* kMediaCreator = "TVOD";

// The file-type descriptions and the recording dialogs' texts. The eight quality texts
// and "Input Level:" are kept for the dialogs that offer a choice of quality.
const KLibraryText kTexts[] = {
    {"AIFF Sound File", {"Fichier audio AIFF", "File audio AIFF", "AIFF Tondatei"}},
    {"WAVE Sound File", {"Fichier audio WAVE", "File audio WAVE", "WAVE Tondatei"}},
    {"ULAW Sound File", {"Fichier audio ULAW", "File audio ULAW", "ULAW Tondatei"}},
    {"AIFC Sound File", {"Fichier audio AIFC", "File audio AIFC", "AIFC Tondatei"}},
    {"System 7 Sound File", {"Fichier audio System 7", "File audio System 7", "System 7 Tondatei"}},
    {"MP3 Sound File", {"Fichier audio MP3", "File audio MP3", "MP3 Tondatei"}},
    {"MPEG Movie File", {"Fichier vid\xE9" "o MPEG", "Filmato MPEG", "MPEG Videodatei"}},
    {"Quicktime Movie File", {"Fichier vid\xE9" "o Quicktime", "Filmato Quicktime", "Quicktime Videodatei"}},
    {"AVI Movie File", {"Fichier vid\xE9" "o AVI", "Filmato AVI", "AVI Videodatei"}},
    {"Recorded Sound", {"", "", ""}},
    {"Warning!", {"", "", ""}},
    {"This sound already exists. Are you sure you want to overwrite it?", {"", "", ""}},
    {"Mono, Phone Quality, 8KHz", {"Mono, Qualit\xE9" "e T\xE9" "l\xE9" "phone, 8KHz", "", ""}},
    {"Stereo, Phone Quality, 8KHz", {"Stereo, Qualit\xE9" "e T\xE9" "l\xE9" "phone, 8KHz", "", ""}},
    {"Mono, Good Quality, 11KHz", {"Mono, Bonne Qualit\xE9" "e, 11KHz", "", ""}},
    {"Stereo, Good Quality, 11KHz", {"Stereo, Bonne Qualit\xE9" "e, 11KHz", "", ""}},
    {"Mono, Best Quality, 22KHz", {"Mono, Qualit\xE9" "e Excellente, 22KHz", "", ""}},
    {"Stereo, Best Quality, 22KHz", {"Stereo, Qualit\xE9" "e Excellente, 22KHz", "", ""}},
    {"Mono, CD Quality, 44KHz", {"Mono, Qualit\xE9" "e CD, 44KHz", "", ""}},
    {"Stereo, CD Quality, 44KHz", {"Stereo, Qualit\xE9" "e CD, 44KHz", "", ""}},
    {"Record Sound", {"Enregistrer Son", "Registra Suono", "Ton aufnehmen"}},
    {"Record", {"Enregistrer", "Registra", "Aufnahme"}},
    {"Play", {"Action", "Azione", "Abspielen"}},
    {"Stop", {"Stop", "Ferma", "Stop"}},
    {"Input Level:", {"Niveau:", "Livello:", "Pegel:"}},
    {"New Sound File", {"Nouveau Son", "Nuovo Suono", "Neues Ton"}},
    {"Name:", {"Nom:", "Nome:", "Name:"}},
};
} // namespace

K_DEFINE_CLASS(KMultiMediaLibrary, KThing, 1)

KMultiMediaLibrary::KMultiMediaLibrary()
{
    registerClasses();
    createSupports();
    registerFileTypes();
    buildTexts();
}

KMultiMediaLibrary::~KMultiMediaLibrary()
{
    if (m_localizer.hasObject(nullptr))
        m_localizer->clear();
    releaseSupports();
    resetLocalizer();
}

void KMultiMediaLibrary::registerClasses() { kksRegisterMultimediaClasses(); }

void KMultiMediaLibrary::create() { s_library = new KMultiMediaLibrary; }
KMultiMediaLibrary& KMultiMediaLibrary::getLibrary() { return s_library.getObject(); }
bool KMultiMediaLibrary::hasLibrary() { return s_library.hasObject(nullptr); }
void KMultiMediaLibrary::release() { s_library.reset(); }

void KMultiMediaLibrary::initFileTypeNames(const KString& Language)
{
    KMultiMediaLibrary& library = getLibrary();
    if (!kIsNullReference(&library))
        library.setLanguage(Language);
}

void KMultiMediaLibrary::setLocalizer(KLocalizer& Localizer)
{
    m_localizer.setObject(Localizer);
    RecordingTexts::setLocalizer(&Localizer);
}

void KMultiMediaLibrary::resetLocalizer()
{
    RecordingTexts::setLocalizer(nullptr);
    m_localizer.reset();
}

void KMultiMediaLibrary::setLanguage(const KString& Language)
{
    KLocalizer& localizer = getLocalizer();
    if (kIsNullReference(&localizer))
        return;
    localizer.setLanguage(Language);
    for (const MediaFileType& row : kFileTypes) {
        // Types stay registered after the library goes, but an application that goes
        // takes them all with it.
        if (!KFileTypeHandler::hasExtension(KString(row.extension)))
            continue;
        KFileTypeHandler::getAssociationByExtension(KString(row.extension))
            .setDescription(localizer.getText(KString(row.descriptionKey)));
    }
}

void KMultiMediaLibrary::createSupports()
{
    KSoundSupport::create();
    KSoundRecorder::initialize();
    KSpeechSupport::createSpeechSupport();
    KMovieSupport::createMovieSupport();
    KMediaManager::createMediaManager();
}

void KMultiMediaLibrary::releaseSupports()
{
    // No medium may outlive its engine.
    if (KMediaManager::hasMediaManager())
        KMediaManager::getMediaManager().unloadAll();
    KMovieSupport::releaseMovieSupport();
    KSpeechSupport::releaseSpeechSupport();
    KSoundRecorder::terminate();
    KSoundSupport::release();
    KMediaManager::releaseMediaManager();
}

void KMultiMediaLibrary::registerFileTypes()
{
    // An extension registered already is reported by the handler, and the rest go on.
    for (const MediaFileType& row : kFileTypes)
        KFileTypeHandler::makeAssociation(KString(row.extension), KString(kMediaCreator), KString(row.type),
                                          KString(row.registeredDescription));
}

void KMultiMediaLibrary::buildTexts()
{
    KLocalizerPtr localizer = new KLocalizer;
    if (!localizer.hasObject(nullptr))
        return;
    setLocalizer(*localizer);
    kksFillLibraryLocalizer(*localizer, kTexts, sizeof kTexts / sizeof kTexts[0]);
}
