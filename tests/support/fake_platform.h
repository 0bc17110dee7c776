// Scripted stand-ins for the platform services, and a terminal wired to them.
#pragma once

#include <unistd.h>

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/page_printer.h"
#include "shell/terminal.h"

namespace rx::testing {

struct FakeSettings : SettingsStore {
  std::map<std::string, std::string> values;  // by key; one section only here
  std::vector<std::string> writes;            // "key=value" in order

  std::string Read(const std::string&, const std::string&, const std::string& key) override {
    return values.count(key) ? values[key] : "";
  }
  bool failWrites = false;  // the store cannot be written (read-only, a directory)
  std::function<void()> onWrite;  // e.g. throws, as a broken store might

  bool Write(const std::string&, const std::string&, const std::string& key, const std::string& value) override {
    if (onWrite) onWrite();
    if (failWrites) return false;
    values[key] = value;
    writes.push_back(key + "=" + value);
    return true;
  }
};

struct FakeClock : Clock {
  DateTime now{2008, 11, 24, 14, 33, 5};
  DateTime Now() override { return now; }
  std::string ShortDate(const DateTime& d) override {
    return std::to_string(d.year) + "/" + std::to_string(d.month) + "/" + std::to_string(d.day);
  }
  long long monotonic = 0;
  long long MonotonicMs() override { return monotonic; }
};

struct FakeMessageBox : MessageBox {
  struct Shown { std::string text; MessageButtons buttons; };
  std::vector<Shown> shown;
  std::deque<MessageAnswer> answers;  // answered at once, in turn; Ok when empty
  bool operatorReads = false;         // set: each box stays open until Answer()

  void Ask(const std::string& text, MessageButtons buttons, MessageIcon, Answered answered) override {
    Dismiss();
    shown.push_back({text, buttons});
    if (operatorReads) {
      open_ = std::move(answered);
      return;
    }
    const MessageAnswer answer = answers.empty() ? MessageAnswer::Ok : answers.front();
    if (!answers.empty()) answers.pop_front();
    if (answered) answered(answer);
  }
  void Dismiss() override { if (open_) Answer(EscapeAnswer(shown.back().buttons)); }
  bool Asking() const override { return static_cast<bool>(open_); }
  void Answer(MessageAnswer answer) {
    Answered answered = std::exchange(open_, {});
    if (answered) answered(answer);
  }

 private:
  Answered open_;
};

struct FakeBeeper : Beeper { int beeps = 0; void Beep() override { ++beeps; } };

// Posted tasks wait until the test lets time pass; nothing runs by itself.
struct FakeEventLoop : EventLoop {
  struct Task { long long due; std::function<void()> run; };
  std::deque<Task> tasks;
  long long now = 0;

  void Post(int delayMs, std::function<void()> task) override {
    tasks.push_back({now + (delayMs > 0 ? delayMs : 0), std::move(task)});
  }
  // One turn of the loop: runs the tasks due now, in order, not those they
  // post. The number run.
  int Turn() {
    std::deque<Task> due;
    for (auto it = tasks.begin(); it != tasks.end();)
      if (it->due <= now) due.push_back(std::move(*it)), it = tasks.erase(it);
      else ++it;
    for (Task& task : due) task.run();
    return static_cast<int>(due.size());
  }
  // Turns until nothing is due any more (bounded); the number of turns.
  int Settle(int mostTurns = 100000) {
    int turns = 0;
    while (turns < mostTurns && Turn() > 0) ++turns;
    return turns;
  }
  // Lets ms pass, a millisecond at a time, running what falls due.
  void Advance(int ms) { for (int i = 0; i < ms; ++i) ++now, Settle(); }
};

struct FakeDesktop : Desktop {
  PixelRect workArea{0, 0, 1024, 728};
  int twipsPerPixel = 15;
  int screenWidthPixels = 1024;
  WindowState state = WindowState::Normal;
  std::vector<std::tuple<int, int, int, int>> moves;

