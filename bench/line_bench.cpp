// How the terminal keeps up with the 9600-baud line, against the simulated
// device on a pseudo-terminal. The device paces both directions at 11 bits a
// character (start, 7 data, even parity, 2 stop), as the real line does.
//
//   read:   1000 course-memory records read into a file
//   send:   500 records of a file loaded into the device, one at a time
//   output: 1000 lines of serial text output
//   load:   a 10 MB data file read into the record queue for a send
//   pdf:    10000 record lines of text output laid out into a PDF
//
// For each, the longest stall of the event loop as well: the largest gap
// between the callbacks of a 1 ms timer, and the most CPU in one such gap.
//
// Run: ./build/bench/line_bench [read[=records]] [send[=records]] [output[=lines]] [load[=MB]] [pdf[=lines]]
// (none named: all of them).
#include <time.h>

#include <QAbstractEventDispatcher>
#include <QGuiApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "console/dispatcher.h"
#include "platform/qt/qt_page_printer.h"
#include "platform/qt/qt_serial_port.h"
#include "platform/qt/qt_services.h"
#include "shell/startup.h"
#include "shell/tick.h"
#include "sim/pty_device.h"
#include "support/fake_platform.h"

namespace {

using namespace rx;

constexpr double kCharacterSeconds = 11.0 / 9600.0;
constexpr int kFrame = 22;

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// One turn of the event loop as the window's runs it: it sleeps until
// something happens. A loop that spun instead would take a core from the
// device and the stall figures with it.
void Turn() {
  QAbstractEventDispatcher::instance()->processEvents(QEventLoop::WaitForMoreEvents |
                                                      QEventLoop::EventLoopExec);
}

std::string RecordLine(int i) {
  const char* blocks = "0123456789ABCDEFGHIJKLMNOPQRS";
  char line[32];
  std::snprintf(line, sizeof line, "%c%03d%02d%02d%02d%04d", blocks[i / 999 % 29], i % 999 + 1,
                9 + i / 3600 % 10, i / 60 % 60, i % 60, i % 10000);
  return line;
}

// A terminal on the real port, clock and event loop, against a device.
class Bench {
 public:
  explicit Bench(bool paced) {
    sim::Options options;
    options.fast = !paced;
    options.demoData = false;
    device_ = std::make_unique<sim::PtyDevice>(options);
  }
  void Fill(int records) {
    device_->EditMemory([records](sim::DeviceMemory& memory) {
      for (int i = 0; i < records; ++i) {
        std::string line = RecordLine(i);
        memory.Put(sim::MemoryKind::Course, line[0], line.substr(1, 3), line.substr(4));
      }
    });
  }
  void Start() {
    std::string error;
    if (!device_->Start(&error)) {
      std::fprintf(stderr, "the simulated device did not start: %s\n", error.c_str());
      std::exit(1);
    }
    std::string path = device_->SlavePath();
    port_ = std::make_unique<QtSerialPort>([path](int) { return path; });
    Platform services{fakes_.settings, clock_,          fakes_.messages, fakes_.beeper,
                      events_,         fakes_.desktop,  fakes_.instance, *port_,
                      printer_,        fakes_.launcher, fakes_.power};
    terminal_ = std::make_unique<Terminal>(services, data_.path().toStdString());
    Form_Load(*terminal_);
    fakes_.settings.values["SerialSend"] = "True";
    QObject::connect(&tick_, &QTimer::timeout, [this] { Timer1_Timer(*terminal_); });
    tick_.start(100);
  }
  void WriteFile(const std::string& name, int records) {
    std::ofstream out(data_.path().toStdString() + "/" + name, std::ios::binary);
    for (int i = 0; i < records; ++i) out << RecordLine(i) << "\r\n";
  }
  void Press(std::initializer_list<int> keys) {
    for (int key : keys) lblKey_Click(*terminal_, key);
  }
  // Presses the last key and measures until the exchange is over.
  std::pair<double, double> Run(int key) {
    QElapsedTimer wall;
    double cpu = ThreadCpuSeconds();
    wall.start();
    lblKey_Click(*terminal_, key);
    while (terminal_->form.KeyMode == Mode::Busy) Turn();
    if (terminal_->form.KeyMode != Mode::Normal)
      std::fprintf(stderr, "ended with %s\n", terminal_->form.lblError.caption.c_str());
    return {wall.nsecsElapsed() / 1e9, ThreadCpuSeconds() - cpu};
  }
  Form& form() { return terminal_->form; }
  void Setting(const std::string& key, const std::string& value) { fakes_.settings.values[key] = value; }
  Terminal& terminal() { return *terminal_; }
  sim::PtyDevice& device() { return *device_; }

