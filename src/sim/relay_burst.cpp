#include "sim/relay_burst.h"

#include "sim/edits.h"
#include "sim/errors.h"
#include "sim/fields.h"

namespace rx::sim {

namespace {
// Ten legs and the total, with room for a resend.
constexpr std::size_t kBurstLimit = 24;
}  // namespace

bool IsRelayBurstCommand(std::string_view body) {
  return body.starts_with("CM4") || body.starts_with("CK4 ");
}

void RelayBurst::Add(std::string_view body) {
  if (bodies_.size() >= kBurstLimit) {
    overflow_ = true;
    return;
  }
  bodies_.emplace_back(body);
}

void RelayBurst::Clear() {
  bodies_.clear();
  overflow_ = false;
}

int RelayBurst::Check(RelayTeam& team, bool& erase) const {
  if (overflow_) return kBufferOverflow;
  const Body first = SplitBody(bodies_.front());
  if (int e = CheckRecordKey(MemoryKind::RelayResults, first)) return e;
  erase = first.family == "CK";
  if (erase) return bodies_.size() == 1 ? 0 : kCommandError;

  for (std::size_t i = 0; i < bodies_.size(); ++i) {
    const Body b = SplitBody(bodies_[i]);
    if (b.family != "CM" || b.block != first.block || b.bib != first.bib) return kCommandError;
    const bool last = i + 1 == bodies_.size();
    const char expected = last ? 'S' : static_cast<char>('B' + i);
    if (b.selector[1] != expected || (!last && expected > 'K')) return kWrongTimeNumber;
    TimeCheck time = CheckRecordTime(MemoryKind::RelayResults, b);
    if (time.error) return time.error;
    if (last) {
      team.total = time.digits;
    } else {
      team.legs.push_back(time.digits);
    }
  }
  return 0;
}

int RelayBurst::Apply(DeviceMemory& memory) {
  if (bodies_.empty()) return 0;
  RelayTeam team;
  bool erase = false;
  int error = Check(team, erase);
  if (!error) {
    const Body first = SplitBody(bodies_.front());
    const std::string bib(first.bib);
    if (!memory.FindTeam(first.block, bib)) {
      error = MissingError(MemoryKind::RelayResults);
    } else if (erase) {
      memory.EraseTeam(first.block, bib);
    } else {
      memory.PutTeam(first.block, bib, std::move(team));
    }
  }
  Clear();
  return error;
}

}  // namespace rx::sim
