#include "story/StoryStage.h"

#include "application/KApplication.h"
#include "application/KWindow.h"

StoryStage::~StoryStage() = default;

StoryStage* StoryStage::find()
{
    KApplication* application = KApplication::getApplication();
    if (!application || !application->hasMainWindow())
        return nullptr;
    return dynamic_cast<StoryStage*>(&application->getMainWindow());
}
