#include "sim/reads.h"

#include "sim/errors.h"
#include "sim/replies.h"

namespace rx::sim {

namespace {
bool Blank(std::string_view s) { return s.find_first_not_of(' ') == std::string_view::npos; }
}  // namespace

ReadOutcome ReadRecords(const DeviceMemory& memory, MemoryKind kind, const Body& body) {
  ReadOutcome out;
  const bool whole = body.block == ' ' && Blank(body.bib);
  const bool oneRecord = kind == MemoryKind::RelayCourse || !Blank(body.bib);
  std::vector<Record> records;
  if (whole) {
    records = memory.Records(kind);
  } else {
    if (int e = CheckBlock(body.block)) return {e, {}};
    records = memory.Records(kind, body.block);
    if (oneRecord) {
      if (kind != MemoryKind::RelayCourse) {
        if (int e = CheckBib(body.bib)) return {e, {}};
        std::erase_if(records, [&](const Record& r) { return r.bib != body.bib; });
      }
      if (records.empty()) {
        out.error = memory.Empty(kind) ? EmptyOnReadError(kind) : NotFoundOnReadError(kind);
        return out;
      }
    }
  }
  for (const Record& r : records) out.frames.push_back(RecordFrame(kind, r));
  return out;
}

}  // namespace rx::sim
