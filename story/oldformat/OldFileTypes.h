#pragma once
// The old program's table of the file kinds its documents name media by: for each kind
// an extension, a second extension, the Macintosh creator and type codes and a kind name.
#include <string>

struct OldFileType {
    std::string extension;
    std::string secondExtension;
    std::string creator;
    std::string type;
    std::string kindName;
};

// Appends a row.
void addOldFileType(const char* Extension, const char* SecondExtension, const char* Creator, const char* Type,
                    const char* KindName);

class OldFileTypes {
public:
    // The five kinds old documents use (image, sound, movie, text, application), once.
    static void registerTypes();
    // The first row with the type code; null when there is none.
    static const OldFileType* findByType(const char* Type);
    static long getCount();
};
