// The file selection list: up to 51 names in three columns and a count line.
#pragma once

#include "shell/terminal.h"

namespace rx {

// What a file selection lists, and so how many cells it has.
enum class FileListing {
  EveryFile,        // every data file (51 cells)
  AllBlocks,        // all-blocks files "*.C*" (33)
  OneBlock,         // one-block files, extension not beginning with "C" (33)
  FirstRunResults,  // first-run results "F*.*" (51)
};
inline constexpr FileListing kAllFileListings[] = {FileListing::EveryFile, FileListing::AllBlocks,
                                                   FileListing::OneBlock, FileListing::FirstRunResults};

// Names are listed in name order, case ignored.
void ListDataFiles(Terminal& t, FileListing kind);

// Wildcard match as the operators know it from their old system: case
// ignored, "*" any run of characters, "?" one, "*.*" every name.
bool MatchesPattern(const std::string& name, const std::string& pattern);

}  // namespace rx
