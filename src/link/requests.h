// What a screen hands the link when it starts an exchange: everything the
// exchange needs, taken from the screen once. The link keeps the request for
// the exchange's duration and reads no screen.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "data/memories.h"

namespace rx {

// The record an edit screen names.
struct RecordFields {
  std::string blockCode;  // one character
  std::string bib;        // three characters
  std::string course;     // dual-course add: "1" or "2"
  std::string timeField;  // 12 characters: the new time as sent
  std::string team;       // relay results: block code + bib
};

// A read: one record onto an edit screen, or the whole memory into a file.
struct ReadRequest {
  Memory memory = Memory::Course;
  bool oneRecord = true;
  RecordFields record;               // one record: which
  std::string fileName;              // into a file: its name in the data directory
  std::optional<char> onlyBlock;     // into a file: keep only this block code's records
};

enum class Change { Modify, Add, DualAdd, Delete };

// A change of one record, or of a relay team (legs, total; no legs deletes it).
struct EditRequest {
  Memory memory = Memory::Course;
  Change change = Change::Modify;
  RecordFields record;
  std::vector<std::string> legTimes;  // relay results: each leg's time field
  std::string totalTime;              // relay results: the total's time field
  bool print = false;                 // ask the device to print the accepted change
  bool bestOutput = false;            // then its best times (result memories only)
};

// A data file sent into the device, one load command per record line.
struct SendRequest {
  std::string fileName;            // its memory letter chooses the command head
  std::optional<char> block;       // every record re-addressed to this block code
};

// A data file written as text lines: header, record lines, trailer.
struct TextOutputRequest {
  std::string fileName;            // in the data directory; named by the header and trailer
  std::optional<char> onlyBlock;   // only the record lines of this block code
};

}  // namespace rx
