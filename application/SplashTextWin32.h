#pragma once
// The text the splash window shows under its picture; the splash window procedure reads
// it when it paints.
void setSplashTextWin32(const char* Characters, long Length);
const char* getSplashTextWin32();
long getSplashTextLengthWin32();
