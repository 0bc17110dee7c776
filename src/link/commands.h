// Bodies of the commands sent to the device: always 20 characters.
//
// Layout: family (2), memory selector (2), block code (1), bib (3), time
// field (12: the time without ":" and ".", blank-filled). Relay results put
// the leg letter ("B" leg 1 ... "K" leg 10, "S" the total) in the selector's
// second place and the team (block code + bib) after it.
#pragma once

#include <optional>
#include <string>

namespace rx {

inline constexpr int kBodyLength = 20;

// What identifies a record on the edit screens.
struct RecordFields {
  std::string blockCode;  // one character
  std::string bib;        // three characters
  std::string course;     // dual-course add: "1" or "2"
  std::string timeField;  // 12 characters
  std::string team;       // relay results: block code + bib
};

struct ReadCommand {
  std::string body;
  int phase = 0;  // 1 one record, 2 the whole memory into a file
};

// The read of menu item 1-6 for function 1 or 3 (one record) or 4 (all).
std::optional<ReadCommand> BuildReadCommand(int menuItem, int funcItem, const RecordFields& fields);

// Modify (function 1), add (2), delete (3) or dual-course add (5) of menu
// items 1-5; "" where no such command exists.
std::string BuildEditCommand(int menuItem, int funcItem, const RecordFields& fields);

// Relay results, written as a burst: the legs, the total, the end.
std::string RelayLegCommand(int leg, const std::string& team, const std::string& timeField);
std::string RelayTotalCommand(const std::string& team, const std::string& timeField);
std::string RelayDeleteCommand(const std::string& team);

// The print request repeats the accepted edit under the "P" family.
std::string PrintCommand(const std::string& acceptedBody);
// Best-time output of the result group of an edit body.
std::string BestOutputCommand(const std::string& editBody);

std::string FixedCommand(const std::string& family);  // family + 18 blanks
inline std::string BestOutputAllCommand() { return FixedCommand("CB"); }
inline std::string StopReadCommand() { return FixedCommand("CS"); }
inline std::string EndOfBurstCommand() { return FixedCommand("CF"); }

// text blank-filled (or cut) to exactly 20 characters.
std::string Body(const std::string& text);

}  // namespace rx
