#include "story/oldformat/OldFileTypes.h"

#include <vector>

namespace {
std::vector<OldFileType>& table()
{
    static std::vector<OldFileType> rows;
    return rows;
}
} // namespace

void addOldFileType(const char* Extension, const char* SecondExtension, const char* Creator, const char* Type,
                    const char* KindName)
{
    table().push_back({Extension, SecondExtension, Creator, Type, KindName});
}

void OldFileTypes::registerTypes()
{
    if (!table().empty())
        return;
    addOldFileType("BMP", "PIC", "ttxt", "PICT", "Image");
    addOldFileType("WAV", "AIF", "sSnd", "AIFF", "Sound");
    addOldFileType("MOV", "MOV", "TVOD", "MooV", "Movie");
    addOldFileType("TXT", "TXT", "ttxt", "TEXT", "Text File");
    addOldFileType("EXE", "APPL", "APPL", "APPL", "Application");
}

const OldFileType* OldFileTypes::findByType(const char* Type)
{
    for (const OldFileType& row : table()) {
        if (row.type == Type)
            return &row;
    }
    return nullptr;
}

long OldFileTypes::getCount() { return static_cast<long>(table().size()); }
