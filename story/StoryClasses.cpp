#include "story/StoryClasses.h"

#include "story/Actor.h"
#include "story/ActorAction.h"
#include "story/ActorMotion.h"
#include "story/ActorSequence.h"
#include "story/LumoImage.h"
#include "story/LumoMovie.h"
#include "story/LumoPause.h"
#include "story/LumoProject.h"
#include "story/LumoSound.h"
#include "story/LumoSpeech.h"
#include "story/LumoSpriteSystem.h"
#include "story/LumoText.h"
#include "story/Stroke.h"
#include "story/Tape.h"
#include "story/TapeGraphicObject.h"
#include "story/TapeObject.h"
#include "story/WaitObject.h"
#include "story/WipeOut.h"

void registerStoryClasses()
{
    ActorSequence::registerClass();
    Actor::registerClass();
    Tape::registerClass();
    TapeObject::registerClass();
    ActorAction::registerClass();
    ActorMotion::registerClass();
    LumoSound::registerClass();
    LumoSpeech::registerClass();
    WaitObject::registerClass();
    LumoPause::registerClass();
    TapeGraphicObject::registerClass();
    LumoMovie::registerClass();
    LumoImage::registerClass();
    LumoText::registerClass();
    Stroke::registerClass();
    WipeOut::registerClass();
    LumoSpriteSystem::registerClass();
    LumoProject::registerClass();
}
