// The six settings read from whatever the settings file holds, with a store
// that takes writes or refuses them: the terminal always starts, with a
// valid value for every setting, and reads the same values at the next start.
//
// Input: a flags byte, then the stored texts of PortNo, Debug, BestFrame,
// PrintFrame, DualAdd and SerialSend, one a line (an empty line: not
// stored); the rest are keys on the operation settings screen.
#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "console/dispatcher.h"
#include "fuzz_support.h"
#include "shell/startup.h"
#include "support/fake_platform.h"

namespace rx::fuzz {
namespace {

const char* const kKeys[] = {"PortNo", "Debug", "BestFrame", "PrintFrame", "DualAdd", "SerialSend"};

std::optional<bool> BooleanOf(const std::string& text) {
  std::string word;
  for (char c : text) word += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  if (word == "true") return true;
  if (word == "false") return false;
  return std::nullopt;
}

std::optional<int> PortOf(const std::string& text) {
  if (text.empty() || text.size() > 3) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < 1 || value > 255) return std::nullopt;
  return value;
}

struct Values {
  int port;
  bool debug, best, print, dualAdd, serialSend;
  bool operator==(const Values&) const = default;
};

// What a start must make of the stored texts: the value when it reads,
// otherwise the default. (A copy: looking a key up with [] adds it.)
Values Expected(std::map<std::string, std::string> stored) {
  return {PortOf(stored["PortNo"]).value_or(3),
          BooleanOf(stored["Debug"]).value_or(false),
          BooleanOf(stored["BestFrame"]).value_or(true),
          BooleanOf(stored["PrintFrame"]).value_or(true),
          BooleanOf(stored["DualAdd"]).value_or(false),
          BooleanOf(stored["SerialSend"]).value_or(false)};
}

Values Loaded(const Form& f) {
  return {f.PortNo, f.DebugMode, f.BestFrame, f.PrintFrame, f.DualAdd, f.SerialSend};
}

// Starts a terminal on the store's texts and checks what it made of them.
Values Start(testing::TestTerminal& tt, std::map<std::string, std::string> stored) {
  std::map<std::string, std::string> before = stored;
  tt.fakes.settings.values = stored;
  RX_CHECK(Form_Load(tt.terminal), "the terminal did not start");
  Form& f = tt.form();
  Values loaded = Loaded(f);
  RX_CHECK(loaded == Expected(before), "a setting read wrongly");
  RX_CHECK(f.PortNo >= 1 && f.PortNo <= 255, "port number");
  RX_CHECK(f.lstDebug.visible == f.DebugMode, "traffic list");
  RX_CHECK(f.lblMenu[12].enabled == f.SerialSend, "serial-send item");
  if (!tt.fakes.settings.failWrites) {
    // What could not be read has been replaced by something that can.
    std::map<std::string, std::string>& now = tt.fakes.settings.values;
    RX_CHECK(PortOf(now["PortNo"]).has_value(), now["PortNo"]);
    for (const char* key : kKeys)
      if (std::string(key) != "PortNo") RX_CHECK(BooleanOf(now[key]).has_value(), now[key]);
  } else {
    RX_CHECK(tt.fakes.settings.values == before, "a refusing store changed");
  }
  return loaded;
}

}  // namespace
}  // namespace rx::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace rx;
  using namespace rx::fuzz;
  static ScratchDirectory scratch("settings");
  Bytes in(data, size);
  const std::uint8_t flags = in.Byte();
  const bool refuse = flags & 1;
  std::map<std::string, std::string> stored;
  for (const char* key : kKeys) {
    std::string text = in.Line();
    if (!text.empty()) stored[key] = text;
  }

  std::map<std::string, std::string> left;
  Values first{};
  {
    testing::TestTerminal tt(scratch.Fresh());
    tt.fakes.settings.failWrites = refuse;
    first = Start(tt, stored);
    // The operation settings screen: sub-menu item 1, then the keys given.
    if (flags & 2) {
      for (int key : {Keys::Clear, 1, Keys::Enter}) lblKey_Click(tt.terminal, key);
      const int moves[] = {Keys::Up, Keys::Down, Keys::Left, Keys::Right, Keys::Enter, Keys::Esc};
      for (int i = 0; i < 32 && !in.Empty() && tt.form().Screen == ScreenId::Settings; ++i)
        lblKey_Click(tt.terminal, moves[in.Byte() % 6]);
      first.best = tt.form().BestFrame;
      first.print = tt.form().PrintFrame;
      std::string status = tt.form().lblStatus[1].caption;
      RX_CHECK(status.find(first.best ? "BEST : ON" : "BEST : OFF") != std::string::npos, status);
      RX_CHECK(status.find(first.print ? "PRINT : ON" : "PRINT : OFF") != std::string::npos,
               status);
    }
    left = tt.fakes.settings.values;
  }
  // The next start reads what this one left, and sees what it saw when the
  // store took the writes.
  testing::TestTerminal again(scratch.Fresh());
  Values second = Start(again, left);
  if (!refuse) RX_CHECK(second == first, "a setting changed between two starts");
  return 0;
}
