#include "link/queue_load.h"

#include <algorithm>
#include <filesystem>

#include "data/data_file.h"
#include "link/commands.h"
#include "link/error_line.h"
#include "link/jobs.h"

namespace rx {

namespace {

// A turn reads at most this much: about 1000 records, half a millisecond of
// work, so a key or the tick never waits behind the load.
constexpr std::size_t kBytesPerTurn = 16 * 1024;
constexpr std::size_t kBlockBytes = 8 * 1024;
constexpr std::uintmax_t kMostRoom = 8 << 20;  // records: a 117 MB file's

void Append(Form& f, std::string entry) { f.Records.push_back(std::move(entry)); }

void QueueTextLine(Form& f, QueueLoad& load, const std::string& line) {
  if (load.block && ParseRecordLine(line).block != *load.block) return;
  Append(f, line);
}

// The last queued record of a relay team is its total.
void EndTeam(Form& f) {
  if (f.Records.empty()) return;
  FrameBody last = ParseBody(f.Records.back());
  last.SetLeg('S');
  f.Records.back() = last.Text();
}

// Relay legs "B", "C", ... and each team's last record as its total "S".
void QueueLoadCommand(Form& f, QueueLoad& load, const std::string& line) {
  FrameBody body = LoadBody(load.head, line);
  if (load.block) body.block = *load.block;
  if (!load.head.legs) return Append(f, body.Text());
  if (body.Team() != load.previousTeam) {
    load.leg = 'B';
    load.previousTeam = body.Team();
    EndTeam(f);  // the team before ends with its total
  } else {
    ++load.leg;
  }
  body.SetLeg(load.leg);
  Append(f, body.Text());
}

void Begin(Terminal& t, QueueMode mode, const std::string& name, std::optional<char> block) {
  Form& f = t.form;
  QueueLoad& load = t.link.load;
  load = {};
  OpenDataFile(t, FileAccess::Read, name);
  f.Records = {};  // a large file's queue before gives its memory back
  if (!t.dataFile.IsOpen()) return;
  load.mode = mode;
  std::optional<LoadHead> head = LoadHeadOf(name.empty() ? ' ' : name.front());
  if (mode == QueueMode::Send && !head) {  // nothing we could load it as
    CloseDataFile(t);
    return;
  }
  load.head = head.value_or(LoadHead{});
  load.block = block;
  // Room for every line the file can hold, so no turn stalls while the queue
  // moves to a larger block (a record line is at least 13 characters and LF).
  // A file far larger than any data file (a sparse one, say) gets no more
  // than the largest needs: its size says nothing of the records it holds.
  std::error_code sizeUnknown;
  std::uintmax_t bytes = std::filesystem::file_size(t.dataDirectory / name, sizeUnknown);
  if (!sizeUnknown) f.Records.reserve(static_cast<std::size_t>(std::min(bytes / 14 + 1, kMostRoom)));
  load.active = true;
}

// One turn's worth of the file; true when the file is all read.
bool Step(Terminal& t) {
  Form& f = t.form;
  QueueLoad& load = t.link.load;
  auto take = [&](const std::string& line) {
    if (!IsRecordLine(line)) return;
    if (load.mode == QueueMode::Text)
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
      if (load.head.legs && load.mode == QueueMode::Send) EndTeam(f);
      CloseDataFile(t);
      return true;
    }
    load.splitter.Feed(block, got, take);
    read += got;
  }
  return false;
}

void Queued(Terminal& t, const std::function<void(Terminal&)>& then) {
  if (RecordCount(t.form) < 1) return ShowError(t, Errors::NoData);
  if (then) then(t);
}

}  // namespace

void StartQueueLoad(Terminal& t, QueueMode mode, const std::string& fileName, std::optional<char> block,
                    std::function<void(Terminal&)> then) {
  Begin(t, mode, fileName, block);
  if (!t.link.load.active) return Queued(t, then);
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
  Queued(t, then);
}

void CancelQueueLoad(Terminal& t) {
  CloseDataFile(t);
  t.link.load = {};
  t.form.Records = {};
}

}  // namespace rx
