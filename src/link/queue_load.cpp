#include "link/queue_load.h"

#include <filesystem>

#include "data/block_letters.h"
#include "data/data_file.h"
#include "data/time_values.h"
#include "link/commands.h"
#include "link/jobs.h"

namespace rx {

namespace {

// A turn reads at most this much; at a few nanoseconds a byte it stays far
// below what the operator would notice.
constexpr std::size_t kBytesPerTurn = 256 * 1024;
constexpr std::size_t kBlockBytes = 64 * 1024;

// The command head of a file by the memory letter its name starts with;
// "" for a letter no memory has.
std::string HeadFor(char letter) {
  switch (letter) {
    case 'C': return "CL0A";
    case 'D': return "CL2 ";
    case 'F': return "CL11";
    case 'G': return "CL5 ";
    case 'S': return "CL12";
    case 'V': return "CL3A";
    case 'Y': return "CL4";
    default: return "";
  }
}

void Append(Form& f, std::string entry) {
  f.Records.push_back(std::move(entry));
  ++f.RecordCount;
}

void QueueTextLine(Form& f, QueueLoad& load, const std::string& line) {
  if (!load.block.empty() && line[0] != load.block[0]) return;
  Append(f, line);
}

// Relay legs "B", "C", ... and each team's last record as its total "S".
void QueueLoadCommand(Form& f, QueueLoad& load, std::string line) {
  if (!load.block.empty()) line[0] = load.block[0];
  const bool timeless = load.head == "CL5 " || load.head == "CL2 ";
  std::string time = timeless ? std::string(12, ' ') : StripTime(line.substr(4), 12);
  std::string key = line.substr(0, 4);
  if (load.head != "CL4") return Append(f, Body(load.head + key + time));
  if (key != load.previousTeam) {
    load.leg = 'B';
    load.previousTeam = key;
    if (!f.Records.empty()) f.Records.back()[3] = 'S';  // the team before ends with its total
  } else {
    ++load.leg;
  }
  Append(f, Body(load.head + load.leg + key + time));
}

void Begin(Terminal& t, bool forText) {
  Form& f = t.form;
  QueueLoad& load = t.link.load;
  load = {};
  const std::string name = f.lblSendName.caption;
  OpenDataFile(t, false, name);
  f.RecordCount = 0;
  f.Records = {};  // a large file's queue before gives its memory back
  if (f.FileNo < 0) return;
  load.forText = forText;
  load.head = HeadFor(name.empty() ? ' ' : name[0]);
  if (!forText && load.head.empty()) {  // nothing we could load it as
    CloseDataFile(t);
    return;
  }
  load.block = f.FuncCode == Scope::OneBlock ? BlockLetter(f.lblBlk.caption) : "";
  // Room for every line the file can hold, so no turn stalls while the queue
  // moves to a larger block (a record line is at least 13 characters and LF).
  std::error_code sizeUnknown;
  std::uintmax_t bytes = std::filesystem::file_size(t.dataDirectory / name, sizeUnknown);
  if (!sizeUnknown) f.Records.reserve(static_cast<std::size_t>(bytes / 14 + 1));
  load.active = true;
}

// One turn's worth of the file; true when the file is all read.
bool Step(Terminal& t) {
  Form& f = t.form;
  QueueLoad& load = t.link.load;
  auto take = [&](const std::string& line) {
    if (!IsRecordLine(line)) return;
    if (load.forText)
      QueueTextLine(f, load, line);
    else
      QueueLoadCommand(f, load, line);
  };
  char block[kBlockBytes];
  for (std::size_t read = 0; read < kBytesPerTurn;) {
    std::size_t got = ReadDataBlock(t, block, sizeof block);
    // A read error ends the file early; what was queued so far stays.
    if (got == 0) {
      load.splitter.Finish(take);
      if (load.head == "CL4" && !load.forText && !f.Records.empty()) f.Records.back()[3] = 'S';
      CloseDataFile(t);
      return true;
    }
    load.splitter.Feed(block, got, take);
    read += got;
  }
  return false;
}

}  // namespace

void StartQueueLoad(Terminal& t, bool forText, std::function<void(Terminal&)> then) {
  Begin(t, forText);
  if (!t.link.load.active) {
    if (then) then(t);
    return;
  }
  t.link.load.then = std::move(then);
  ContinueQueueLoad(t);
}

void ContinueQueueLoad(Terminal& t) {
  QueueLoad& load = t.link.load;
  if (!load.active) return;
  // An error shown meanwhile (the last exchange's cable pulled) ends it.
  if (t.form.KeyMode != Mode::Busy) return CancelQueueLoad(t);
  t.form.WaitMs = 0;  // reading our own file is no silence of the device
  if (!Step(t)) return PostLinkTurn(t, 0);
  auto then = std::move(load.then);
  load = {};
  if (then) then(t);
}

void CancelQueueLoad(Terminal& t) {
  CloseDataFile(t);
  t.link.load = {};
  t.form.RecordCount = 0;
  t.form.Records = {};
}

void LoadQueueNow(Terminal& t, bool forText) {
  Begin(t, forText);
  if (!t.link.load.active) return;
  while (!Step(t)) {
  }
  t.link.load = {};
}

}  // namespace rx
