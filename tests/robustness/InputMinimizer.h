#pragma once
// Cuts a failing input down to the smallest file that still fails the same way (same
// kind, same message), for the regression files of the tests: ranges of bytes are taken
// out, halving their length whenever none can go, and the candidates of one round run in
// one child until the first of them fails.
#include <string>

// Gives 0 and writes the smallest input to Output when Input failed; 1 when it did not.
int minimizeInput(const std::string& Reader, const std::string& Input, const std::string& Output, const std::string& WorkFolder);
// Opens one input file in a child and prints how it ended; 0 when it was opened cleanly.
int replayInput(const std::string& Reader, const std::string& Input, const std::string& WorkFolder);
