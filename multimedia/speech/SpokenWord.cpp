#include "multimedia/speech/SpokenWord.h"

#include "graphics/NativeTextWin32.h"

long kssMeasureSpokenWord(const char* Text, long Length, long Position)
{
    if (!Text || Position < 0 || Position >= Length)
        return 0;
    for (long i = Position; i < Length; ++i) {
        if (kksIsWordSeparator(Text[i]))
            return i - Position + 1;
    }
    return Length - Position;
}