 private:
  QTemporaryDir data_;
  testing::FakePlatform fakes_;
  QtClock clock_;
  QtEventLoop events_;
  QTimer tick_;
  std::unique_ptr<sim::PtyDevice> device_;
  std::unique_ptr<QtSerialPort> port_;
  QtPagePrinter printer_;
  std::unique_ptr<Terminal> terminal_;
};

using Clock = std::chrono::steady_clock;
using Span = std::pair<Clock::time_point, Clock::time_point>;

bool Overlap(const Span& a, const Span& b) { return a.first < b.second && b.first < a.second; }

// The machine's own share: a bare thread sleeping 10 ms at a time beside the
// terminal, how late it woke at worst during a phase, and when it was held
// 30 ms or more.
class SleepMeter {
 public:
  SleepMeter() {
    thread_ = std::thread([this] {
      Clock::time_point last = Clock::now();
      while (!stop_) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        Clock::time_point now = Clock::now();
        std::lock_guard lock(mutex_);
        longest_ = std::max(longest_, now - last);
        if (now - last >= std::chrono::milliseconds(30)) held_.push_back({last, now});
        last = now;
      }
    });
  }
  ~SleepMeter() {
    stop_ = true;
    thread_.join();
  }
  // The longest gap since the last call, in ms, and when it was held.
  double Take(std::vector<Span>* held = nullptr) {
    std::lock_guard lock(mutex_);
    if (held) *held = held_;
    held_.clear();
    return std::chrono::duration<double, std::milli>(std::exchange(longest_, {})).count();
  }

 private:
  std::atomic<bool> stop_ = false;
  std::mutex mutex_;  // guards what follows
  Clock::duration longest_{};
  std::vector<Span> held_;
  std::thread thread_;
};

