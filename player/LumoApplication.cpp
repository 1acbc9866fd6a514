#include "player/LumoApplication.h"

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

void LumoApplication::setLocalizer(KLocalizer& L) { m_localizer.setObject(L); }
void LumoApplication::resetLocalizer() { m_localizer.reset(); }
void LumoApplication::setProject(LumoProject& P) { m_project.setObject(P); }
void LumoApplication::resetProject() { m_project.reset(); }

void LumoApplication::setNewDocumentSize(long Width, long Height)
{
    m_newDocW = Width;
    m_newDocH = Height;
}
