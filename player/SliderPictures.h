#pragma once
// The pictures at the ends of the player's speed sliders, each with its mask: slow at the
// left end, fast at the right.
constexpr short kSlowEndPicture = 10100;
constexpr short kFastEndPicture = 10101;
constexpr short kSlowEndMask = 10102;
constexpr short kFastEndMask = 10103;
