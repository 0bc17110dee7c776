// The single open-file slot through which every data file is read or
// written. Lines end in CR LF when written; readers take CR LF, LF or CR.
// A file being written is flushed line by line, so a crash keeps every line
// already written, and synced to disk when it is closed.
#pragma once

#include <string>

#include "shell/terminal.h"

namespace rx {

// Closes any open data file, then opens name in the data directory: for
// writing (created or emptied) or for reading. False when it failed; then
// no file is open (t.dataFile.IsOpen()).
bool OpenDataFile(Terminal& t, FileAccess access, const std::string& name);

// Writes text and CR LF. False when no file is open for writing or the line
// could not be written (disk full, directory gone).
bool WriteDataLine(Terminal& t, const std::string& text);

// The next line without its line end; false at the end of the file or on a
// read error.
bool ReadDataLine(Terminal& t, std::string* line);

// Up to size bytes of the file open for reading, as they are; 0 at its end
// or on a read error.
std::size_t ReadDataBlock(Terminal& t, char* buffer, std::size_t size);

// Closes the open data file, if any. False when what was written to it did
// not all reach the disk (its last write or its sync failed).
bool CloseDataFile(Terminal& t);

// A record line: block code, bib, time; 14 characters, or 13 as the hunter
// start writes them. Lines of any other length are passed over.
inline bool IsRecordLine(const std::string& line) { return line.size() == 13 || line.size() == 14; }

// Number of characters of a line or name, as the operator counts them.
std::size_t CharacterCount(const std::string& text);

}  // namespace rx
