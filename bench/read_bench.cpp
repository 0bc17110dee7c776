// How fast a read of the device's memory runs, against the line's own time.
//
// 1. At the line's pace: the simulated device sends 1000 course-memory
//    records at 9600 baud, 11 bits a character; the terminal must keep up,
//    so the read should take no longer than the line needs for the frames.
// 2. Without pacing: the terminal's own CPU time per received frame.
//
// Run: ./build/bench/read_bench [records]
#include <time.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "console/dispatcher.h"
#include "platform/qt/qt_serial_port.h"
#include "platform/qt/qt_services.h"
#include "shell/startup.h"
#include "shell/tick.h"
#include "sim/pty_device.h"
#include "support/fake_platform.h"

namespace {

using namespace rx;

constexpr double kSecondsPerCharacter = 11.0 / 9600.0;
constexpr int kFrame = 22;

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

void FillCourseMemory(sim::DeviceMemory& memory, int records) {
  const char* blocks = "0123456789ABCDEFGHIJKLMNOPQRS";
  for (int i = 0; i < records; ++i) {
    char bib[4], time[11];
    std::snprintf(bib, sizeof bib, "%03d", i % 999 + 1);
    std::snprintf(time, sizeof time, "%02d%02d%02d%04d", 9 + i / 3600 % 10, i / 60 % 60, i % 60, i % 10000);
    memory.Put(sim::MemoryKind::Course, blocks[i / 999], bib, time);
  }
}

struct Result {
  double wallSeconds = 0;
  double cpuSeconds = 0;
  int records = 0;
};

Result ReadAll(bool paced, int records) {
  sim::Options options;
  options.fast = !paced;
  options.demoData = false;
  sim::PtyDevice device(options);
  device.EditMemory([records](sim::DeviceMemory& memory) { FillCourseMemory(memory, records); });
  std::string error;
  if (!device.Start(&error)) {
    std::fprintf(stderr, "the simulated device did not start: %s\n", error.c_str());
    std::exit(1);
  }
  QTemporaryDir data;
  testing::FakePlatform fakes;
  QtClock clock;
  QtEventLoop events;
  std::string path = device.SlavePath();
  QtSerialPort port([path](int) { return path; });
  Platform services{fakes.settings, clock,         fakes.messages, fakes.beeper,  events,
                    fakes.desktop,  fakes.instance, port,          fakes.launcher, fakes.power};
  Terminal terminal(services, data.path().toStdString());
  Form_Load(terminal);
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, [&] { Timer1_Timer(terminal); });
  tick.start(100);

  for (int key : {1, Keys::Enter, 4, Keys::Enter, Keys::Enter}) lblKey_Click(terminal, key);
  QElapsedTimer wall;
  double cpu = ThreadCpuSeconds();
  wall.start();
  lblKey_Click(terminal, Keys::Enter);
  while (terminal.form.KeyMode == Mode::Busy) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  Result result{wall.nsecsElapsed() / 1e9, ThreadCpuSeconds() - cpu, terminal.form.RecordCount};
  if (terminal.form.KeyMode != Mode::Normal)
    std::fprintf(stderr, "the read ended with %s\n", terminal.form.lblError.caption.c_str());
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  int records = argc > 1 ? std::atoi(argv[1]) : 1000;

  Result fast = ReadAll(false, records);
  std::printf("unpaced: %d records in %.3f s, terminal CPU %.1f us per frame\n", fast.records,
              fast.wallSeconds, fast.cpuSeconds / (fast.records + 2) * 1e6);

  Result paced = ReadAll(true, records);
  // What the device sends: CR, every record, CF. (Our command crosses a
  // pseudo-terminal, which has no baud rate.)
  double line = (paced.records + 2) * kFrame * kSecondsPerCharacter;
  std::printf("paced:   %d records in %.3f s, the line needs %.3f s: %+.2f %%\n", paced.records,
              paced.wallSeconds, line, (paced.wallSeconds / line - 1) * 100);
  return paced.records == records && fast.records == records ? 0 : 1;
}
