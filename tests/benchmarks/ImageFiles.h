#pragma once
// The benchmark's test pictures: one synthetic scene (gradients, flat shapes and a noisy
// patch, so that run-length coders meet both runs and literal stretches) written in every
// format the image-import layer reads.
#include <cstdint>
#include <string>
#include <vector>

namespace bench {

struct Picture {
    long width = 0;
    long height = 0;
    // Top-down rows of red, green, blue.
    std::vector<uint8_t> rgb;
};

Picture makeScene(long Width, long Height);

bool writeBmp(const std::string& Path, const Picture& P);
// 256 colours (3-3-2), LZW as GIF 87a writers do: clear codes when the table is full.
bool writeGif(const std::string& Path, const Picture& P);
// 24-bit colour in three planes.
bool writePcx(const std::string& Path, const Picture& P);
// 24-bit, run-length encoded (type 10), bottom-up.
bool writeTga(const std::string& Path, const Picture& P);
bool writeJpeg(const std::string& Path, const Picture& P, int Quality);
bool writePng(const std::string& Path, const Picture& P);
bool writeTiff(const std::string& Path, const Picture& P);

// The decoding libraries' own work on these files, for the references: the pixels of the
// file decoded into memory rows and nothing else. False when the library refused.
bool decodeJpegWithLibrary(const std::string& Path, std::vector<uint8_t>& Out);
bool decodePngWithLibrary(const std::string& Path, std::vector<uint8_t>& Out);
bool decodeTiffWithLibrary(const std::string& Path, std::vector<uint8_t>& Out);

} // namespace bench
