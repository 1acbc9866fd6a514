#pragma once
// Shared by the story tests: a fixture with the timer manager (story sprite layers make
// compositors, which start timers) and a folder for blocks and files, and an application
// that hosts the story engine for the tests that need its project, preferences or file
// types.
#include "foundation/KDocument.h"
#include "foundation/KFileTypeHandler.h"
#include "story/StoryClasses.h"
#include "story/Tape.h"
#include "tests/application/ApplicationTestSupport.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/multimedia/AnimationTestSupport.h"
#include "tests/story/StoryTestApplication.h"
#include "tests/support/ReportCatcher.h"
#include "tests/support/SuiteClasses.h"
#include "tests/support/TemporaryFolder.h"

class StoryTest : public AnimationTest {
protected:
    KFileReference fileIn(const std::string& Name) const { return KFileReference(windowsPath(m_folder.file(Name))); }
    // A folder in the test's folder (the folder itself without Sub), with its closing
    // backslash.
    KPath folderIn(const std::string& Sub = "") const
    {
        return windowsPath(m_folder.path() + "\\" + (Sub.empty() ? "" : Sub + "\\"));
    }
    // A document of the type and creator (its version) with the entries, as another
    // program may write it.
    void writeDocument(const std::string& Name, long Type, long Creator,
                       std::initializer_list<std::pair<const char*, KThing*>> Entries) const
    {
        KDocument document;
        document.setFileReference(*KFileReferencePtr(new KFileReference(fileIn(Name))));
        document.setType(Type);
        document.setCreator(Creator);
        for (const auto& [name, object] : Entries)
            document.addNamedObject(KString(name), *object);
        ASSERT_TRUE(document.save());
        document.clear();
    }
    // The message boxes of loading the project from the file, as "caption: text".
    std::vector<std::string> messagesOfLoading(LumoProject& P, const std::string& Name, bool Loads) const
    {
        ReportCatcher catcher;
        EXPECT_EQ(P.load(fileIn(Name)), Loads) << Name;
        std::vector<std::string> messages;
        for (const CaughtMessageBox& box : catcher.boxes())
            messages.push_back(box.caption + ": " + box.text);
        return messages;
    }

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
