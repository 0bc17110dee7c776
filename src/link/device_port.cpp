#include "link/device_port.h"

#include "link/error_line.h"
#include "link/frames.h"
#include "link/jobs.h"
#include "link/port_access.h"
#include "link/replies.h"

namespace rx {

namespace {

constexpr std::size_t kLongestTail = 30;

// refused keeps the first device file this user may not use.
bool TryOpen(Terminal& t, int number, std::string& refused) {
  SerialPort& port = t.platform.port;
  port.SetPortNumber(number);
  OpenFailure failure;
  if (port.Open(&failure)) return true;
  LogTraffic(t, "× COM" + std::to_string(number) + " " + failure.reason);
  if (failure.fault == OpenFault::NoPermission && refused.empty()) refused = failure.device;
  return false;
}

// What waits for the drain: the port's closing alone, or an exchange.
enum class DrainFor { Closing, Exchange };

void BeginDrain(Terminal& t, std::function<void(Terminal&)> then, int mostMs, DrainFor purpose) {
  t.form.WaitMs = 0;
  PortDrain& drain = t.link.drain;
  drain.active = true;
  drain.forExchange = purpose == DrainFor::Exchange;
  drain.deadline = t.platform.clock.MonotonicMs() + mostMs;
  drain.then = std::move(then);
  ContinueLinkJob(t);
}

}  // namespace

void LogTraffic(Terminal& t, const std::string& line) {
  Form& f = t.form;
  if (!f.DebugMode) return;
  f.lstDebug.items.push_back(line);
  f.lstDebug.items.KeepNewest(kTrafficListLines);
}

bool OpenDevicePort(Terminal& t, LineMode mode) {
  Form& f = t.form;
  SerialPort& port = t.platform.port;
  port.Close();
  f.lstDebug.items.clear();
  port.SetSettings(mode == LineMode::Text ? kTextLine : kFramedLine);
  std::string refused;
  bool open = TryOpen(t, f.PortNo, refused);
  for (int number = kFirstSearchedPort; !open && number <= kLastSearchedPort; ++number)
    open = TryOpen(t, number, refused);
  if (!open) {
    ShowError(t, Errors::NoPort);
    TellPortAccess(t, refused);
    return false;
  }
  if (mode == LineMode::Framed) port.Write(std::string(1, kXon));
  // Whatever waited before this exchange, or came in while the port was
  // closed, is not a reply to it.
  port.DiscardInput();
  f.RxBuffer.clear();
  return true;
}

void CloseDevicePort(Terminal& t, std::function<void(Terminal&)> then, int mostMs) {
  BeginDrain(t, std::move(then), mostMs, DrainFor::Closing);
}

void StartExchange(Terminal& t, LineMode mode, std::function<void(Terminal&)> begin) {
  constexpr int kLongestDrainMs = 1000;
  auto open = [mode, begin = std::move(begin)](Terminal& drained) {
    if (drained.form.KeyMode != Mode::Busy) return;  // ended while the old queue drained
    if (OpenDevicePort(drained, mode)) begin(drained);
  };
  BeginDrain(t, std::move(open), kLongestDrainMs, DrainFor::Exchange);
}

bool PortOpening(const Terminal& t) { return t.link.drain.active && t.link.drain.forExchange; }

void SendCommand(Terminal& t, const std::string& body) {
  Form& f = t.form;
  SerialPort& port = t.platform.port;
  bool failed = false;
  if (port.IsOpen()) {
    f.TxLine = body;
    std::string frame = Framed(body);
    failed = !port.Write(frame);
    LogTraffic(t, "→ " + frame);
  }
  f.WaitMs = 0;
  if (failed) ShowError(t, Errors::CannotSend);
}

LineWrite SendTextLine(Terminal& t, const std::string& text) {
  Form& f = t.form;
  SerialPort& port = t.platform.port;
  if (f.KeyMode != Mode::Busy) return LineWrite::NoRoom;
  int queued = port.OutputQueueCount();
  if (queued > kOutputQueueLimit) return LineWrite::NoRoom;
  if (queued < 0 || !port.Write(text + "\r\n")) {
    ShowError(t, Errors::CannotSend);
    return LineWrite::Failed;
  }
  LogTraffic(t, "→ " + text + "CrLf");
  return LineWrite::Written;
}

void ReadPortInput(Terminal& t, const std::string& received) {
  Form& f = t.form;
  std::size_t start = 0;
  for (std::size_t i = 0; i < received.size(); ++i) {
    char c = received[i];
    if (c == kStx) {
      f.RxBuffer.clear();  // whatever came before this STX is dropped
      start = i;
    } else if (c == kEtx) {
      f.RxBuffer += received.substr(start, i - start + 1);
      LogTraffic(t, "← " + f.RxBuffer);
      DispatchReply(t);  // only a whole frame is a reply
      f.RxBuffer.clear();
      start = i + 1;
    }
  }
  if (start < received.size()) {
    f.RxBuffer += received.substr(start);
    if (f.RxBuffer.size() > kLongestTail) f.RxBuffer.clear();
  }
}

void MSComm1_OnComm(Terminal& t, PortEvent event) {
  Form& f = t.form;
  try {
    if (event == PortEvent::Received) {
      if (!t.platform.port.IsOpen()) return;
      // While an exchange waits to reopen the port, what arrives belongs to
      // the one before: a late reply must not pass for the new one's.
      if (PortOpening(t))
        t.platform.port.DiscardInput();
      else
        ReadPortInput(t, t.platform.port.ReadAll());
    } else if (event == PortEvent::Written) {
      ContinueLinkJob(t);
    } else if (event == PortEvent::LineLost) {
      // The cable was pulled or the device went away; the port has closed.
      // A running exchange ends here, once, instead of waiting for the time-out.
      if (f.KeyMode == Mode::Busy || f.KeyMode == Mode::AbortConfirm)
        ShowError(t, Errors::CannotSend);
      ContinueLinkJob(t);
    }
  } catch (...) {
    ShowError(t, Errors::ReceiveHandler);
  }
}

}  // namespace rx
