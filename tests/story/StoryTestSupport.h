#pragma once
// Shared by the story tests: a fixture with the timer manager (story sprite layers make
// compositors, which start timers) and a folder for blocks and files, and the player's
// application object for the tests that need its project, preferences or file types.
#include "foundation/KFileTypeHandler.h"
#include "player/LumoApplication.h"
#include "story/StoryClasses.h"
#include "story/Tape.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/multimedia/AnimationTestSupport.h"
#include "tests/support/SuiteClasses.h"
#include "tests/support/TemporaryFolder.h"

inline void registerStoryTestClasses()
{
    registerStoryClasses();
    LumoApplication::registerClass();
}

class StoryTest : public AnimationTest {
protected:
    TemporaryFolder m_folder;
    BlockFile m_blocks{m_folder.file("block.bin")};
    ReaderState m_reader;
};

// The player's application object for the length of a test. Its destructor empties the
// class registry and the file types, so everything is registered again afterwards.
class PlayerApplicationScope {
public:
    PlayerApplicationScope()
    {
        LumoApplication::createApplication();
        // The application's actor documents.
        LumoApplication::getApplication().setActorFileType(
            KFileTypeHandler::makeAssociation(KString("ACT"), KString("NRAX"), KString("NRXA"), KString("Narrabo Actor")));
    }
    ~PlayerApplicationScope()
    {
        LumoApplication::releaseApplication();
        KApplication::releaseApplication();
        if (!KClass::getFirst())
            registerAllTestClasses();
    }
    PlayerApplicationScope(const PlayerApplicationScope&) = delete;
    PlayerApplicationScope& operator=(const PlayerApplicationScope&) = delete;

    LumoApplication* operator->() const { return &LumoApplication::getApplication(); }
};
