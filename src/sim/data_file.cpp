#include "sim/data_file.h"

#include <filesystem>
#include <fstream>

#include "sim/edits.h"
#include "sim/fields.h"

namespace rx::sim {

namespace {

// A line seen as the body of a load command, so the device's own checks apply.
std::string LineAsBody(const std::string& line) {
  std::string body = "CL  " + line;
  body.resize(kBodySize, ' ');
  return body;
}

}  // namespace

bool LoadLines(DeviceMemory& memory, MemoryKind kind, const std::vector<std::string>& lines,
               std::string* error) {
  std::string teamKey;
  RelayTeam team;
  auto flushTeam = [&] {
    if (teamKey.empty()) return;
    team.total = team.legs.back();
    team.legs.pop_back();
    memory.PutTeam(teamKey[0], teamKey.substr(1), std::move(team));
    team = {};
    teamKey.clear();
  };

  for (std::size_t n = 0; n < lines.size(); ++n) {
    std::string line = lines[n];
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() != 14 && line.size() != 13) continue;
    const std::string body = LineAsBody(line);
    const Body b = SplitBody(body);
    int e = CheckRecordKey(kind, b);
    TimeCheck time = CheckRecordTime(kind, b);
    if (!e) e = time.error;
    if (e) {
      if (error) *error = "line " + std::to_string(n + 1) + " \"" + line + "\": error " + std::to_string(e);
      return false;
    }
    if (kind != MemoryKind::RelayResults) {
      memory.Put(kind, b.block, std::string(b.bib), time.digits);
      continue;
    }
    const std::string key = line.substr(0, 4);
    if (key != teamKey) flushTeam();
    if (team.legs.size() > 10) {
      if (error) *error = "line " + std::to_string(n + 1) + ": more than 10 legs and a total";
      return false;
    }
    teamKey = key;
    team.legs.push_back(time.digits);
  }
  flushTeam();
  return true;
}

bool LoadDataFile(DeviceMemory& memory, const std::string& path, std::string* error) {
  const std::string name = std::filesystem::path(path).filename().string();
  const auto kind = name.empty() ? std::nullopt : MemoryForFileLetter(name[0]);
  if (!kind) {
    if (error) *error = path + ": the first letter of the name is none of C, D, F, S, G, V, Y";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    if (error) *error = path + ": cannot be read";
    return false;
  }
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  std::string why;
  if (!LoadLines(memory, *kind, lines, &why)) {
    if (error) *error = path + ": " + why;
    return false;
  }
  return true;
}

}  // namespace rx::sim
