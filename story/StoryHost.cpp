#include "story/StoryHost.h"

#include "application/KApplication.h"
#include "story/LumoProject.h"

StoryHost::~StoryHost() = default;

namespace {
// The engine's answers while no application hosts its stories.
class EngineDefaults final : public StoryHost {
public:
    KString getLocalizedText(const char* Key) const override { return KString(Key); }
    KString getSpeechVoice() const override { return KString(); }
    short getSpeechSpeed() const override { return kOwnSpeechSpeed; }
    bool getCustomSpeechSpeed() const override { return false; }
    KGraphicSize getNewDocumentSize() const override
    {
        return KGraphicSize(kDefaultNewDocumentWidth, kDefaultNewDocumentHeight);
    }
    void warnNoSpeech() override {}
    void warnNoQuickTime() override {}
    // Always empty: asking it for its project reports what a host without one does.
    LumoProject& getProject() const override { return m_noProject.getObject(); }
    bool hasProject() const override { return false; }
    KFileTypeID getActorFileType() const override { return kNoFileType; }

private:
    LumoProjectPtr m_noProject;
};
} // namespace

StoryHost* StoryHost::find() { return dynamic_cast<StoryHost*>(KApplication::getApplication()); }

StoryHost& StoryHost::get()
{
    if (StoryHost* host = find())
        return *host;
    static EngineDefaults defaults;
    return defaults;
}
