#pragma once
// The seeds of each reader, kept under one root folder in a folder named after the
// reader, and the damaged copies made from them.
#include "tests/robustness/DamageMaker.h"

#include <string>

class InputReader;

std::string seedFolderOf(const std::string& SeedRoot, const InputReader& Reader);
// Writes the seeds the project's writers make (the parent does, once a run).
void writeSeedsOf(InputReader& Reader, const std::string& SeedRoot);
// Every seed of the reader, read back, in the maker of its damaged copies.
DamageMaker seedSetOf(const InputReader& Reader, const std::string& SeedRoot);
