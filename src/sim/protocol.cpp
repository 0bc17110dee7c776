#include "sim/protocol.h"

#include <optional>

#include "sim/errors.h"
#include "sim/fields.h"
#include "sim/reads.h"
#include "sim/replies.h"

namespace rx::sim {

namespace {

// The memory a command's selector names, for the families that take one.
std::optional<MemoryKind> SelectedMemory(std::string_view family, std::string_view selector) {
  if (selector == "0A") return MemoryKind::Course;
  if (family == "CC" && (selector == "01" || selector == "02")) return MemoryKind::Course;
  if (selector == "2 ") return MemoryKind::Dnf;
  if (selector == "11") return MemoryKind::FirstRun;
  if (selector == "12") return MemoryKind::SecondRun;
  if (family == "CL" && selector == "5 ") return MemoryKind::Untimed;
  if (selector == "3A") return MemoryKind::RelayCourse;
  if (family == "CO" && selector == "4A") return MemoryKind::RelayResults;
  if (family == "CL" && selector[0] == '4') return MemoryKind::RelayResults;
  return std::nullopt;
}

std::string TrimRight(std::string_view s) {
  const auto end = s.find_last_not_of(' ');
  return std::string(end == std::string_view::npos ? std::string_view{} : s.substr(0, end + 1));
}

}  // namespace

DeviceProtocol::DeviceProtocol(DeviceMemory memory, bool relayMode)
    : memory_(std::move(memory)), relayMode_(relayMode) {}

void DeviceProtocol::Receive(std::string_view bytes) {
  for (Received& r : receiver_.Feed(bytes)) {
    switch (r.kind) {
      case Received::Kind::Frame: OnFrame(r.data); break;
      case Received::Kind::Xon:
        paused_ = false;
        Log("rx <XON>");
        break;
      case Received::Kind::Xoff:
        paused_ = true;
        Log("rx <XOFF>");
        break;
      case Received::Kind::TextLine:
        Log("text: " + r.data);
        if (text_) text_(r.data);
        textLines_.push_back(std::move(r.data));
        break;
      case Received::Kind::Junk: Log("rx ignored " + Visible(r.data)); break;
    }
  }
}

void DeviceProtocol::OnFrame(const std::string& body) {
  ++framesReceived_;
  Log("rx " + Visible(Frame(body)));
  if (!streaming_) {
    Handle(body);
  } else if (body.starts_with("CS")) {
    // The records not yet sent are dropped; the read's "CF" still follows.
    stream_.clear();
  } else {
    deferred_.push_back(body);
  }
}

std::string DeviceProtocol::NextFrame() {
  if (!replies_.empty()) {
    std::string frame = std::move(replies_.front());
    replies_.pop_front();
    return frame;
  }
  if (!streaming_) return {};
  if (!stream_.empty()) {
    std::string frame = std::move(stream_.front());
    stream_.pop_front();
    return frame;
  }
  streaming_ = false;
  // What came during the read is answered after its end, in order, until
  // another read starts streaming.
  while (!streaming_ && !deferred_.empty()) {
    std::string body = std::move(deferred_.front());
    deferred_.pop_front();
    Handle(body);
  }
  return EndOfData();
}

void DeviceProtocol::Handle(const std::string& body) {
  if (IsRelayBurstCommand(body)) {
    // Each frame is taken as it comes; the "CF" that ends the burst says
    // whether the team was stored.
    burst_.Add(body);
    Reply(Accepted());
    return;
  }
  const std::string_view family = std::string_view(body).substr(0, 2);
  if (family == "CF") {
    int error = 0;
    if (!burst_.Empty()) error = relayMode_ ? burst_.Apply(memory_) : kAlpineModeError;
    burst_.Clear();
    Reply(error ? Refused(error) : Accepted());
    return;
  }
  burst_.Clear();  // a burst cut short by another command is dropped
  if (family == "CP") {
    Log("print: " + TrimRight(body.substr(2)));
    Reply(Accepted());
  } else if (family == "CB") {
    const std::string group = TrimRight(body.substr(2));
    Log("best output: " + (group.empty() ? std::string("all") : group));
    Reply(Accepted());
  } else if (family == "CS") {
    Reply(EndOfData());  // nothing is streaming: already stopped
  } else {
    HandleMemoryCommand(body);
  }
}

void DeviceProtocol::HandleMemoryCommand(const std::string& body) {
  const Body b = SplitBody(body);
  const bool known = b.family == "CO" || b.family == "CM" || b.family == "CC" ||
                     b.family == "CK" || b.family == "CL";
  const std::optional<MemoryKind> kind = known ? SelectedMemory(b.family, b.selector) : std::nullopt;
  if (!kind) {
    Reply(Refused(kCommandError));
    return;
  }
  if (IsRelayMemory(*kind) != relayMode_) {
    Reply(Refused(relayMode_ ? kRelayModeError : kAlpineModeError));
    return;
  }
  if (b.family == "CO") {
    ReadOutcome read = ReadRecords(memory_, *kind, b);
    if (read.error) {
      Reply(Refused(read.error));
      return;
    }
    Reply(Accepted());
    stream_.assign(read.frames.begin(), read.frames.end());
    streaming_ = true;
    return;
  }
  const int error = b.family == "CL" ? loader_.Load(memory_, *kind, b)
                                     : ApplyEdit(memory_, b.family[1], *kind, b);
  Reply(error ? Refused(error) : Accepted());
}

}  // namespace rx::sim
