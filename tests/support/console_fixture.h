// A loaded terminal driven through its keys, as the operator drives it.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <initializer_list>
#include <utility>

#include "shell/highlight.h"
#include "shell/startup.h"
#include "support/terminal_driver.h"

namespace rx::testing {

struct ConsoleTest : ::testing::Test {
  void SetUp() override {
    std::filesystem::remove_all(tt.terminal.dataDirectory);
    ASSERT_TRUE(Form_Load(tt.terminal));
  }

  // Bytes from the device; a framed answer.
  void Receive(const std::string& bytes) { testing::Receive(tt, bytes); }
  void Reply(const std::string& body) { Receive(Frame(body)); }
  // Bodies of the frames written since the last call.
  std::vector<std::string> Sent() { return FramesIn(std::exchange(tt.fakes.port.written, {})); }
  void File(const std::string& name, std::initializer_list<const char*> lines) {
    std::ofstream out(tt.terminal.dataDirectory / name, std::ios::binary);
    for (const char* line : lines) out << line << "\r\n";
  }
  // The lines of a data file, without their CR LF.
  std::vector<std::string> Lines(const std::string& name) {
    std::ifstream in(tt.terminal.dataDirectory / name, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line.substr(0, line.size() - 1));
    return lines;
  }

  void Press(int key) { testing::Press(tt, key); }
  void Press(std::initializer_list<int> keys) { for (int key : keys) Press(key); }
  void Type(const std::string& text) { testing::Type(tt, text); }
  void Submit(const std::string& text) { Type(text), Press(Keys::Enter); }
  // The highlighted items of a set, by index.
  template <std::size_t N>
  std::vector<int> Highlighted(const std::array<Control, N>& set) const {
    std::vector<int> found;
    for (std::size_t i = 0; i < N; ++i)
      if (IsHighlighted(set[i])) found.push_back(static_cast<int>(i));
    return found;
  }

  TestTerminal tt;
  Form& f = tt.form();
};

}  // namespace rx::testing
