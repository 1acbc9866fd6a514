#pragma once
// The machine's one list of pronunciation exceptions, shared by all its users:
// "KSpeechExceptions.DAT" in the folder "KSpeechExceptions" of the common application
// data folder. The exceptions editor writes it and reads it; the speech-exceptions
// handler reads it when it is made and when it is told to reload, so all three build the
// path and read the entries here.
//
// The file, all numbers 32-bit big-endian: "KSPX", a long written as 0 and not looked at
// when read, the count of entries, then each entry as the class block of a
// KSpeechException. The entries go out in the order given; readers sort them by their
// written form.
#include "foundation/KDirectory.h"
#include "foundation/KFileReference.h"

class KBag;
class KTree;

class KSpeechExceptionsFile {
public:
    // "KSPX" read as a long.
    static constexpr long kMagic = 0x4B535058;

    enum ReadResult {
        NoFile,
        // The file is there but is not an exceptions file: nothing was read.
        Refused,
        Read,
    };

    // A folder to stand in for the common application data folder, so that tests keep to
    // a folder of their own; an empty directory returns to the real one.
    static void setDataFolder(const KDirectory& Folder);
    static KFileReference getFileReference();

    // Inserts every entry of the file into the tree and rebalances it. The count is not
    // trusted: reading stops at the first entry the file does not hold whole, or that is
    // not an exception's block, keeping those before it; a file that ends before its
    // count holds none. An entry with an empty written form is kept, as the editor
    // accepts and writes one.
    static ReadResult read(KTree& Into);
    // Writes the KSpeechExceptions of the bag, in its order, creating the folder when it
    // is missing. False when the file could not be written whole; the earlier file then
    // stays as it was.
    static bool write(const KBag& Exceptions);

private:
    static KDirectory& dataFolderSeam();
};