  PixelRect WorkArea() override { return workArea; }
  int TwipsPerPixelX() override { return twipsPerPixel; }
  int TwipsPerPixelY() override { return twipsPerPixel; }
  int ScreenWidthTwips() override { return screenWidthPixels * twipsPerPixel; }
  WindowState GetWindowState() override { return state; }
  void SetWindowState(WindowState s) override { state = s; }
  void MoveWindow(int left, int top, int width, int height) override { moves.emplace_back(left, top, width, height); }
  int closeRequests = 0;
  void CloseWindow() override { ++closeRequests; }
};

struct FakeSingleInstance : SingleInstance { bool alone = true; bool TryAcquire() override { return alone; } };

// A port whose devices, input and line the test decides. It keeps the real
// port's contract: a held line queues what is written until it is let go
// (Written then), a write meeting a gone device closes the port, a close
// drops what the line has not taken, and an open lets a held line go.
struct FakeSerialPort : SerialPort {
  std::set<int> present{3};                // port numbers that open
  std::map<int, OpenFault> faults;         // why a port not present fails; Missing when not given
  std::vector<int> attempts;               // port numbers tried, in order
  std::vector<LineSettings> openedWith;    // settings of each successful open
  std::string written;                     // everything that went onto the line since the start
  std::string queued;                      // written while the line is held, not on it yet
  std::string input;                       // waiting to be read
  bool held = false;                       // the far end said XOFF
  bool gone = false;                       // the device is gone: a write fails and closes the port
  int closes = 0;
  std::function<void(PortEvent)> handler;
  LineSettings settings;
  int number = 0;
  bool open = false;

  static std::string DeviceOf(int n) { return "/dev/fake/COM" + std::to_string(n); }
  // The far end holds the line with bytes of an earlier write still queued.
  void Hold(std::size_t alreadyQueued = 0) { held = true, queued.append(alreadyQueued, '.'); }
  // XON: what waited goes onto the line, and there is room again.
  void LetGo() {
    held = false;
    if (queued.empty()) return;
    written += std::exchange(queued, {});
    if (handler) handler(PortEvent::Written);
  }
  // Bytes from the device, with the notification.
  void Receive(const std::string& bytes) {
    input += bytes;
    if (handler) handler(PortEvent::Received);
  }

  void SetSettings(const LineSettings& s) override { settings = s; }
  void SetPortNumber(int n) override { number = n; }
  bool Open(OpenFailure* failure) override {
    attempts.push_back(number);
    if (!present.count(number)) {
      OpenFault fault = faults.count(number) ? faults[number] : OpenFault::Missing;
      if (failure) *failure = {fault, DeviceOf(number), fault == OpenFault::NoPermission ? "Permission denied" : "No such file or directory"};
      return false;
    }
    openedWith.push_back(settings);
    held = false;  // the settings set at an open let a held line go
    return open = true;
  }
  void Close() override { closes += open, open = false, queued.clear(); }
  bool IsOpen() const override { return open; }
  bool Write(const std::string& bytes) override {
    if (open && gone) open = false, queued.clear();
    if (!open) return false;
    (held ? queued : written) += bytes;
    return true;
  }
  std::string ReadAll() override { return open ? std::exchange(input, std::string()) : std::string(); }
  void DiscardInput() override { input.clear(); }
  void DiscardOutput() override { queued.clear(); }
  int OutputQueueCount() override { return open ? static_cast<int>(queued.size()) : -1; }
  void SetReceiveHandler(std::function<void(PortEvent)> h) override { handler = std::move(h); }
};

struct FakeLauncher : ProgramLauncher {
  std::set<std::string> installed;
  std::vector<std::string> started;  // "program arg arg"
  bool StartDetached(const std::string& program, const std::vector<std::string>& arguments) override {
    std::string line = program;
    for (const std::string& a : arguments) line += " " + a;
    if (installed.count(program)) started.push_back(line);
    return installed.count(program) > 0;
  }
};

struct FakePowerOff : PowerOff {
  bool allowed = true;
  int requests = 0;
  void Request(std::function<void(bool)> answered) override { if (++requests, answered) answered(allowed); }
};

// Pages kept as lines; refuses at the step the test names, and a printer it
// does not have; Open and Finish answer at the pendFor-th poll.
struct FakePagePrinter : PagePrinter {
  std::set<std::string> printers{"Office"};
  int perPage = 4;
  std::string refuseOpen, refusePage, refuseFinish;  // the reason, when set
  int pendFor = 0;
  PageTarget target;
  std::vector<std::string> headings;                 // "n / m" of each page printed
  std::vector<std::string> document;                 // the lines of the open document
  std::vector<std::vector<std::string>> handedOver;  // each finished document
  int discards = 0;

