// The device's memories, one row each: everything the terminal knows of a
// memory is read from its row (menu item, data-file letter, command selector,
// load head, menu label and title).
#pragma once

#include <array>
#include <optional>

#include "shell/menu_items.h"

namespace rx {

// Numbered as the main menu numbers them; a new memory goes last and becomes
// kLastMemory.
enum class Memory : int {
  Course = 1,
  Dnf = 2,
  FirstRun = 3,
  SecondRun = 4,
  RelayCourse = 5,
  RelayResults = 6,
};
inline constexpr Memory kLastMemory = Memory::RelayResults;

// How a data file's record lines go into the device.
struct LoadHead {
  const char* text = "";  // family and selector of the load commands
  bool legs = false;      // a relay team's records: leg letters "B", "C", ... and the last one "S"
  bool timeless = false;  // the records go without their time
};

struct MemoryRow {
  Memory memory;
  MenuItemId item;        // the main-menu item that edits and reads it
  char fileLetter;        // its data files' first letter
  const char* selector;   // of its reads and changes
  LoadHead load;
  bool relay;             // a memory of the relay mode
  const char* label;      // its main-menu label
  const char* title;      // how the screens name it
};

inline constexpr std::array<MemoryRow, 6> kMemories{{
    {Memory::Course, MenuItemId::CourseMemory, 'C', "0A", {"CL0A"}, false,
     "　１ コース内メモリ編集", "コース内メモリ"},
    {Memory::Dnf, MenuItemId::DnfMemory, 'D', "2 ", {"CL2 ", false, true}, false,
     "　２ ＤＮＦメモリ編集", "ＤＮＦメモリ"},
    {Memory::FirstRun, MenuItemId::FirstRunResult, 'F', "11", {"CL11"}, false,
     "　３ １本目リザルト編集", "１本目リザルト"},
    {Memory::SecondRun, MenuItemId::SecondRunResult, 'S', "12", {"CL12"}, false,
     "　４ ２本目リザルト編集", "２本目リザルト"},
    {Memory::RelayCourse, MenuItemId::RelayCourseMemory, 'V', "3A", {"CL3A"}, true,
     "　５ コース内メモリ編集", "コース内メモリ"},
    {Memory::RelayResults, MenuItemId::RelayResult, 'Y', "4A", {"CL4", true, false}, true,
     "　６ リザルト編集", "リザルト"},  // the leg letter follows the head
}};

// Files of the device's untimed memory: no menu reads or edits it, but its
// files can be sent.
inline constexpr char kUntimedFileLetter = 'G';
inline constexpr LoadHead kUntimedLoad{"CL5 ", false, true};

// The row of memory; nothing for a value that names no memory.
constexpr const MemoryRow* RowOf(Memory memory) {
  for (const MemoryRow& row : kMemories)
    if (row.memory == memory) return &row;
  return nullptr;
}
constexpr const MemoryRow* RowOf(MenuItemId item) {
  for (const MemoryRow& row : kMemories)
    if (row.item == item) return &row;
  return nullptr;
}

// The row of the memory whose data files begin with fileLetter.
constexpr const MemoryRow* RowOfFile(char fileLetter) {
  for (const MemoryRow& row : kMemories)
    if (row.fileLetter == fileLetter) return &row;
  return nullptr;
}

// The memory a menu item edits and reads.
constexpr std::optional<Memory> MemoryOf(MenuItemId item) {
  if (const MemoryRow* row = RowOf(item)) return row->memory;
  return std::nullopt;
}

// The six items that edit and read a memory of the device.
constexpr bool IsMemory(MenuItemId item) { return RowOf(item) != nullptr; }
constexpr bool IsRelayMemory(MenuItemId item) {
  const MemoryRow* row = RowOf(item);
  return row && row->relay;
}

// The load commands of a file by its first letter; nothing for a letter no
// memory has.
constexpr std::optional<LoadHead> LoadHeadOf(char fileLetter) {
  if (const MemoryRow* row = RowOfFile(fileLetter)) return row->load;
  if (fileLetter == kUntimedFileLetter) return kUntimedLoad;
  return std::nullopt;
}

namespace memories_check {
// Every memory has its row, in order; no two share an item or a letter; the
// items are the main page's.
constexpr bool TableIsComplete() {
  if (kMemories.size() != static_cast<std::size_t>(kLastMemory)) return false;
  for (std::size_t i = 0; i < kMemories.size(); ++i) {
    const MemoryRow& row = kMemories[i];
    if (static_cast<std::size_t>(row.memory) != i + 1 || !OnMainPage(row.item)) return false;
    if (RowOf(row.item) != &row || row.fileLetter == kUntimedFileLetter) return false;
    for (std::size_t j = 0; j < i; ++j)
      if (kMemories[j].fileLetter == row.fileLetter) return false;
  }
  return true;
}
static_assert(TableIsComplete(), "kMemories must have one row per Memory, in order");
}  // namespace memories_check

}  // namespace rx
