#include "story/StoryClasses.h"

#include "story/Actor.h"
#include "story/ActorSequence.h"
#include "story/LumoProject.h"
#include "story/LumoSpriteSystem.h"
#include "story/Tape.h"
#include "story/TapeGraphicObject.h"
#include "story/TapeObject.h"

void registerStoryClasses()
{
    ActorSequence::registerClass();
    Actor::registerClass();
    Tape::registerClass();
    TapeObject::registerClass();
    TapeGraphicObject::registerClass();
    LumoSpriteSystem::registerClass();
    LumoProject::registerClass();
}
