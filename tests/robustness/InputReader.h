#pragma once
// One way in which the program takes a file from the user's disk: a document reader or an
// image decoder, with the seeds its damaged inputs are made from.
#include "tests/robustness/DamageMaker.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

enum class Outcome { Loaded, Refused };

// Thrown by a reader that finds the program's state wrong after a refusal: the refusal
// was not clean.
class BrokenRefusal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Where the tests of a suite keep the damaged inputs of a reader.
std::string keptFailuresFolder(const std::string& Suite, const std::string& Reader);

class InputReader {
public:
    virtual ~InputReader() = default;

    virtual std::string name() const = 0;
    virtual DamageProfile profile() const = 0;

    // Writes the seeds the project's own writers make into Folder (which exists). Seeds
    // that come from elsewhere (image corpora) are only listed by seedFiles.
    virtual void writeSeeds(const std::string& Folder) { (void)Folder; }
    // Every seed file, in an order that does not change from run to run.
    virtual std::vector<std::string> seedFiles(const std::string& Folder) const;

    // The inputs that once failed, kept small for the tests of the suite that opens them;
    // each run opens them first. The documents' are the story tests'.
    virtual std::string regressionFolder() const { return keptFailuresFolder("story", name()); }

    // Once per child, before its first input; Folder is the child's own scratch folder.
    virtual void prepare(const std::string& Folder) { (void)Folder; }
    // Opens one input the way the program does; throws BrokenRefusal when a refusal
    // changed what was open before.
    virtual Outcome open(const Bytes& Input) = 0;
};

// Thrown by a reader whose input ran past the step bound: a decoder that would never end.
class StepBoundExceeded : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Every reader and decoder the runner covers, in the order of its summary.
std::vector<std::unique_ptr<InputReader>> makeAllReaders();
std::vector<std::unique_ptr<InputReader>> makeStoryDocumentReaders();
std::vector<std::unique_ptr<InputReader>> makeSpeechFileReaders();
std::vector<std::unique_ptr<InputReader>> makePreferencesReaders();
std::vector<std::unique_ptr<InputReader>> makeImageReaders();

// The files of Folder whose names end in one of the suffixes (letter case ignored),
// sorted by name; none when the folder is missing.
std::vector<std::string> filesIn(const std::string& Folder, const std::vector<std::string>& Suffixes);
Bytes readFileBytes(const std::string& Path);
void writeFileBytes(const std::string& Path, const Bytes& Data);
// The input files of a folder in the order a child opens them.
std::vector<std::string> inputFilesIn(const std::string& Folder);
// Makes the folder and those above it.
void makeFolder(const std::string& Path);

// Where the seeds of images come from: the libraries' source packages in the build tree,
// and the small images kept with the runner.
std::string buildFolder();
std::string sourceFolder();
