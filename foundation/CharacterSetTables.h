#pragma once
// Byte-for-byte conversion between Mac OS Roman and Windows-1252. A character that the
// other set lacks becomes 0x7F; a few look-alikes are mapped by hand (quotes, dashes,
// ligatures) the way the framework has always stored them.
extern const unsigned char kMacRomanToWindows[256];
extern const unsigned char kWindowsToMacRoman[256];
