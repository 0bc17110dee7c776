#include "sim/memory.h"

#include "sim/fields.h"

namespace rx::sim {

bool IsRelayMemory(MemoryKind kind) {
  return kind == MemoryKind::RelayCourse || kind == MemoryKind::RelayResults;
}

bool IsTimeless(MemoryKind kind) { return kind == MemoryKind::Dnf || kind == MemoryKind::Untimed; }

std::string RecordSelector(MemoryKind kind, char leg) {
  switch (kind) {
    case MemoryKind::Course: return "0A";
    case MemoryKind::Dnf: return "2 ";
    case MemoryKind::FirstRun: return "11";
    case MemoryKind::SecondRun: return "12";
    case MemoryKind::Untimed: return "5 ";
    case MemoryKind::RelayCourse: return "3A";
    case MemoryKind::RelayResults: return std::string("4") + leg;
  }
  return "  ";
}

std::optional<MemoryKind> MemoryForFileLetter(char letter) {
  switch (letter) {
    case 'C': case 'c': return MemoryKind::Course;
    case 'D': case 'd': return MemoryKind::Dnf;
    case 'F': case 'f': return MemoryKind::FirstRun;
    case 'S': case 's': return MemoryKind::SecondRun;
    case 'G': case 'g': return MemoryKind::Untimed;
    case 'V': case 'v': return MemoryKind::RelayCourse;
    case 'Y': case 'y': return MemoryKind::RelayResults;
    default: return std::nullopt;
  }
}

DeviceMemory::Key DeviceMemory::MakeKey(MemoryKind kind, char block, const std::string& bib) {
  return {BlockNumber(block), kind == MemoryKind::RelayCourse ? kRelayCourseBib : bib};
}

const std::string* DeviceMemory::Find(MemoryKind kind, char block, const std::string& bib) const {
  auto memory = records_.find(kind);
  if (memory == records_.end()) return nullptr;
  auto it = memory->second.find(MakeKey(kind, block, bib));
  return it == memory->second.end() ? nullptr : &it->second;
}

void DeviceMemory::Put(MemoryKind kind, char block, const std::string& bib, const std::string& time) {
  records_[kind][MakeKey(kind, block, bib)] = IsTimeless(kind) ? kNoTime : time;
}

bool DeviceMemory::Erase(MemoryKind kind, char block, const std::string& bib) {
  return records_[kind].erase(MakeKey(kind, block, bib)) > 0;
}

const RelayTeam* DeviceMemory::FindTeam(char block, const std::string& bib) const {
  auto it = teams_.find({BlockNumber(block), bib});
  return it == teams_.end() ? nullptr : &it->second;
}

void DeviceMemory::PutTeam(char block, const std::string& bib, RelayTeam team) {
  teams_[{BlockNumber(block), bib}] = std::move(team);
}

bool DeviceMemory::EraseTeam(char block, const std::string& bib) {
  return teams_.erase({BlockNumber(block), bib}) > 0;
}

std::vector<Record> DeviceMemory::Records(MemoryKind kind, char block) const {
  std::vector<Record> out;
  const int only = block == ' ' ? -1 : BlockNumber(block);
  if (kind == MemoryKind::RelayResults) {
    for (const auto& [key, team] : teams_) {
      if (only >= 0 && key.first != only) continue;
      for (std::size_t i = 0; i < team.legs.size(); ++i) {
        out.push_back({static_cast<char>('B' + i), BlockCode(key.first), key.second, team.legs[i]});
      }
      out.push_back({'S', BlockCode(key.first), key.second, team.total});
    }
    return out;
  }
  auto memory = records_.find(kind);
  if (memory == records_.end()) return out;
  for (const auto& [key, time] : memory->second) {
    if (only >= 0 && key.first != only) continue;
    out.push_back({' ', BlockCode(key.first), key.second, time});
  }
  return out;
}

std::vector<std::string> DeviceMemory::Lines(MemoryKind kind) const {
  std::vector<std::string> lines;
  for (const Record& r : Records(kind)) lines.push_back(r.Line());
  return lines;
}

bool DeviceMemory::Empty(MemoryKind kind) const {
  if (kind == MemoryKind::RelayResults) return teams_.empty();
  auto memory = records_.find(kind);
  return memory == records_.end() || memory->second.empty();
}

void DeviceMemory::Clear() {
  records_.clear();
  teams_.clear();
}

}  // namespace rx::sim
