#pragma once
// The image operations that work on the bitmap's bits directly: black and white,
// thresholding with smoothing, and grey.
class KImage;

// Level −1 uses the platform's own colour-to-monochrome rule; any other level makes a
// pixel black when 256 × (R + G + B) / 3 is below the level taken as unsigned, else white.
void convertToBlackAndWhiteWin32(KImage& Image, short Level);
// Black below (Level / 256) × 3 for R + G + B, else white; then every pixel off the border
// becomes the grey mean of its 3 × 3 neighbourhood, which softens the edges.
void thresholdAndSmoothWin32(KImage& Image, short Level);
// Each pixel becomes the grey (R + G + B) / 3 of its 16-bit components.
void convertToGreyWin32(KImage& Image);
