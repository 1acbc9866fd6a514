#pragma once
// Fills a current tape from the tape of an old document: a 640 × 480 page, the position,
// the pace, the loop and page flags, and each story object turned into the current object
// of its kind.
class Tape;
class ZTape;

// False, with the tape untouched, when an object cannot be converted: a bare tape object
// has no kind to become.
bool convertFromOldTape(Tape& Target, const ZTape& Old);
