#pragma once
// Shared by the story tests: a fixture with the timer manager (story sprite layers make
// compositors, which start timers) and a folder for blocks and files, and an application
// that hosts the story engine for the tests that need its project, preferences or file
// types.
#include "foundation/KFileTypeHandler.h"
#include "story/StoryClasses.h"
#include "story/Tape.h"
#include "tests/application/ApplicationTestSupport.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/multimedia/AnimationTestSupport.h"
#include "tests/story/StoryTestApplication.h"
#include "tests/support/SuiteClasses.h"
#include "tests/support/TemporaryFolder.h"

class StoryTest : public AnimationTest {
protected:
    TemporaryFolder m_folder;
    BlockFile m_blocks{m_folder.file("block.bin")};
    ReaderState m_reader;
};

// The story host for the length of a test, with the player's actor documents. Its
// destructor empties the class registry and the file types, so everything is registered
// again afterwards.
class StoryApplicationScope : public ApplicationScope<StoryTestApplication> {
public:
    StoryApplicationScope()
    {
        (*this)->setActorFileType(
            KFileTypeHandler::makeAssociation(KString("ACT"), KString("NRAX"), KString("NRXA"), KString("Narrabo Actor")));
    }
};
