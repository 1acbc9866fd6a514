#pragma once
// The player's four story commands: open a project the user picks, open a given project
// document, play the story the main window shows and stop it. The menus, the main
// window's keys, the open-document event and the end of a story all come here.
#include "foundation/KThingPtr.h"

class KFileReference;

class LumoActions : public KThing {
public:
    // Made by the start-up, dropped at quit.
    static void create();
    static void destroy();
    // Error 18 when there is none.
    static LumoActions& getInstance();
    static bool exists();

    // "Open Project": a file dialog on the projects folder, then openDocument.
    void openProject();
    // True when the document is now the story the main window shows, stopped at its
    // start. A missing file answers false silently; a document that cannot be read, or
    // whose page is larger than the screen, answers false after a message, and the
    // previous story stays.
    bool openDocument(const KFileReference& File);
    // Starts the story from its beginning, or from the position shown; FillScreen lays
    // the window over the whole screen first. QuitOnStop ends the program when this play
    // stops, for whatever reason.
    void play(bool FromCurrentObject, bool FillScreen, bool QuitOnStop);
    void stop();
    // The answer to a quit request: 2, the program may quit.
    uint8 getMode() const { return 2; }
    bool getQuitOnStop() const { return m_quitOnStop; }

private:
    bool m_quitOnStop = false;
};

K_POINTER_CLASS(LumoActions, KThingPtr);
