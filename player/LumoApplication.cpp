#include "player/LumoApplication.h"

#include "foundation/KernelFunctions.h"

K_DEFINE_CLASS(LumoApplication, KApplication, 1)

namespace {
LumoApplicationPtr s_application;
} // namespace

LumoApplication::LumoApplication() = default;

LumoApplication::~LumoApplication()
{
    resetProject();
    resetLocalizer();
}

void LumoApplication::createApplication()
{
    LumoApplicationPtr application(new LumoApplication);
    s_application = application;
}

LumoApplication& LumoApplication::getApplication() { return s_application.getObject(); }
bool LumoApplication::hasApplication() { return s_application.hasObject(nullptr); }
void LumoApplication::releaseApplication() { s_application.reset(); }

KGraphicSize LumoApplication::getNewDocumentSize()
{
    if (!hasApplication())
        return KGraphicSize(kDefaultNewDocumentWidth, kDefaultNewDocumentHeight);
    const LumoApplication& application = getApplication();
    return KGraphicSize(static_cast<short>(application.m_newDocW), static_cast<short>(application.m_newDocH));
}

KString LumoApplication::localize(const char* Key)
{
    const KString key(Key);
    if (!hasApplication() || !getApplication().hasLocalizer())
        return key;
    return getApplication().getLocalizer().getText(key);
}

KString LumoApplication::getCurrentVoice()
{
    return hasApplication() ? getApplication().m_lastUsedVoice : KString();
}

short LumoApplication::getCurrentSpeechSpeed()
{
    return hasApplication() ? getApplication().m_speechSpeed : kOwnSpeechSpeed;
}

bool LumoApplication::usesCustomSpeechSpeed() { return hasApplication() && getApplication().m_customSpeechSpeed; }

namespace {
void alertOnce(bool& Shown, const char* Text)
{
    if (Shown)
        return;
    Shown = true;
    knsMessageBox(LumoApplication::localize("Narrabo"), LumoApplication::localize(Text));
}
} // namespace

void LumoApplication::warnNoSpeech()
{
    if (hasApplication())
        alertOnce(getApplication().m_speechAlertShown, "No Speech Synthesis is installed!");
}

void LumoApplication::warnNoQuickTime()
{
    if (hasApplication())
        alertOnce(getApplication().m_quickTimeAlertShown, "QuickTime is not installed!");
}

void LumoApplication::setLocalizer(KLocalizer& L) { m_localizer.setObject(L); }
void LumoApplication::resetLocalizer() { m_localizer.reset(); }
void LumoApplication::setProject(LumoProject& P) { m_project.setObject(P); }
void LumoApplication::resetProject() { m_project.reset(); }

void LumoApplication::setNewDocumentSize(long Width, long Height)
{
    m_newDocW = Width;
    m_newDocH = Height;
}