// The longest wait of the event loop between two callbacks of a 1 ms timer:
// whatever runs in one turn (a key, a reply, a step of a job) delays the next.
// How much of a gap the thread spent on the CPU tells our own work from time
// the machine gave to others: on a loaded machine a plain 10 ms sleep can
// wake 100 ms late. The timer fires in every turn that starts 1 ms or more
// after its last callback, so a gap holds one turn of a job that runs turn
// after turn; a 10 ms timer's gap would hold the sum of ten such turns.
//
// The CPU time of a thread also counts the time a virtual machine's host
// takes the processor away while the thread runs (whole 100 ms slices seen):
// the most CPU in one gap leaves out gaps during which the bare sleep beside
// it was held too, and says what the most in those was.
class StallMeter {
 public:
  explicit StallMeter(SleepMeter& machine) : machine_(machine) {
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      Clock::time_point now = Clock::now();
      double cpu = ThreadCpuSeconds();
      if (now - last_ > longest_) {
        longest_ = now - last_;
        working_ = cpu - lastCpu_;
      }
      if (cpu - lastCpu_ > 1e-3) busy_.push_back({{last_, now}, cpu - lastCpu_});
      last_ = now;
      lastCpu_ = cpu;
      ++ticks_;
    });
  }
  void Start() {
    longest_ = {};
    working_ = 0;
    busy_.clear();
    ticks_ = 0;
    last_ = Clock::now();
    lastCpu_ = ThreadCpuSeconds();
    machine_.Take();
    timer_.start(1);
  }
  // Waits for one more callback, so that the last turn of the phase is
  // measured too.
  void Stop() {
    for (long seen = ticks_; ticks_ == seen;) Turn();
    timer_.stop();
  }
  void Report(const char* what) {
    std::vector<Span> held;
    const double machine = machine_.Take(&held);
    double busiest = 0, busiestHeld = 0;
    for (const auto& [span, cpu] : busy_) {
      double& most = std::any_of(held.begin(), held.end(), [&](const Span& h) { return Overlap(span, h); })
                         ? busiestHeld
                         : busiest;
      most = std::max(most, cpu);
    }
    std::printf("stall %7s: longest event-loop gap %.1f ms (%.1f ms of it on the CPU);"
                " most CPU in one gap %.1f ms",
                what, std::chrono::duration<double, std::milli>(longest_).count(), working_ * 1e3, busiest * 1e3);
    if (busiestHeld > busiest) std::printf(" (%.1f ms in one while the machine held the sleep too)", busiestHeld * 1e3);
    std::printf("; a bare 10 ms sleep beside it, longest gap %.1f ms\n", machine);
  }

 private:
  SleepMeter& machine_;
  QTimer timer_;
  Clock::time_point last_;
  Clock::duration longest_{};
  double lastCpu_ = 0;
  double working_ = 0;  // thread CPU seconds within the longest gap
  std::vector<std::pair<Span, double>> busy_;  // gaps with over 1 ms of CPU, and how much
  long ticks_ = 0;
};

void Report(const char* what, int count, double seconds, double line) {
  std::printf("%-7s %5d in %7.3f s, the line needs %7.3f s: %+6.2f %%\n", what, count, seconds, line,
              (seconds / line - 1) * 100);
}

}  // namespace

