#include "application/SplashTextWin32.h"

namespace {
const char* s_characters = nullptr;
long s_length = 0;
} // namespace

void setSplashTextWin32(const char* Characters, long Length)
{
    s_characters = Characters;
    s_length = Length;
}

const char* getSplashTextWin32() { return s_characters; }

long getSplashTextLengthWin32() { return s_length; }
