// Driving a test terminal as the window and the device do: keys, bytes from
// the device, and the frames and lines it was sent.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "console/dispatcher.h"
#include "link/device_port.h"
#include "link/frames.h"
#include "support/fake_platform.h"

namespace rx::testing {

// Line settings as the operator's manual writes them: "9600,E,7,2".
inline std::string LineText(const LineSettings& l) {
  const char parity = l.parity == Parity::Even ? 'E' : l.parity == Parity::Odd ? 'O' : 'N';
  return std::to_string(l.speed) + "," + parity + "," + std::to_string(l.dataBits) + "," + std::to_string(l.stopBits);
}

// A device frame around a body of up to 20 characters.
inline std::string Frame(const std::string& body) { return Framed(Body(body)); }

inline void Press(TestTerminal& tt, int key) { lblKey_Click(tt.terminal, key); }

// Digits and points, as the keypad types them; anything else is skipped.
inline void Type(TestTerminal& tt, const std::string& text) {
  for (char c : text)
    if (c == '.' || (c >= '0' && c <= '9')) Press(tt, c == '.' ? Keys::Point : c - '0');
}

// Bytes from the device, through the notification the terminal registered.
inline void Receive(TestTerminal& tt, const std::string& bytes) { tt.fakes.port.Receive(bytes); }

// The frame bodies among what was written; stray: anything else but XON/XOFF.
inline std::vector<std::string> FramesIn(const std::string& written, bool* stray = nullptr) {
  std::vector<std::string> bodies;
  for (std::size_t i = 0; i < written.size(); ++i) {
    if (written[i] == kStx && i + kBodyLength + 1 < written.size() && written[i + kBodyLength + 1] == kEtx)
      bodies.push_back(written.substr(i + 1, kBodyLength)), i += kBodyLength + 1;
    else if (stray && written[i] != kXon && written[i] != kXoff)
      *stray = true;
  }
  return bodies;
}

// The CR LF lines of text without their line ends; what follows the last
// CR LF is left in rest.
inline std::vector<std::string> CrLfLines(std::string text, std::string* rest = nullptr) {
  std::vector<std::string> lines;
  for (std::size_t at; (at = text.find("\r\n")) != std::string::npos; text.erase(0, at + 2))
    lines.push_back(text.substr(0, at));
  if (rest) *rest = std::move(text);
  return lines;
}

// The bytes of a file, "" when it cannot be read.
inline std::string ContentOf(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A first-run file of count records (a thousand bibs a block, from block 1),
// written with CR LF; its record lines.
inline std::vector<std::string> WriteRecordFile(const std::filesystem::path& path, int count) {
  std::vector<std::string> lines;
  std::ofstream out(path, std::ios::binary);
  for (int i = 0; i < count; ++i)
    out << lines.emplace_back(std::to_string((1 + i / 1000) * 1000 + i % 1000) + std::to_string(1000481234 + i)) << "\r\n";
  return lines;
}

}  // namespace rx::testing
