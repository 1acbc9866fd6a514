#include "player/LumoTextTable.h"

#include "multimedia/LibraryTexts.h"

namespace {
// Sorted by the keys' bytes taken as signed values, as the localiser orders them.
const KLibraryText kTexts[] = {
    {") exceeds screen resolution (", {") exc\xE8" "de la r\xE9solution de l'\xE9" "cran (", ") supera la risoluzione dello schermo (", ") Uebersteigt die Bildschirmaufl\xF6sung ("}},
    {"); this document cannot be opened.", {"); Ce document ne peut pas \xEAtre ouvert.", "); questo documento non pu\xF2 essere aperto.", "); Dieses Dokument kann nicht ge\xF6" "ffnet werden."}},
    {"About Narrabo", {"Au sujet d'Fabulo", "Informazioni su Fabulo", "\xDC" "ber Fabulo"}},
    {"About Narrabo Player", {"Au sujet du Player Fabulo", "Informazioni su Fabulo Player", "\xDC" "ber den Fabulo Player"}},
    {"Advanced Features", {"Fonctions avanc\xE9" "es", "Opzioni avanzate", "Weitere Funktionen"}},
    {"Animate", {"Animer", "Animazione", "Animation"}},
    {"Animation Setup", {"Pr\xE9" "f\xE9rences animation", "Impostazioni Animazione", "Animationseinstellungen"}},
    {"Error while reading file", {"Erreur survenue pendant la lecture du fichier", "Errore durante la lettura", "Fehler beim Lesen der Datei"}},
    {"Exit and Restart Program to Activate New Language", {"Pour activer la nouvelle langue il est n\xE9" "cessaire de  quitter l'application et de la red\xE9marrer.", "Ora \xE8 necessario uscire e riavviare il programma per attivare la lingua selezionata.", "Um die neue Sprache zu aktivieren, muss das Programm beendet und neu gestartet werden"}},
    {"File", {"Fichier", "File", "Datei"}},
    {"Full screen (backdrop window)", {"Ecran complet avec bordure", "Schermo Pieno (Finestra di sfondo)", "Vollbildschirm mit Randabdeckung"}},
    {"Full screen with resolution change", {"Ecran complet - r\xE9solution adapt\xE9" "e", "Schermo Pieno (Cambio di risoluzione)", "Vollbildschirm (Aufl\xF6sung ver\xE4ndert)"}},
    {"Hello, I'm talking to you!", {"Bonjour, je te parle!", "Buongiorno, parlo con te!", "Guten Tag, ich spreche mit dir!"}},
    {"Help", {"Aide", "Aiuto", "Hilfe"}},
    {"Hide MenuBar", {"Cacher la barre des menus", "Nascondi i menu", "Men\xFC" "balken verstecken"}},
    {"It seams that this project is of a newer version; some data was ignored", {"Il semble que ce soit une nouvelle version du projet; certaines donn\xE9" "es ont \xE9t\xE9 ignor\xE9" "es", "Sembra che questo progetto sia di una versione pi\xF9 recente; alcuni dati sono stati ignorati", "Dies scheint eine neue Projekt-Version zu sein; gewisse Daten wurden nicht beachtet."}},
    {"Language", {"Langue", "Lingua", "Sprache"}},
    {"Load Project", {"Charger projet", "Carica Progetto", "Projekt laden"}},
    {"Loading...", {"est entrain de charger...", "in caricamento...", "ist am Laden..."}},
    {"Looping Animation", {"Animation continue", "Animazione continua", "Fortlaufende Animation"}},
    {"Modify Standard Voice Speed", {"Modifier vitesse voix standard", "Modifica Velocit\xE0 Sintesi Standard", "Standardredetempo aendern"}},
    {"Movement", {"Mouvement", "Movimento", "Bewegung"}},
    {"Narrabo", {"Fabulo", "Fabulo", "Fabulo"}},
    {"Narrabo Actor", {"Acteur Fabulo", "Attore Fabulo", "Akteur Fabulo"}},
    {"Narrabo Color Palette", {"Palette couleurs Fabulo", "Palette Colori Fabulo", "Farbpalette Fabulo"}},
    {"Narrabo Document", {"Document Fabulo", "Documento Fabulo", "Dokument Fabulo"}},
    {"Narrabo Document - Old Version", {"Document Fabulo- version ancienne", "Documento Fabulo - vecchia versione", "Dokument Fabulo - alte Version"}},
    {"Narrabo Projects", {"Projets  Fabulo", "Progetti Fabulo", "Projekt Fabulo"}},
    {"New Language", {"Nouvelle Langue", "Nuova Lingua", "Sprache neu"}},
    {"New Text", {"Nouveau Texte", "Nuovo Testo", "Neuer Text"}},
    {"No Speech Synthesis is installed!", {"Aucun logiciel de synth\xE8se vocale n'est install\xE9!", "La sintesi vocale non \xE8 installata!", "Die Sprachsynthese ist nicht installiert!"}},
    {"Open Project", {"Ouvrir projet", "Apri Progetto", "Oeffnen Projekt"}},
    {"Play", {"Action", "Azione", "Abspielen"}},
    {"QuickTime is not installed!", {"QuickTime n'est pas install\xE9!", "QuickTime non \xE8 installato!", "QuickTime ist nicht installiert!"}},
    {"Stop", {"Arr\xEAter", "Ferma", "Stopp"}},
    {"Text", {"Texte", "Testo", "Text"}},
    {"This document's resolution (", {"La r\xE9solution de ce document (", "La risoluzione di questo documento (", "Aufl\xF6sung des Dokuments("}},
    {"This file is not a Narrabo Document File!", {"Ce fichier n'est pas un fichier Fabulo!", "Questo non e' un file Fabulo", "Diese Datei ist keine Fabulo Datei"}},
    {"This file is not an Actor Document File!", {"Ce fichier n'est pas un fichier acteur!", "Questo non \xE8 un file di un attore Fabulo", "Kein Akteur"}},
    {"Try Speed", {"Essaye vitesse", "Prova Velocit\xE0", "Versuche Redetempo"}},
    {"Voice", {"Voix", "Voce", "Stimme"}},
    {"Voice Speed", {"Vitesse voix", "Velocit\xE0 Sintesi", "Redetempo"}},
    {"Voice Speed: default speed", {"Vitesse voix standard", "Velocit\xE0 Sintesi: Standard", "Standardredetempo"}},
    {"Voice Speed: max", {"Vitesse voix max", "Velocit\xE0 Sintesi: Massima", "Max. Redetempo"}},
    {"Voice Speed: min", {"Vitesse voix min", "Velocit\xE0 Sintesi: Minima", "Min. Redetempo"}},
    {"Window", {"Fen\xEAtre", "In Finestra", "mit Fenster"}},
    {"Window Mode", {"Mode de la fen\xEAtre", "Modalit\xE0 Della Finestra", "Einstellung Fenster"}},
};
constexpr long kTextCount = sizeof kTexts / sizeof kTexts[0];
} // namespace

void LumoTextTable::fill(KLocalizer& Localizer) { kksFillLibraryLocalizer(Localizer, kTexts, kTextCount); }

long LumoTextTable::getKeyCount() { return kTextCount; }
