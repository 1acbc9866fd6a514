#pragma once
// The animation tests run on a driven millisecond clock with the timer manager in place,
// since every animation system starts its timers when it is made; sprites get frames of
// one colour; the compositor's pictures read as rows of characters (GraphicsTestSupport).
#include "application/KTimerManager.h"
#include "foundation/KernelFunctions.h"
#include "graphics/KImage.h"
#include "multimedia/KSprite.h"
#include "tests/application/ApplicationTestSupport.h"
#include "tests/foundation/ContainerHelpers.h"
#include "tests/graphics/GraphicsTestSupport.h"

class AnimationTest : public LeakChecked {
protected:
    AnimationTest()
    {
        if (!KTimerManager::exists())
            KTimerManager::initManager();
    }

    KTimerManager& timers() { return KTimerManager::getManager(); }

    DrivenClock m_clock;
};

// A heap image of Width × Height pixels in one colour ('g', 'b', 'r', '#' or '.').
inline KImagePtr solidImage(short Width, short Height, char Color)
{
    KImagePtr image(new KImage);
    makePicture(*image, PixelRows(size_t(Height), std::string(size_t(Width), Color)));
    return image;
}

// A heap sprite at (H, V) with one frame, held by the pointer it is returned in.
inline KSpritePtr solidSprite(short H, short V, short Width, short Height, char Color)
{
    KSpritePtr sprite(new KSprite);
    sprite->addFrame(*solidImage(Width, Height, Color));
    sprite->setPosition(H, V);
    return sprite;
}