int main(int argc, char** argv) {
  // The PDF's layout needs fonts, not a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  // Each phase by name, with its size after "="; none named runs all.
  std::map<std::string, int> sizes{{"read", 1000}, {"send", 500}, {"output", 1000}, {"load", 10}, {"pdf", 10000}};
  std::map<std::string, bool> run;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    std::size_t equals = argument.find('=');
    std::string name = argument.substr(0, equals);
    if (!sizes.count(name)) {
      std::fprintf(stderr, "usage: %s [read[=records]] [send[=records]] [output[=lines]] [load[=MB]] [pdf[=lines]]\n",
                   argv[0]);
      return 2;
    }
    run[name] = true;
    if (equals != std::string::npos) sizes[name] = std::atoi(argument.c_str() + equals + 1);
  }
  if (run.empty())
    for (auto& [name, size] : sizes) run[name] = true;
  const int toRead = sizes["read"];
  const int toSend = sizes["send"];
  const int toOutput = sizes["output"];
  const int toLoadMb = sizes["load"];
  SleepMeter machine;
  StallMeter stall(machine);

  if (run["read"]) {  // The terminal's own work per frame, with nothing paced.
    Bench bench(false);
    bench.Fill(toRead);
    bench.Start();
    bench.Press({1, Keys::Enter, 4, Keys::Enter, Keys::Enter});
    auto [seconds, cpu] = bench.Run(Keys::Enter);
    std::printf("unpaced read: %d records in %.3f s, terminal CPU %.1f us per frame\n",
                bench.form().StoredCount, seconds, cpu / (bench.form().StoredCount + 2) * 1e6);
  }
  if (run["read"]) {  // XON and the command go in, then CR, the records and CF come out.
    Bench bench(true);
    bench.Fill(toRead);
    bench.Start();
    bench.Press({1, Keys::Enter, 4, Keys::Enter, Keys::Enter});
    stall.Start();
    double seconds = bench.Run(Keys::Enter).first;
    stall.Stop();
    Report("read", bench.form().StoredCount, seconds, (1 + kFrame + (toRead + 2) * kFrame) * kCharacterSeconds);
    stall.Report("read");
  }
  if (run["send"]) {  // XON, then for every record its command in and the device's CR out.
    Bench bench(true);
    bench.Start();
    bench.WriteFile("CN241433.C08", toSend);
    bench.Press({8, Keys::Enter, Keys::Enter, Keys::Enter});
    stall.Start();
    double seconds = bench.Run(Keys::Enter).first;
    stall.Stop();
    Report("send", static_cast<int>(bench.device().Lines(sim::MemoryKind::Course).size()), seconds,
           (1 + toSend * 2 * kFrame) * kCharacterSeconds);
    stall.Report("send");
  }
  if (run["output"]) {  // Header, lines and trailer with CR LF; the device here carries 11 bits a
                        // character, a real 9600,N,8,1 line 10.
    Bench bench(true);
    bench.Start();
    bench.WriteFile("FN241433.C08", toOutput);
    bench.form().SerialSend = true;
    bench.Press({Keys::Clear, 3, Keys::Enter, Keys::Enter, Keys::Enter});
    QElapsedTimer wall;
    stall.Start();
    wall.start();
    double written = bench.Run(Keys::Enter).first;
    // The stall meter's timer wakes the loop at least every 1 ms to look.
    while (bench.device().TextLines().size() < static_cast<std::size_t>(toOutput + 5)) Turn();
    double seconds = wall.nsecsElapsed() / 1e9;
    stall.Stop();
    double characters = 5 * 15 + toOutput * 16.0;
    std::printf("output: %d lines written in %.3f s; ", toOutput, written);
    Report("arrived", toOutput, seconds, characters * kCharacterSeconds);
    stall.Report("output");
  }
  if (run["load"]) {  // A large file into the record queue, up to the send's first command.
    Bench bench(true);
    bench.Start();
    const int records = static_cast<int>(toLoadMb * 1024LL * 1024 / 16);  // 14 characters and CR LF
    bench.WriteFile("CN241433.C08", records);
    bench.Press({8, Keys::Enter, Keys::Enter, Keys::Enter});
    QElapsedTimer wall;
    double cpu = ThreadCpuSeconds();
    stall.Start();
    wall.start();
    bench.Press({Keys::Enter});
    while (bench.terminal().link.load.active) Turn();
    double seconds = wall.nsecsElapsed() / 1e9;
    cpu = ThreadCpuSeconds() - cpu;
    stall.Stop();
    if (static_cast<int>(bench.form().Records.size()) != records || bench.form().TxLine.empty())
      std::fprintf(stderr, "the send did not start: %d of %d records queued, %s\n", static_cast<int>(bench.form().Records.size()),
                   records, bench.form().lblError.caption.c_str());
    std::printf("load:   %d records (%d MB) queued in %.3f s, terminal CPU %.3f s, up to the first command\n",
                static_cast<int>(bench.form().Records.size()), toLoadMb, seconds, cpu);
    stall.Report("load");
    // The send itself is not waited for: the bench ends it with the terminal.
  }
  if (run["pdf"]) {  // The text output for TextOutput=PDF: a page per turn, the file beside the data.
    Bench bench(true);
    bench.Start();
    bench.Setting("TextOutput", "PDF");
    bench.WriteFile("FN241433.C08", sizes["pdf"]);
    bench.form().SerialSend = true;
    bench.Press({Keys::Clear, 3, Keys::Enter, Keys::Enter, Keys::Enter});
    stall.Start();
    double seconds = bench.Run(Keys::Enter).first;
    stall.Stop();
    std::printf("pdf:    %d lines laid out and written in %.3f s\n", sizes["pdf"], seconds);
    stall.Report("pdf");
  }
  return 0;
}
