#include "story/oldformat/OldTapeConversion.h"

#include "story/Tape.h"
#include "story/oldformat/ZTape.h"

#include <vector>

namespace {
constexpr short kOldPageWidth = 640;
constexpr short kOldPageHeight = 480;

long clamped(long Value, long Lowest, long Highest) { return Value < Lowest ? Lowest : (Value > Highest ? Highest : Value); }
} // namespace

bool convertFromOldTape(Tape& Target, const ZTape& Old)
{
    std::vector<TapeObjectPtr> objects;
    for (long i = 0; i < Old.getCount(); ++i) {
        TapeObjectPtr object = Old.getObjectAt(i).convertToKTapeObject();
        if (!object.hasObject(nullptr))
            return false;
        objects.push_back(object);
    }

    for (uint32 bit = Tape::MarkFlag0; bit <= Tape::SmallScreenFlag; ++bit)
        Target.resetFlag(bit);
    Target.setFlag(Tape::MarkFlag0);
    Target.setFrameTape(false);
    Target.setPageWidth(kOldPageWidth);
    Target.setPageHeight(kOldPageHeight);
    // Old documents give their pace in units of their own: the interval is two thirds of
    // the old rate, in whole milliseconds (20 gives 13).
    Target.setTickInterval(static_cast<long>(static_cast<long long>(Old.getTickRate()) * 2 / 3));
    if (Old.getLoopFlag() != 0)
        Target.setFlag(Tape::LoopFlag);
    if (Old.getPageFlag() != 0) {
        Target.setFlag(Tape::HideMenuBarFlag);
        Target.setFlag(Tape::SmallScreenFlag);
    }
    for (const TapeObjectPtr& object : objects) {
        Target.add(*object);
        object->setTape(Target);
    }
    // As a current tape's reading does, a position outside the objects is held at the
    // nearest end.
    Target.setCurrentPosition(clamped(Old.getCurrentPosition(), 0, Target.getCount()));
    return true;
}
