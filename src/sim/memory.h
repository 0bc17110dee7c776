// The device's memories. Records are kept by block, then bib, and every read
// gives them in that order.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace rx::sim {

enum class MemoryKind {
  Course,        // "0A": block, bib, time
  Dnf,           // "2 ": block, bib
  FirstRun,      // "11"
  SecondRun,     // "12"
  Untimed,       // "5 ": block, bib; filled by loads only
  RelayCourse,   // "3A": one time per block
  RelayResults,  // "4":  per team, leg times and the total
};

inline constexpr MemoryKind kAllMemories[] = {
    MemoryKind::Course,  MemoryKind::Dnf,         MemoryKind::FirstRun,    MemoryKind::SecondRun,
    MemoryKind::Untimed, MemoryKind::RelayCourse, MemoryKind::RelayResults};

bool IsRelayMemory(MemoryKind kind);
// Memories whose records carry no time; their time digits read as zeros.
bool IsTimeless(MemoryKind kind);
// The two-character selector used in record replies ("4" + leg for relay results).
std::string RecordSelector(MemoryKind kind, char leg = 'S');
// The memory a data file belongs to, by the first letter of its name.
std::optional<MemoryKind> MemoryForFileLetter(char letter);

// The relay course memory has no bibs; its records carry this one.
inline constexpr const char* kRelayCourseBib = "000";

// One record as the device sends it. leg is 'B'-'K' or 'S' for relay results,
// a blank otherwise.
struct Record {
  char leg = ' ';
  char block = '0';
  std::string bib;
  std::string time;  // HHMMSSdddd
  // The 14-character data-file line: block, bib, time digits.
  std::string Line() const { return block + bib + time; }
};

struct RelayTeam {
  std::vector<std::string> legs;  // leg 1 first, at most 10
  std::string total;
};

class DeviceMemory {
 public:
  // Memories other than relay results. block is a block code, bib three digits
  // (ignored for the relay course memory); time is HHMMSSdddd.
  const std::string* Find(MemoryKind kind, char block, const std::string& bib) const;
  void Put(MemoryKind kind, char block, const std::string& bib, const std::string& time);
  bool Erase(MemoryKind kind, char block, const std::string& bib);

  const RelayTeam* FindTeam(char block, const std::string& bib) const;
  void PutTeam(char block, const std::string& bib, RelayTeam team);
  bool EraseTeam(char block, const std::string& bib);

  // Records in read order; one block only when block is not a blank. A relay
  // team gives its legs in order, then its total.
  std::vector<Record> Records(MemoryKind kind, char block = ' ') const;
  // The data-file lines a whole read of the memory gives.
  std::vector<std::string> Lines(MemoryKind kind) const;
  bool Empty(MemoryKind kind) const;
  void Clear();

 private:
  using Key = std::pair<int, std::string>;  // block number, bib
  static Key MakeKey(MemoryKind kind, char block, const std::string& bib);
  std::map<MemoryKind, std::map<Key, std::string>> records_;
  std::map<Key, RelayTeam> teams_;
};

}  // namespace rx::sim
