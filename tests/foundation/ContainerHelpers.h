#pragma once
// Helpers shared by the foundation tests: strings as plain texts, heap strings as
// elements, the texts or raw values a container holds, and a fixture that fails a test
// leaving objects on the heap.
#include "foundation/KArray.h"
#include "foundation/KString.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

inline std::string text(const KString& S)
{
    return std::string(S.getText(), S.getLength());
}

inline std::string text(const KThing& S)
{
    return text(static_cast<const KString&>(S));
}

inline KString& heapString(const char* Text)
{
    return *new KString(Text);
}

// The texts of the string elements at 0..getSize()−1; "-" for an empty slot.
inline std::vector<std::string> textsOf(const KArray& Array)
{
    std::vector<std::string> texts;
    for (long pos = 0; pos < Array.getSize(); ++pos)
        texts.push_back(Array.hasObjectAt(pos) ? text(Array.getObjectAt(pos)) : "-");
    return texts;
}

inline std::vector<long> valuesOf(const KArray& Array)
{
    std::vector<long> values;
    for (long pos = 0; pos < Array.getSize(); ++pos)
        values.push_back(Array.getDirectDataAt(pos));
    return values;
}

class LeakChecked : public testing::Test {
protected:
    void SetUp() override { m_heapBlocks = KThing::getHeapBlockCount(); }
    void TearDown() override { EXPECT_EQ(KThing::getHeapBlockCount(), m_heapBlocks) << "leaked objects"; }
    long m_heapBlocks = 0;
};
