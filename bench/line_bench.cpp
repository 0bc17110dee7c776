// How the terminal keeps up with the 9600-baud line, against the simulated
// device on a pseudo-terminal. The device paces both directions at 11 bits a
// character (start, 7 data, even parity, 2 stop), as the real line does.
//
//   read:   1000 course-memory records read into a file
//   send:   500 records of a file loaded into the device, one at a time
//   output: 1000 lines of serial text output
//
// Run: ./build/bench/line_bench [records to read] [records to send] [lines to output]
#include <time.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <fstream>

#include "console/dispatcher.h"
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
                      fakes_.launcher, fakes_.power};
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
    while (terminal_->form.KeyMode == Mode::Busy)
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    if (terminal_->form.KeyMode != Mode::Normal)
      std::fprintf(stderr, "ended with %s\n", terminal_->form.lblError.caption.c_str());
    return {wall.nsecsElapsed() / 1e9, ThreadCpuSeconds() - cpu};
  }
  Form& form() { return terminal_->form; }
  sim::PtyDevice& device() { return *device_; }

 private:
  QTemporaryDir data_;
  testing::FakePlatform fakes_;
  QtClock clock_;
  QtEventLoop events_;
  QTimer tick_;
  std::unique_ptr<sim::PtyDevice> device_;
  std::unique_ptr<QtSerialPort> port_;
  std::unique_ptr<Terminal> terminal_;
};

void Report(const char* what, int count, double seconds, double line) {
  std::printf("%-7s %5d in %7.3f s, the line needs %7.3f s: %+6.2f %%\n", what, count, seconds, line,
              (seconds / line - 1) * 100);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int toRead = argc > 1 ? std::atoi(argv[1]) : 1000;
  const int toSend = argc > 2 ? std::atoi(argv[2]) : 500;
  const int toOutput = argc > 3 ? std::atoi(argv[3]) : 1000;

  {  // The terminal's own work per frame, with nothing paced.
    Bench bench(false);
    bench.Fill(toRead);
    bench.Start();
    bench.Press({1, Keys::Enter, 4, Keys::Enter, Keys::Enter});
    auto [seconds, cpu] = bench.Run(Keys::Enter);
    std::printf("unpaced read: %d records in %.3f s, terminal CPU %.1f us per frame\n",
                bench.form().RecordCount, seconds, cpu / (bench.form().RecordCount + 2) * 1e6);
  }
  {  // XON and the command go in, then CR, the records and CF come out.
    Bench bench(true);
    bench.Fill(toRead);
    bench.Start();
    bench.Press({1, Keys::Enter, 4, Keys::Enter, Keys::Enter});
    double seconds = bench.Run(Keys::Enter).first;
    Report("read", bench.form().RecordCount, seconds, (1 + kFrame + (toRead + 2) * kFrame) * kCharacterSeconds);
  }
  {  // XON, then for every record its command in and the device's CR out.
    Bench bench(true);
    bench.Start();
    bench.WriteFile("CN241433.C08", toSend);
    bench.Press({8, Keys::Enter, Keys::Enter, Keys::Enter});
    double seconds = bench.Run(Keys::Enter).first;
    Report("send", static_cast<int>(bench.device().Lines(sim::MemoryKind::Course).size()), seconds,
           (1 + toSend * 2 * kFrame) * kCharacterSeconds);
  }
  {  // Header, lines and trailer with CR LF; the device here carries 11 bits a
     // character, a real 9600,N,8,1 line 10.
    Bench bench(true);
    bench.Start();
    bench.WriteFile("FN241433.C08", toOutput);
    bench.form().SerialSend = true;
    bench.Press({Keys::Clear, 3, Keys::Enter, Keys::Enter, Keys::Enter});
    QElapsedTimer wall;
    wall.start();
    double written = bench.Run(Keys::Enter).first;
    while (bench.device().TextLines().size() < static_cast<std::size_t>(toOutput + 5))
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    double characters = 5 * 15 + toOutput * 16.0;
    std::printf("output: %d lines written in %.3f s; ", toOutput, written);
    Report("arrived", toOutput, wall.nsecsElapsed() / 1e9, characters * kCharacterSeconds);
  }
  return 0;
}
