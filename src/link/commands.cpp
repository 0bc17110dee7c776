#include "link/commands.h"

#include "data/time_values.h"

namespace rx {

namespace {

// The selector of a memory's reads and changes; none for a value that names
// no memory.
const char* Selector(Memory memory) {
  const MemoryRow* row = RowOf(memory);
  return row ? row->selector : nullptr;
}

std::string Command(const std::string& family, const std::string& selector, const std::string& block = "",
                    const std::string& bib = "", const std::string& time = "") {
  FrameBody body{family, selector, block.empty() ? ' ' : block[0], bib, time};
  return body.Text();
}

// A relay team (block code and bib) is laid out as a record line begins.
std::string TeamCommand(const std::string& family, const std::string& selector, const std::string& team,
                        const std::string& time = "") {
  FrameBody body = ParseRecordLine(team);
  body.family = family;
  body.selector = selector;
  body.time = time;
  return body.Text();
}

}  // namespace

std::string FixedCommand(const std::string& family) { return Command(family, ""); }

std::optional<std::string> BuildReadCommand(const ReadRequest& request) {
  const RecordFields& r = request.record;
  if (!Selector(request.memory)) return std::nullopt;
  const std::string selector = Selector(request.memory);
  if (!request.oneRecord) return Command("CO", selector);
  switch (request.memory) {
    case Memory::Dnf: return std::nullopt;  // read whole only
    case Memory::RelayCourse: return Command("CO", selector, r.blockCode);
    case Memory::RelayResults: return TeamCommand("CO", selector, r.team);
    default: return Command("CO", selector, r.blockCode, r.bib);
  }
}

std::optional<std::string> BuildEditCommand(const EditRequest& request) {
  const RecordFields& r = request.record;
  if (request.memory == Memory::RelayResults || !Selector(request.memory)) return std::nullopt;
  std::string selector = Selector(request.memory);
  // The relay course memory is kept per block: no bib.
  const std::string bib = request.memory == Memory::RelayCourse ? "" : r.bib;
  switch (request.change) {
    case Change::Modify:
      if (request.memory == Memory::Dnf) return std::nullopt;
      return Command("CM", selector, r.blockCode, bib, r.timeField);
    case Change::Add: {
      const std::string time = request.memory == Memory::Dnf ? "" : r.timeField;
      return Command("CC", selector, r.blockCode, bib, time);
    }
    case Change::DualAdd:
      if (request.memory != Memory::Course) return std::nullopt;
      return Command("CC", "0" + r.course, r.blockCode, bib, r.timeField);  // "0" + course number
    case Change::Delete:
      return Command("CK", selector, r.blockCode, bib);
  }
  return std::nullopt;
}

std::string RelayLegCommand(int leg, const std::string& team, const std::string& timeField) {
  return TeamCommand("CM", "4" + std::string(1, static_cast<char>('A' + leg)), team, timeField);
}

std::string RelayTotalCommand(const std::string& team, const std::string& timeField) {
  return TeamCommand("CM", "4S", team, timeField);
}

std::string RelayDeleteCommand(const std::string& team) { return TeamCommand("CK", "4 ", team); }

std::string PrintCommand(const std::string& acceptedBody) {
  FrameBody body = ParseBody(acceptedBody);
  body.family = "CP";
  return body.Text();
}

std::string BestOutputCommand(const std::string& editBody) {
  FrameBody edit = ParseBody(editBody);
  return FrameBody{"CB", edit.selector, edit.block, "", ""}.Text();
}

std::string AsCourseAdd(const std::string& dualAddBody) {
  FrameBody body = ParseBody(dualAddBody);
  body.SetLeg('A');
  return body.Text();
}

FrameBody LoadBody(const LoadHead& head, std::string_view recordLine) {
  FrameBody body = ParseRecordLine(recordLine);
  const FrameBody headFields = ParseBody(head.text);
  body.family = headFields.family;
  body.selector = headFields.selector;
  // The DNF memory and the untimed one take blanks whatever the line holds.
  body.time = head.timeless ? "" : StripTime(body.time, 12);
  return body;
}

}  // namespace rx
