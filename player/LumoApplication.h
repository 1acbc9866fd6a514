#pragma once
// The player's application object: it owns the application localiser, the current
// project, the document file types and the preference values that the story engine reads.
// The story engine reaches it through the static accessors.
#include "application/KApplication.h"
#include "foundation/KFileType.h"
#include "foundation/KGraphicSize.h"
#include "foundation/KLocalizer.h"
#include "story/LumoProject.h"

class LumoApplication : public KApplication {
    K_DECLARE_CLASS(LumoApplication)
public:
    static constexpr long kDefaultNewDocumentWidth = 800;
    static constexpr long kDefaultNewDocumentHeight = 600;
    // A speech speed that leaves the voice at its own speed.
    static constexpr short kOwnSpeechSpeed = -1;

    LumoApplication();
    ~LumoApplication() override;

    // The one application object, in a global pointer.
    static void createApplication();
    // Error 18 when there is none.
    static LumoApplication& getApplication();
    static bool hasApplication();
    static void releaseApplication();

    // The page size of a new tape: the preferences of the application, or their defaults
    // while there is no application.
    static KGraphicSize getNewDocumentSize();
    // The text of Key in the application localiser; the key itself while there is no
    // application or localiser.
    static KString localize(const char* Key);
    // The speech preferences that speeches and spoken texts read: the voice they start
    // with ("LastUsedVoice"), and the speed in hundredths ("SpeechSpeed"; -1 and 50 keep
    // the voice's own) that applies only while custom speeds are on ("CustomSpeechSpeed").
    // Their defaults while there is no application.
    static KString getCurrentVoice();
    static short getCurrentSpeechSpeed();
    static bool usesCustomSpeechSpeed();
    // The alerts for stories that need speech synthesis or QuickTime where there is none:
    // each shows once in a run, the first time it is asked for; later calls, and calls
    // while there is no application, do nothing.
    static void warnNoSpeech();
    static void warnNoQuickTime();

    virtual void setLocalizer(KLocalizer& L);
    virtual void resetLocalizer();
    virtual void setProject(LumoProject& P);
    virtual void resetProject();

    // The application localiser (the framework's is KApplication::getLocalizer); error
    // 18 when none is set.
    KLocalizer& getLocalizer() const { return m_localizer.getObject(); }
    bool hasLocalizer() const { return m_localizer.hasObject(nullptr); }
    // The current project; error 18 when none is open.
    LumoProject& getProject() const { return m_project.getObject(); }
    bool hasProject() const { return m_project.hasObject(nullptr); }

    KFileTypeID getActorFileType() const { return m_actorFileType; }
    void setActorFileType(KFileTypeID Type) { m_actorFileType = Type; }
    long getNewDocW() const { return m_newDocW; }
    long getNewDocH() const { return m_newDocH; }
    void setNewDocumentSize(long Width, long Height);
    const KString& getLastUsedVoice() const { return m_lastUsedVoice; }
    void setLastUsedVoice(const KString& Voice) { m_lastUsedVoice = Voice; }
    short getSpeechSpeed() const { return m_speechSpeed; }
    void setSpeechSpeed(short Speed) { m_speechSpeed = Speed; }
    bool getCustomSpeechSpeed() const { return m_customSpeechSpeed; }
    void setCustomSpeechSpeed(bool On) { m_customSpeechSpeed = On; }

private:
    KLocalizerPtr m_localizer;
    LumoProjectPtr m_project;
    KFileTypeID m_actorFileType = kNoFileType;
    long m_newDocW = kDefaultNewDocumentWidth;
    long m_newDocH = kDefaultNewDocumentHeight;
    KString m_lastUsedVoice;
    short m_speechSpeed = kOwnSpeechSpeed;
    bool m_customSpeechSpeed = false;
    bool m_speechAlertShown = false;
    bool m_quickTimeAlertShown = false;
};

K_POINTER_CLASS(LumoApplication, KApplicationPtr);
