// The speech extras' files: the machine's list of pronunciation exceptions, as the speech
// handler reads it and applies it to a text, and a sound-highlight file, whose refusal must
// leave the media and length the editor had.
#include "foundation/KBag.h"
#include "multimedia/KSoundHiliteMarker.h"
#include "multimedia/KSoundHiliteMedia.h"
#include "multimedia/KSpeechException.h"
#include "multimedia/KSpeechExceptionHandler.h"
#include "speechextras/KSoundHiliteFile.h"
#include "multimedia/KSpeechExceptionsFile.h"
#include "tests/robustness/InputReader.h"
#include "tests/robustness/ScratchFiles.h"

namespace {

KDirectory folderOf(const std::string& WindowsFolder)
{
    return fileReferenceOf(WindowsFolder + "\\x").getDirectory();
}

class SpeechExceptionsReader : public InputReader {
public:
    std::string name() const override { return "speechexceptions"; }
    std::string regressionFolder() const override { return keptFailuresFolder("speechextras", name()); }
    DamageProfile profile() const override { return classBlockProfile(); }

    void writeSeeds(const std::string& Folder) override
    {
        const std::string made = scratchFolder("robustness-exceptions-seed");
        KSpeechExceptionsFile::setDataFolder(folderOf(made));
        KBag exceptions;
        const char* pairs[][2] = {{"Narrabo", "Narr-ah-bo"}, {"fox", "focks"}, {"Zoe", "Zo-ee"}, {"", "empty"},
            {"colour", "color"}};
        for (const auto& pair : pairs)
            exceptions.add(*KThingPtr(new KSpeechException(KString(pair[0]), KString(pair[1]))));
        if (!KSpeechExceptionsFile::write(exceptions))
            throw std::runtime_error("the program could not write the exceptions seed");
        writeFileBytes(Folder + "/KSpeechExceptions.DAT", readFileBytes(KSpeechExceptionsFile::getFileReference().getNativePath().getText()));
        KSpeechExceptionsFile::setDataFolder(KDirectory());
    }

    void prepare(const std::string& Folder) override
    {
        KSpeechExceptionsFile::setDataFolder(folderOf(Folder));
        m_path = KSpeechExceptionsFile::getFileReference().getNativePath().getText();
        makeFolder(fileReferenceOf(m_path).getDirectory().getNativePath().getText());
        if (!KSpeechExceptionHandler::hasInstance())
            KSpeechExceptionHandler::createGlobal();
    }

    Outcome open(const Bytes& Input) override
    {
        writeFileBytes(m_path, Input);
        KSpeechExceptionHandler& handler = KSpeechExceptionHandler::getInstance();
        handler.reload();
        // What speech does with the list: every word of a text looked up and rewritten.
        KString spoken;
        KBag table;
        table.setIsDirect(true);
        handler.rewrite(KString("Narrabo told the fox about Zoe and the colour red"), spoken, table);
        return handler.getExceptionCount() > 0 ? Outcome::Loaded : Outcome::Refused;
    }

private:
    std::string m_path;
};

class SoundHiliteReader : public InputReader {
public:
    std::string name() const override { return "soundhilite"; }
    std::string regressionFolder() const override { return keptFailuresFolder("speechextras", name()); }
    DamageProfile profile() const override { return classBlockProfile(); }

    void writeSeeds(const std::string& Folder) override
    {
        keepSeed(Folder, "Reading.SHI", [](const KFileReference& File) {
            KSoundHiliteMediaPtr media(new KSoundHiliteMedia);
            media->setText(KString("Once upon a time there was a fox"));
            media->setSoundFile(fileReferenceOf("C:\\Media\\Reading.wav"));
            KBag markers;
            long start = 0;
            for (const char* word : {"Once", "upon", "a", "time"}) {
                KTypedPtr<KSoundHiliteMarker, KThingPtr> marker(new KSoundHiliteMarker);
                marker->setTime(start * 40);
                marker->setWordStart(start);
                marker->setWordLength(static_cast<long>(std::string(word).size()));
                marker->setWord(KString(word));
                markers.add(*marker);
                start += static_cast<long>(std::string(word).size()) + 1;
            }
            media->setMarkers(markers);
            return KSoundHiliteFile::save(File, 2500, *media);
        });
        keepSeed(Folder, "Empty.SHI", [](const KFileReference& File) {
            return KSoundHiliteFile::save(File, 0, *KSoundHiliteMediaPtr(new KSoundHiliteMedia));
        });
    }

    void prepare(const std::string& Folder) override { m_path = Folder + "\\Reading.SHI"; }

    Outcome open(const Bytes& Input) override
    {
        writeFileBytes(m_path, Input);
        KSoundHiliteMediaPtr media(new KSoundHiliteMedia);
        const KString text("What the editor had");
        media->setText(text);
        long length = 1234;
        if (KSoundHiliteFile::load(fileReferenceOf(m_path), length, *media))
            return Outcome::Loaded;
        if (length != 1234 || !(media->getText() == text) || media->getMarkers().getCount() != 0)
            throw BrokenRefusal("the refused sound-highlight file changed the media");
        return Outcome::Refused;
    }

private:
    std::string m_path;
};

} // namespace

std::vector<std::unique_ptr<InputReader>> makeSpeechFileReaders()
{
    std::vector<std::unique_ptr<InputReader>> readers;
    readers.push_back(std::make_unique<SpeechExceptionsReader>());
    readers.push_back(std::make_unique<SoundHiliteReader>());
    return readers;
}
