// A loaded terminal driven through its keys, as the operator drives it.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <initializer_list>

#include "console/dispatcher.h"
#include "link/commands.h"
#include "link/device_port.h"
#include "shell/highlight.h"
#include "shell/startup.h"
#include "support/fake_platform.h"

namespace rx::testing {

// A device frame around a body of up to 20 characters.
inline std::string Frame(const std::string& body) { return kStx + Body(body) + kEtx; }

class ConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::remove_all(tt.terminal.dataDirectory);
    ASSERT_TRUE(Form_Load(tt.terminal));
  }
  void TearDown() override { std::filesystem::remove_all(tt.terminal.dataDirectory); }

  // Bytes from the device, through the port's notification; a framed answer.
  void Receive(const std::string& bytes) {
    tt.fakes.port.input += bytes;
    tt.fakes.port.handler(PortEvents::Received);
  }
  void Reply(const std::string& body) { Receive(Frame(body)); }
  // Bodies of the frames written since the last call.
  std::vector<std::string> Sent() {
    std::vector<std::string> bodies;
    std::string& written = tt.fakes.port.written;
    for (std::size_t at = written.find(kStx); at != std::string::npos; at = written.find(kStx, at + 1))
      bodies.push_back(written.substr(at + 1, kBodyLength));
    written.clear();
    return bodies;
  }
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

  void Press(int key) { lblKey_Click(tt.terminal, key); }
  void Press(std::initializer_list<int> keys) {
    for (int key : keys) Press(key);
  }
  // Types a time or number: digits and ".".
  void Type(const std::string& text) {
    for (char c : text) Press(c == '.' ? Keys::Point : c - '0');
  }
  void Submit(const std::string& text) {
    Type(text);
    Press(Keys::Enter);
  }
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
