#pragma once
// Where the parts of a packed device-independent bitmap (the block of a BMP file after its
// 14-byte file header) lie, and whether the block holds all of them. BMP data comes from
// files and documents, so nothing in it is believed before it is checked against the
// bytes that are really there.
#include "foundation/KTypes.h"

struct DibBlockLayout {
    long width;
    // Positive also for top-down bitmaps.
    long height;
    // From the block's start: header, colour masks when they follow a 40-byte header, and
    // the colour table come first.
    uint32 bitsOffset;
};

// True when Size bytes hold a known header (12-byte core, or 40 to 124 bytes), a colour
// table and pixel rows as large as the header says, for a drawable depth and compression.
bool readDibBlockLayout(const uint8* Block, uint32 Size, DibBlockLayout& Layout);
