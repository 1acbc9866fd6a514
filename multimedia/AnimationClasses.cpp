#include "multimedia/AnimationClasses.h"

#include "multimedia/KAnimationController.h"
#include "multimedia/KAnimationObject.h"
#include "multimedia/KAnimationPoint.h"
#include "multimedia/KAnimationSystem.h"
#include "multimedia/KAnimationVector.h"
#include "multimedia/KBresenham.h"
#include "multimedia/KSprite.h"
#include "multimedia/KSpriteLayer.h"
#include "multimedia/KSpriteSystem.h"

void kksRegisterAnimationClasses()
{
    KAnimationController::registerClass();
    KAnimationObject::registerClass();
    KAnimationPoint::registerClass();
    KAnimationSystem::registerClass();
    KAnimationVector::registerClass();
    KBresenham::registerClass();
    KSprite::registerClass();
    KSpriteLayer::registerClass();
    KSpriteSystem::registerClass();
}
