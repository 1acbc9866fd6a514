#pragma once
// Files the document readers open by path: the program's own paths are Windows paths,
// so the readers work in folders of the temporary folder, and seeds written there are
// then kept in the runner's seed folder.
#include "foundation/KFileReference.h"
#include "tests/robustness/DamageMaker.h"

#include <functional>
#include <string>

// A folder of its own in the temporary folder, made when missing.
std::string scratchFolder(const std::string& Name);
// The folder of a child process, where it writes the inputs its readers open; a child
// that ends on a failure leaves it to its parent to remove.
std::string scratchFolderOfChild();
std::string scratchFolderOfChild(unsigned long ProcessId);
void removeScratchFolder(const std::string& Folder);
KFileReference fileReferenceOf(const std::string& WindowsPath);
// Lets Write make the file Name through the program's own writer in a scratch folder,
// then keeps its bytes in SeedFolder under the same name.
void keepSeed(const std::string& SeedFolder, const std::string& Name, const std::function<bool(const KFileReference&)>& Write);
// The registry class IDs of every class the program has registered, for damage that
// swaps one stored class for another.
std::vector<uint32_t> registeredClassIds();
// The damage of files of big-endian class blocks (documents and the speech extras' files).
DamageProfile classBlockProfile();
