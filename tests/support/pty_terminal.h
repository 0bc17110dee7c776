// A terminal over a real pseudo-terminal: the Qt port, clock and event loop
// on one side, the simulated device on the other; the rest are fakes.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "console/dispatcher.h"
#include "platform/qt/qt_serial_port.h"
#include "platform/qt/qt_services.h"
#include "shell/startup.h"
#include "shell/tick.h"
#include "sim/pty_device.h"
#include "support/event_wait.h"
#include "support/fake_platform.h"

namespace rx::testing {

inline sim::Options Fast() {
  sim::Options options;
  options.fast = true;
  return options;
}

// A terminal whose port, clock and event loop are real; the rest are fakes.
class OverPty : public ::testing::Test {
 protected:
  // A terminal as the program starts it, whose every port number leads to path.
  void Connect(const std::string& path) {
    port = std::make_unique<QtSerialPort>([path](int) { return path; });
    Platform services{fakes.settings, clock,          fakes.messages, fakes.beeper,
                      events,         fakes.desktop,  fakes.instance, *port,
                      fakes.launcher, fakes.power};
    terminal = std::make_unique<Terminal>(services, data.path().toStdString() + "/RX-710");
    ASSERT_TRUE(Form_Load(*terminal));
    tick.disconnect();  // a terminal connected again replaces the one before
    QObject::connect(&tick, &QTimer::timeout, [this] { Timer1_Timer(*terminal); });
    tick.start(100);
  }
  bool StartDevice(sim::Options options) {
    device = std::make_unique<sim::PtyDevice>(std::move(options));
    std::string error;
    if (!device->Start(&error)) return false;
    Connect(device->SlavePath());
    return true;
  }
  void Press(std::initializer_list<int> keys) {
    for (int key : keys) lblKey_Click(*terminal, key);
  }
  // Main item, 読込, range item, then Enter on the confirmation.
  void Read(int item, int range) { Press({item, Keys::Enter, 4, Keys::Enter, range, Keys::Enter, Keys::Enter}); }
  // Entries of digits and points, each followed by Enter ("" for Enter alone).
  void Type(std::initializer_list<std::string> entries) {
    for (const std::string& entry : entries) {
      for (char c : entry) Press({c == '.' ? Keys::Point : c - '0'});
      Press({Keys::Enter});
    }
  }
  // Back from wherever an exchange ended to the main menu, as the operator would.
  void ToMainMenu() {
    for (int i = 0; i < 5 && form().Screen != ScreenId::MainMenu; ++i) Press({Keys::Esc});
    ASSERT_EQ(form().Screen, ScreenId::MainMenu);
  }
  bool Idle() { return form().KeyMode != Mode::Busy && form().KeyMode != Mode::AbortConfirm; }
  void WaitIdle() { ASSERT_SOON(Idle(), 20000); }
  void ExpectDone() { EXPECT_EQ(form().KeyMode, Mode::Normal) << form().lblError.caption; }
  // The device's line of a record, "" when it has none.
  std::string DeviceLine(sim::MemoryKind kind, const std::string& key) {
    for (const std::string& line : device->Lines(kind))
      if (line.compare(0, key.size(), key) == 0) return line;
    return "";
  }
  std::vector<std::string> FileLines() {
    std::ifstream in(terminal->dataDirectory / form().lblFileName.caption, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
      EXPECT_EQ(line.back(), '\r');
      lines.push_back(line.substr(0, line.size() - 1));
    }
    return lines;
  }
  Form& form() { return terminal->form; }

  QTemporaryDir data;
  FakePlatform fakes;
  QtClock clock;
  QtEventLoop events;
  QTimer tick;
  std::unique_ptr<sim::PtyDevice> device;
  std::unique_ptr<QtSerialPort> port;
  std::unique_ptr<Terminal> terminal;
};

}  // namespace rx::testing
