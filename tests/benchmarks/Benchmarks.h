#pragma once
// The benchmark's groups of figures. Each makes its own inputs in Folder, with the
// project's own writers where the project has them, and adds its figures to the list.
#include "tests/benchmarks/Measurement.h"

#include <string>
#include <vector>

namespace bench {

// A 2000-object story of mixed kinds, loaded as the player loads a project document,
// against one raw read of the file's bytes.
void addStoryLoadFigures(std::vector<Figure>& Figures, const std::string& Folder);
// Story pictures drawn with their default soft mask against the same drawn unmasked, at
// 640 × 480 and 2000 × 1500; and an 800 × 600 page with 20 alpha sprites.
void addPictureFigures(std::vector<Figure>& Figures, const std::string& Folder);
// Every decoder of the image-import layer on a 2000 × 1500 picture: the own decoders
// against the floor (one read of the file and one copy of the decoded size), the library
// decoders against their library's own decode.
void addDecoderFigures(std::vector<Figure>& Figures, const std::string& Folder);

// The real main loop with one 20 ms timer in the tape's catch-up mode, against a
// multimedia timer waking a blocked thread: processor time and tick regularity. Prints
// its own table.
void runIdleLoopFigures(int Rounds, double SecondsPerRun);

// Reports raised by the framework while the benchmark ran (none is expected).
long reportCount();

} // namespace bench
