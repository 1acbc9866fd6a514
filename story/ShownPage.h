#pragma once
// The page of the story that the application's window shows, placed at (0, 0): new
// objects are centred on it.
#include "foundation/KGraphicRectangle.h"
#include "multimedia/KSpriteSystem.h"
#include "story/LumoSpriteSystem.h"
#include "story/StoryStage.h"

// False while no window shows a story layer.
inline bool kFindShownPage(KGraphicRectangle& Out)
{
    StoryStage* stage = StoryStage::find();
    if (!stage || !stage->hasSpriteSystem())
        return false;
    const KGraphicRectangle& bounds = stage->getSpriteSystem().getSpriteSystem().getBounds();
    Out = KGraphicRectangle(0, 0, bounds.getWidth(), bounds.getHeight());
    return true;
}
