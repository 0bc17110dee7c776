#include "sim/edits.h"

#include "sim/errors.h"

namespace rx::sim {

int CheckRecordKey(MemoryKind kind, const Body& body) {
  if (int e = CheckBlock(body.block)) return e;
  return kind == MemoryKind::RelayCourse ? 0 : CheckBib(body.bib);
}

TimeCheck CheckRecordTime(MemoryKind kind, const Body& body) {
  if (IsTimeless(kind)) return {0, kNoTime};
  return CheckTime(body.time, kind == MemoryKind::RelayResults ? 99 : 23);
}

int ApplyEdit(DeviceMemory& memory, char op, MemoryKind kind, const Body& body) {
  const bool supported = kind != MemoryKind::Untimed && kind != MemoryKind::RelayResults &&
                         !(kind == MemoryKind::Dnf && op == 'M');
  if (!supported) return kCommandError;
  if (int e = CheckRecordKey(kind, body)) return e;
  const std::string bib(body.bib);
  const bool exists = memory.Find(kind, body.block, bib) != nullptr;
  if (op == 'K') {
    if (!exists) return MissingError(kind);
    memory.Erase(kind, body.block, bib);
    return 0;
  }
  TimeCheck time = CheckRecordTime(kind, body);
  if (time.error) return time.error;
  if (op == 'C' && exists) return DuplicateError(kind);
  if (op == 'M' && !exists) return MissingError(kind);
  memory.Put(kind, body.block, bib, time.digits);
  return 0;
}

int Loader::Load(DeviceMemory& memory, MemoryKind kind, const Body& body) {
  if (kind == MemoryKind::RelayResults) return LoadRelayLeg(memory, body);
  if (int e = CheckRecordKey(kind, body)) return e;
  TimeCheck time = CheckRecordTime(kind, body);
  if (time.error) return time.error;
  const std::string bib(body.bib);
  if (memory.Find(kind, body.block, bib)) return DuplicateError(kind);
  memory.Put(kind, body.block, bib, time.digits);
  return 0;
}

int Loader::LoadRelayLeg(DeviceMemory& memory, const Body& body) {
  const char leg = body.selector[1];
  if (leg != 'S' && (leg < 'B' || leg > 'K')) return kCommandError;
  if (int e = CheckRecordKey(MemoryKind::RelayResults, body)) return e;
  TimeCheck time = CheckRecordTime(MemoryKind::RelayResults, body);
  if (time.error) return time.error;

  const std::string bib(body.bib);
  const std::string key = body.block + bib;
  const bool continues = key == teamKey_;
  if (leg == 'B' || (leg == 'S' && !continues)) {
    // A new team; a total on its own is a team of one record.
    teamKey_.clear();
    legs_.clear();
    if (memory.FindTeam(body.block, bib)) return DuplicateError(MemoryKind::RelayResults);
    teamKey_ = key;
  } else if (!continues || (leg != 'S' && legs_.size() != static_cast<std::size_t>(leg - 'B'))) {
    return kWrongTimeNumber;
  }
  if (leg == 'S') {
    memory.PutTeam(body.block, bib, {std::move(legs_), time.digits});
    teamKey_.clear();
    legs_.clear();
  } else {
    legs_.push_back(time.digits);
  }
  return 0;
}

}  // namespace rx::sim
