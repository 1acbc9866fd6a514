#pragma once
// Helpers shared by the container tests: heap strings as elements, and the texts or raw
// values a container holds, so that expectations read as plain lists.
#include "foundation/KArray.h"
#include "foundation/KString.h"

#include <string>
#include <vector>

inline KString& heapString(const char* Text)
{
    return *new KString(Text);
}

// The texts of the string elements at 0..getSize()−1; "-" for an empty slot.
inline std::vector<std::string> textsOf(const KArray& Array)
{
    std::vector<std::string> texts;
    for (long pos = 0; pos < Array.getSize(); ++pos) {
        if (!Array.hasObjectAt(pos)) {
            texts.push_back("-");
            continue;
        }
        const auto& string = static_cast<const KString&>(Array.getObjectAt(pos));
        texts.emplace_back(string.getText(), string.getLength());
    }
    return texts;
}

inline std::vector<long> valuesOf(const KArray& Array)
{
    std::vector<long> values;
    for (long pos = 0; pos < Array.getSize(); ++pos)
        values.push_back(Array.getDirectDataAt(pos));
    return values;
}
