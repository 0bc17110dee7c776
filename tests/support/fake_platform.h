// Scripted stand-ins for the platform services, and a terminal wired to them.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "shell/terminal.h"

namespace rx::testing {

class FakeSettings : public SettingsStore {
 public:
  std::map<std::string, std::string> values;  // by key; one section only here
  std::vector<std::string> writes;            // "key=value" in order

  std::string Read(const std::string&, const std::string&, const std::string& key) override {
    auto found = values.find(key);
    return found != values.end() ? found->second : "";
  }
  void Write(const std::string&, const std::string&, const std::string& key,
             const std::string& value) override {
    values[key] = value;
    writes.push_back(key + "=" + value);
  }
};

class FakeClock : public Clock {
 public:
  DateTime now{2008, 11, 24, 14, 33, 5};
  DateTime Now() override { return now; }
  std::string ShortDate(const DateTime& when) override {
    return std::to_string(when.year) + "/" + std::to_string(when.month) + "/" +
           std::to_string(when.day);
  }
};

class FakeMessageBox : public MessageBox {
 public:
  struct Shown {
    std::string text;
    MessageButtons buttons;
    MessageIcon icon;
  };
  std::vector<Shown> shown;
  std::deque<MessageAnswer> answers;  // next answers; Ok when empty

  MessageAnswer Show(const std::string& text, MessageButtons buttons, MessageIcon icon) override {
    shown.push_back({text, buttons, icon});
    if (answers.empty()) return MessageAnswer::Ok;
    MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

class FakeBeeper : public Beeper {
 public:
  int beeps = 0;
  void Beep() override { ++beeps; }
};

class FakeEventLoop : public EventLoop {
 public:
  int yields = 0;
  void Yield() override { ++yields; }
};

class FakeDesktop : public Desktop {
 public:
  PixelRect workArea{0, 0, 1024, 728};
  int twipsPerPixel = 15;
  int screenWidthPixels = 1024;
  int innerWidthTwips = 15360;
  WindowState state = WindowState::Normal;
  std::vector<std::tuple<int, int, int, int>> moves;

  PixelRect WorkArea() override { return workArea; }
  int TwipsPerPixelX() override { return twipsPerPixel; }
  int TwipsPerPixelY() override { return twipsPerPixel; }
  int ScreenWidthTwips() override { return screenWidthPixels * twipsPerPixel; }
  int InnerWidthTwips() override { return innerWidthTwips; }
  WindowState GetWindowState() override { return state; }
  void SetWindowState(WindowState s) override { state = s; }
  void MoveWindow(int left, int top, int width, int height) override {
    moves.emplace_back(left, top, width, height);
  }
};

class FakeSingleInstance : public SingleInstance {
 public:
  bool alone = true;
  bool TryAcquire() override { return alone; }
};

// Owns the fakes and a terminal that uses them.
struct FakePlatform {
  FakeSettings settings;
  FakeClock clock;
  FakeMessageBox messages;
  FakeBeeper beeper;
  FakeEventLoop events;
  FakeDesktop desktop;
  FakeSingleInstance instance;

  Platform Services() {
    return Platform{settings, clock, messages, beeper, events, desktop, instance};
  }
};

struct TestTerminal {
  explicit TestTerminal(std::filesystem::path data = std::filesystem::temp_directory_path() /
                                                     "rx710kp-test-data")
      : terminal(fakes.Services(), std::move(data)) {}
  FakePlatform fakes;
  Terminal terminal;
  Form& form() { return terminal.form; }
};

}  // namespace rx::testing
