#pragma once
// Class blocks of one section that holds two things: two numbers (the points and sizes,
// 16-bit for the drawing layer, 32-bit for the interactive layer), or the blocks of two
// member objects (the rectangles, the paired bags). Reading keeps the values as they
// were unless the block's first section is section 1.
#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"

inline void kReadValue(KFile& F, short& Value) { F.readShort(Value); }
inline void kReadValue(KFile& F, long& Value) { F.readLong(Value); }
inline void kWriteValue(KFile& F, short Value) { F.writeShort(Value); }
inline void kWriteValue(KFile& F, long Value) { F.writeLong(Value); }

template <typename T>
bool kReadValuePairBlock(KFile& F, KClass* Record, T& First, T& Second)
{
    KClassReader reader;
    const bool found = reader.beginAtSection(F, Record, 1);
    if (found) {
        T first = 0;
        T second = 0;
        kReadValue(F, first);
        kReadValue(F, second);
        First = first;
        Second = second;
    }
    reader.end();
    return found;
}

template <typename T>
void kWriteValuePairBlock(KFile& F, KClass* Record, T First, T Second)
{
    KClassWriter writer;
    writer.begin(F, Record);
    writer.newSection(1);
    kWriteValue(F, First);
    kWriteValue(F, Second);
    writer.end();
}

inline void kReadMemberPairBlock(KFile& F, KClass* Record, KThing& First, KThing& Second)
{
    KClassReader reader;
    if (reader.beginAtSection(F, Record, 1)) {
        First.readFromFile(F);
        Second.readFromFile(F);
    }
    reader.end();
}

inline void kWriteMemberPairBlock(KFile& F, KClass* Record, KThing& First, KThing& Second)
{
    KClassWriter writer;
    writer.begin(F, Record);
    writer.newSection(1);
    First.writeToFile(F, 1);
    Second.writeToFile(F, 1);
    writer.end();
}
