// The pronunciation exceptions: the rewriting of a text with its position table, and the
// speech that speaks the rewritten text and maps its words back to the written one.
#include "foundation/KFileSystem.h"
#include "multimedia/KSpeechExceptionsFile.h"
#include "tests/multimedia/SpeechTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

namespace {

using Pairs = std::vector<std::pair<const char*, const char*>>;

// The exceptions file in a common data folder of the test's own, as the editor writes it;
// the file's own tests are the speech extras'.
struct ExceptionsFolder {
    ExceptionsFolder()
    {
        KFileSystem::initFileSystem();
        KPath path;
        path.setPathText(KString((folder.path() + "\\").c_str()), kPlatformWindows);
        KFileSystem::getFileSystem().commonApplicationDataDirectory = KDirectory(path);
        CreateDirectoryA(folder.file("KSpeechExceptions").c_str(), nullptr);
    }
    ~ExceptionsFolder() { KFileSystem::exitFileSystem(); }
    void write(const Pairs& Exceptions)
    {
        KBag exceptions;
        for (const auto& pair : Exceptions)
            exceptions.add(*new KSpeechException(KString(pair.first), KString(pair.second)));
        ASSERT_TRUE(KSpeechExceptionsFile::write(exceptions));
    }
    TemporaryFolder folder;
};

const Pairs kExceptions = {{"Dr", "Doctor"}, {"e.g.", "for example"}, {"Hi", "Hello"}, {"well-known", "famous"}};

std::vector<long> entries(const KBag& Table)
{
    std::vector<long> out;
    for (long i = 0; i < Table.getCount(); ++i)
        out.push_back(Table.getDirectDataAt(i));
    return out;
}

TEST(SpeechExceptions, RewriteWordsWithTheirMarksAndMapEverySpokenCharacterBack)
{
    SpeechScope scope;
    ExceptionsFolder folder;
    folder.write(kExceptions);
    KSpeechExceptionHandler::createGlobal();
    KSpeechExceptionHandler& handler = KSpeechExceptionHandler::getInstance();
    EXPECT_EQ(handler.getExceptionCount(), 4);
    const struct {
        const char* written;
        const char* spoken;
        std::vector<long> table;
    } texts[] = {
        {"Dr. Smith", "Doctor. Smith ", {0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 6, 7, 8}},
        {"dr. Smith", "dr. Smith ", {0, 1, 2, 3, 4, 4, 5, 6, 7, 8}},
        {"Hello world", "Hello world ", {0, 1, 2, 3, 4, 5, 6, 6, 7, 8, 9, 10}},
        {"see e.g.", "see for example ", {}},
        {"Hi! Hi?", "Hello! Hello? ", {}},
        {"well-known", "famous ", {}},
        {"a  b", "a  b ", {0, 1, 2, 3, 3}},
        {"", "", {}},
    };
    for (const auto& t : texts) {
        KBag table;
        table.setIsDirect(true);
        KString spoken;
        handler.rewrite(KString(t.written), spoken, table);
        EXPECT_STREQ(spoken.getText(), t.spoken) << t.written;
        EXPECT_EQ(table.getCount(), spoken.getLength()) << t.written;
        if (!t.table.empty()) {
            EXPECT_EQ(entries(table), t.table) << t.written;
        }
    }
}

struct ExceptionsScope : SpeechScope {
    ExceptionsScope()
    {
        engine.addVoice("Anna");
        open();
        folder.write(kExceptions);
        KSpeechExceptionHandler::createGlobal();
    }
    ExceptionsFolder folder;
};

TEST(ExtendedSpeech, SpeaksTheRespelledTextAndSendsTheWrittenWords)
{
    ExceptionsScope scope;
    HeardSpeech<KExtendedSpeech> heard;
    KExtendedSpeech& speech = *heard.speech;
    const long counted = speech.getReferenceCount();
    speech.speak(KString("Anna"), KString("Dr. Smith"));
    EXPECT_TRUE(scope.engine.called("Speak 17 Doctor. Smith "));
    scope.passAfter(scope.engine.leadMs);
    scope.passAfter(scope.engine.wordMs);
    EXPECT_EQ(heard.recorder->seen, (std::vector<std::string>{word(0, 4), word(4, 5)}));
    EXPECT_EQ(heard.recorder->types, (std::vector<std::string>{"", ""}));
    scope.passAfter(scope.engine.wordMs);
    EXPECT_EQ(speech.getState(), KAbstractMedia::Loaded);
    EXPECT_EQ(speech.getInnerSpeech().getState(), KAbstractMedia::Loaded);
    // Once stopped, the inner speech no longer holds it.
    EXPECT_EQ(speech.getReferenceCount(), counted + 1);
}

TEST(ExtendedSpeech, MapsOnlyWordsThatLieInTheSpokenTextAndNoneWithoutAHandler)
{
    ExceptionsScope scope;
    HeardSpeech<KExtendedSpeech> heard;
    KExtendedSpeech& speech = *heard.speech;
    speech.setText(KString("Hello world"));
    auto feedback = [&](long Start, long Length, KThing& Source) {
        KMediaFeedbackEventPtr event = new KMediaFeedbackEvent;
        event->setSource(Source);
        event->setLong(KMediaFeedbackEvent::kWordStart, Start);
        event->setLong(KMediaFeedbackEvent::kWordLength, Length);
        return speech.handleEvent(*event);
    };
    KSpeech& inner = speech.getInnerSpeech();
    EXPECT_TRUE(feedback(10, 10, inner));
    EXPECT_TRUE(feedback(-2, 4, inner));
    EXPECT_FALSE(feedback(12, 1, inner));
    EXPECT_FALSE(feedback(3, 0, inner));
    EXPECT_FALSE(feedback(0, 5, speech));
    KEventPtr other = new KEvent;
    EXPECT_FALSE(speech.handleEvent(*other));
    // A new text is mapped at once, also for words of the old one that arrive later.
    speech.setText(KString("Dr. Smith"));
    EXPECT_TRUE(feedback(8, 6, inner));
    EXPECT_EQ(heard.recorder->seen, (std::vector<std::string>{word(9, 2), word(0, 2), word(4, 5)}));
    // Without a handler the text is spoken as written.
    KSpeechExceptionHandler::releaseGlobal();
    speech.setText(KString("Dr. Smith"));
    EXPECT_STREQ(speech.getSpokenText().getText(), "Dr. Smith");

    ReportCatcher catcher;
    KExtendedSpeech onStack;
    EXPECT_TRUE(catcher.caught(3, "KExtendedSpeech::KExtendedSpeech()"));
}

} // namespace
