#pragma once
// The story tests' application: it hosts the story engine as the player's application does,
// with preferences the tests set and without a localiser, so every key is its own text.
#include "application/KApplication.h"
#include "foundation/KernelFunctions.h"
#include "story/LumoProject.h"
#include "story/StoryHost.h"

class StoryTestApplication : public KApplication, public StoryHost {
public:
    KString getLocalizedText(const char* Key) const override { return KString(Key); }
    KString getSpeechVoice() const override { return m_lastUsedVoice; }
    short getSpeechSpeed() const override { return m_speechSpeed; }
    bool getCustomSpeechSpeed() const override { return m_customSpeechSpeed; }
    KGraphicSize getNewDocumentSize() const override { return m_newDocumentSize; }
    void warnNoSpeech() override { alertOnce(m_speechAlertShown, "No Speech Synthesis is installed!"); }
    void warnNoQuickTime() override { alertOnce(m_quickTimeAlertShown, "QuickTime is not installed!"); }
    LumoProject& getProject() const override { return m_project.getObject(); }
    bool hasProject() const override { return m_project.hasObject(nullptr); }
    KFileTypeID getActorFileType() const override { return m_actorFileType; }

    void setLastUsedVoice(const KString& Voice) { m_lastUsedVoice = Voice; }
    void setSpeechSpeed(short Speed) { m_speechSpeed = Speed; }
    void setCustomSpeechSpeed(bool On) { m_customSpeechSpeed = On; }
    void setNewDocumentSize(long Width, long Height)
    {
        m_newDocumentSize = KGraphicSize(static_cast<short>(Width), static_cast<short>(Height));
    }
    void setProject(LumoProject& P) { m_project.setObject(P); }
    void resetProject() { m_project.reset(); }
    void setActorFileType(KFileTypeID Type) { m_actorFileType = Type; }

private:
    void alertOnce(bool& Shown, const char* Text)
    {
        if (!Shown)
            knsMessageBox("Narrabo", Text);
        Shown = true;
    }

    KString m_lastUsedVoice;
    short m_speechSpeed = kOwnSpeechSpeed;
    bool m_customSpeechSpeed = false;
    KGraphicSize m_newDocumentSize{kDefaultNewDocumentWidth, kDefaultNewDocumentHeight};
    LumoProjectPtr m_project;
    KFileTypeID m_actorFileType = kNoFileType;
    bool m_speechAlertShown = false;
    bool m_quickTimeAlertShown = false;
};
