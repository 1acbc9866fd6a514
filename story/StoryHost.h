#pragma once
// What the story engine asks of the program that plays its stories: its texts in the
// user's language, the speech preferences new speeches start with, the page size of new
// tapes, the alerts for media this machine lacks, the project that is open and the file
// type of actor documents. The player's application object provides it; the engine finds
// it as the application, so that nothing below the player names the player's classes.
// While no application provides it, the engine gives its own answers.
#include "foundation/KFileType.h"
#include "foundation/KGraphicSize.h"
#include "foundation/KString.h"

class LumoProject;

class StoryHost {
public:
    // The page of a new tape while no host says otherwise.
    static constexpr long kDefaultNewDocumentWidth = 800;
    static constexpr long kDefaultNewDocumentHeight = 600;
    // A speech speed that leaves the voice at its own speed.
    static constexpr short kOwnSpeechSpeed = -1;

    // The application when it hosts stories; null otherwise (no application, or one of
    // another kind).
    static StoryHost* find();
    // The host found, or else the engine's own answers: every key is its own text, new
    // tapes are 800 × 600, speeches start with no voice at the voice's own speed, no
    // alert shows, no project is open and actor documents have no file type.
    static StoryHost& get();

    StoryHost() = default;
    StoryHost(const StoryHost&) = delete;
    StoryHost& operator=(const StoryHost&) = delete;

    // The text of Key in the user's language; the key itself where there is none.
    virtual KString getLocalizedText(const char* Key) const = 0;
    // The voice new speeches and spoken texts start with; empty for the engine's choice.
    virtual KString getSpeechVoice() const = 0;
    // The speed in hundredths (kOwnSpeechSpeed and 50 keep the voice's own), which
    // applies only while custom speeds are on.
    virtual short getSpeechSpeed() const = 0;
    virtual bool getCustomSpeechSpeed() const = 0;
    virtual KGraphicSize getNewDocumentSize() const = 0;
    // The alerts for stories that need speech synthesis or QuickTime where there is none:
    // each shows once in a run, the first time it is asked for.
    virtual void warnNoSpeech() = 0;
    virtual void warnNoQuickTime() = 0;
    // The project open; error 18 when none is.
    virtual LumoProject& getProject() const = 0;
    virtual bool hasProject() const = 0;
    // The file type whose type code marks actor documents; kNoFileType for none.
    virtual KFileTypeID getActorFileType() const = 0;

protected:
    virtual ~StoryHost();
};