  PrintCall Open(const PageTarget& to, const std::string&, std::string* reason) override {
    target = to, document.clear(), headings.clear();
    missing_ = to.kind == PageTarget::Kind::Printer && !printers.count(to.name) ? "there is no printer named " + to.name : "";
    return Answer(missing_.empty() ? &refuseOpen : &missing_, reason);
  }
  int LinesPerPage() override { return perPage; }
  bool PrintPage(int page, int pages, std::span<const std::string> lines, std::string* reason) override {
    if (!refusePage.empty()) return *reason = refusePage, false;
    headings.push_back(std::to_string(page) + " / " + std::to_string(pages));
    document.insert(document.end(), lines.begin(), lines.end());
    return true;
  }
  PrintCall Finish(std::string* reason) override { return Answer(&refuseFinish, reason); }
  PrintCall Poll(std::string* reason) override {
    if (!pending || --pollsLeft > 0) return pending ? PrintCall::Pending : PrintCall::Done;
    return Outcome(std::exchange(pending, nullptr), reason);
  }
  void Discard() override { ++discards, pending = nullptr; }

 private:
  PrintCall Answer(const std::string* step, std::string* reason) {
    if (pendFor > 0) return pending = step, pollsLeft = pendFor, PrintCall::Pending;
    return Outcome(step, reason);
  }
  PrintCall Outcome(const std::string* step, std::string* reason) {
    if (!step->empty()) return *reason = *step, PrintCall::Failed;
    if (step == &refuseFinish) handedOver.push_back(document);
    return PrintCall::Done;
  }
  std::string missing_;                  // why the open printer is not there
  const std::string* pending = nullptr;  // the step a pending call stands for
  int pollsLeft = 0;
};

// Owns the fakes and a terminal that uses them.
struct FakePlatform {
  FakeSettings settings; FakeClock clock; FakeMessageBox messages; FakeBeeper beeper;
  FakeEventLoop events; FakeDesktop desktop; FakeSingleInstance instance; FakeSerialPort port;
  FakeLauncher launcher; FakePowerOff power; FakePagePrinter printer;

  Platform Services() {
    return Platform{settings, clock, messages, beeper, events, desktop, instance, port, printer, launcher, power};
  }
};

// A data directory of the test's own, so tests may run side by side.
inline std::filesystem::path OwnDataDirectory() {
  static int made = 0;
  return std::filesystem::temp_directory_path() / ("rx710kp-test-" + std::to_string(getpid()) + "-" + std::to_string(++made));
}

struct TestTerminal {
  TestTerminal() : TestTerminal(OwnDataDirectory()) { owned = terminal.dataDirectory; }
  explicit TestTerminal(std::filesystem::path data) : terminal(fakes.Services(), std::move(data)) {}
  ~TestTerminal() { std::error_code ignored; if (!owned.empty()) std::filesystem::remove_all(owned, ignored); }
  FakePlatform fakes;
  Terminal terminal;
  std::filesystem::path owned;  // removed with the terminal
  Form& form() { return terminal.form; }
};

}  // namespace rx::testing
