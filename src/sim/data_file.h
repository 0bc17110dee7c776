// Data files as the terminal keeps them: one record per line, block code, bib
// and ten time digits (13-character lines accepted), CR LF or LF endings. The
// first letter of the file name names the memory: C, D, F, S, G, V or Y.
#pragma once

#include <string>
#include <vector>

#include "sim/memory.h"

namespace rx::sim {

// Adds the records of the lines to the memory, replacing records with the
// same key. Lines of other lengths are skipped, as the terminal does. For
// relay results, consecutive lines of one team are its legs and, last, its
// total. False with a message naming the line when a record is not valid.
bool LoadLines(DeviceMemory& memory, MemoryKind kind, const std::vector<std::string>& lines,
               std::string* error);

bool LoadDataFile(DeviceMemory& memory, const std::string& path, std::string* error);

}  // namespace rx::sim
