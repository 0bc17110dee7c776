// Data files of any content and name: the line reader, the block-wise line
// splitter of the queue loads, the file list, and the two queue loads as the
// operator starts them (main item 8, or sub-menu item 3 for a serial send)
// right through to what reaches the port.
//
// Input: a header line, then files, each "@name" on a line of its own and
// its content up to the next line that starts with "@" (input without "@"
// is the content of one course file). Header: [0] flags (1: one block,
// 2: serial text output instead of a send, 4: the device refuses every
// third record), [1] which listed file, [2] the splitter's block size,
// [3..] the block number typed.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "data/block_letters.h"
#include "data/data_file.h"
#include "data/file_list.h"
#include "data/line_splitter.h"
#include "fuzz_support.h"
#include "shell/startup.h"
#include "terminal_driver.h"

namespace rx::fuzz {
namespace {

namespace fs = std::filesystem;
using testing::TestTerminal;

using Files = std::map<std::string, std::string>;  // name, content

Files Split(const std::string& rest) {
  Files files;
  if (rest.empty() || rest[0] != '@') {
    files["CN241433.C08"] = rest;
    return files;
  }
  for (std::size_t at = 0; at < rest.size() && files.size() < 12;) {
    std::size_t nameEnd = rest.find('\n', at);
    if (nameEnd == std::string::npos) nameEnd = rest.size();
    std::string name = UsableName(rest.substr(at + 1, nameEnd - at - 1));
    std::size_t start = std::min(nameEnd + 1, rest.size());
    std::size_t next = rest.find("\n@", start);
    std::size_t end = next == std::string::npos ? rest.size() : next;
    if (!name.empty()) files[name] = rest.substr(start, end - start);
    at = next == std::string::npos ? rest.size() : next + 1;
  }
  return files;
}

// The lines a reader must give: cut at CR LF, LF or a lone CR, a last line
// without an end counted, nothing after a final line end.
std::vector<std::string> ExpectedLines(const std::string& content) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < content.size()) {
    std::size_t end = content.find_first_of("\r\n", at);
    lines.push_back(content.substr(at, end == std::string::npos ? std::string::npos : end - at));
    if (end == std::string::npos) break;
    at = end + (content.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

std::vector<std::string> ReadLines(TestTerminal& tt, const std::string& name) {
  std::vector<std::string> lines;
  if (!OpenDataFile(tt.terminal, false, name)) return lines;
  for (std::string line; ReadDataLine(tt.terminal, &line);) lines.push_back(line);
  CloseDataFile(tt.terminal);
  return lines;
}

std::vector<std::string> RecordLines(const std::vector<std::string>& lines) {
  std::vector<std::string> records;
  for (const std::string& line : lines)
    if (IsRecordLine(line)) records.push_back(line);
  return records;
}

void CheckReaders(TestTerminal& tt, const std::string& name, const std::string& content,
                  std::size_t blockSize) {
  std::vector<std::string> read = ReadLines(tt, name);
  RX_CHECK(read == ExpectedLines(content), name);

  // The splitter, fed in blocks of any size, finds the same records.
  std::vector<std::string> split;
  LineSplitter splitter;
  auto take = [&](const std::string& line) { split.push_back(line); };
  for (std::size_t at = 0; at < content.size(); at += blockSize)
    splitter.Feed(content.data() + at, std::min(blockSize, content.size() - at), take);
  splitter.Finish(take);
  RX_CHECK(split.size() == read.size(), name);
  for (std::size_t i = 0; i < read.size(); ++i) {
    RX_CHECK(IsRecordLine(split[i]) == IsRecordLine(read[i]), read[i]);
    if (read[i].size() <= 15) RX_CHECK(split[i] == read[i], read[i]);
  }
}

bool Ascii(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::toupper(static_cast<unsigned char>(x)) <
           std::toupper(static_cast<unsigned char>(y));
  });
}

void CheckList(TestTerminal& tt, const Files& files, FileListing kind) {
  Form& f = tt.form();
  ListDataFiles(tt.terminal, kind);
  const char* pattern = kind == FileListing::AllBlocks         ? "*.C*"
                        : kind == FileListing::FirstRunResults ? "F*.*"
                                                               : "*.*";
  const int capacity = kind == FileListing::AllBlocks || kind == FileListing::OneBlock ? 33 : 51;
  RX_CHECK(f.FileListMax == capacity, "capacity");
  int qualifying = 0;
  for (const auto& [name, content] : files) {
    bool shaped = name.size() == 12 && CharacterCount(name) == 12 && name[8] == '.';
    bool oneBlock =
        !(name.size() >= 10 && std::toupper(static_cast<unsigned char>(name[9])) == 'C');
    bool wanted = kind != FileListing::OneBlock || oneBlock;
    if (shaped && MatchesPattern(name, pattern) && wanted) ++qualifying;
  }
  int shown = 0;
  for (const Control& cell : f.lblFileList) {
    if (!cell.visible) break;
    const std::string& name = cell.caption;
    RX_CHECK(files.count(name) == 1, name);
    RX_CHECK(name.size() == 12 && name[8] == '.' && MatchesPattern(name, pattern), name);
    // Name order, case ignored; where bytes past ASCII go is not said.
    if (shown > 0 && Ascii(name) && Ascii(f.lblFileList[shown - 1].caption))
      RX_CHECK(!LessIgnoringCase(name, f.lblFileList[shown - 1].caption), name);
    ++shown;
  }
  for (int i = shown; i < 51; ++i)
    RX_CHECK(!f.lblFileList[i].visible && f.lblFileList[i].caption.empty(),
             "a cell after the list");
  RX_CHECK(shown == std::min(qualifying, capacity), "names missing from the list");
  RX_CHECK(f.FileCount >= shown && f.FileCount <= static_cast<int>(files.size()), "file count");
}

// The rest of an exchange: time passes, each new frame gets its answer, an
// error is passed over (Esc) the way the operator goes on.
void AnswerUntilDone(TestTerminal& tt, std::size_t records, bool refuse) {
  Form& f = tt.form();
  std::size_t answered = 0;
  for (std::size_t round = 0; round < records + 16; ++round) {
    Pass(tt, 50, 20000);
    std::vector<std::string> frames = FramesIn(tt.fakes.port.written).bodies;
    if (frames.size() > answered) {
      answered = frames.size();
      Arrive(tt, Frame(refuse && answered % 3 == 0 ? "CE   805" : "CR"));
    }
    if (f.KeyMode == Mode::ErrorShown && f.SendRecovery != Recovery::Off) Press(tt, Keys::Esc);
    if (f.KeyMode == Mode::Normal && tt.fakes.events.tasks.empty()) break;
  }
}

void SendToDevice(TestTerminal& tt, const Files& files, bool oneBlock, int pick,
                  const std::string& block, bool refuse) {
  Form& f = tt.form();
  for (int key : {8, Keys::Enter, oneBlock ? 2 : 1, Keys::Enter}) Press(tt, key);
  for (int i = 0; i < pick; ++i) Press(tt, Keys::Right);
  Press(tt, Keys::Enter);
  if (oneBlock) {
    if (f.Screen != ScreenId::BlockEntry) return;
    Type(tt, block);
    Press(tt, Keys::Enter);
  }
  if (f.Screen != ScreenId::SendRange || f.KeyMode != Mode::ConfirmPending) return;
  const std::string name = f.lblSendName.caption;
  RX_CHECK(files.count(name) == 1, name);
  const std::size_t records = RecordLines(ExpectedLines(files.at(name))).size();
  Press(tt, Keys::Enter);
  AnswerUntilDone(tt, records, refuse);

  WrittenFrames written = FramesIn(tt.fakes.port.written);
  RX_CHECK(!written.stray, "bytes outside frames");
  for (const std::string& body : written.bodies) RX_CHECK(body.rfind("CL", 0) == 0, body);
  RX_CHECK(written.bodies.size() <= records, "more load commands than records");
  if (!refuse && f.KeyMode == Mode::Normal && !written.bodies.empty())
    RX_CHECK(written.bodies.size() == records, "a record was not sent");
}

void SerialOutput(TestTerminal& tt, const Files& files, bool oneBlock, int pick,
                  const std::string& block) {
  Form& f = tt.form();
  for (int key : {Keys::Clear, 3, Keys::Enter}) Press(tt, key);
  for (int i = 0; i < pick; ++i) Press(tt, Keys::Right);
  for (int key : {Keys::Enter, oneBlock ? 2 : 1, Keys::Enter}) Press(tt, key);
  if (oneBlock) {
    if (f.Screen != ScreenId::BlockEntry) return;
    Type(tt, block);
    Press(tt, Keys::Enter);
  }
  if (f.Screen != ScreenId::SerialSendRange || f.KeyMode != Mode::ConfirmPending) return;
  const std::string name = f.lblSendName.caption;
  RX_CHECK(files.count(name) == 1, name);
  const std::string letter = oneBlock ? BlockLetter(f.lblBlk.caption) : "";
  std::vector<std::string> expected = {"RX-710KP DATA", "FILE NAME  : ", name + " "};
  for (const std::string& line : RecordLines(ExpectedLines(files.at(name))))
    if (letter.empty() || line[0] == letter[0]) expected.push_back(line);
  const bool nothing = expected.size() == 3;
  expected.push_back("FILE END   : ");
  expected.push_back(name + " ");

  Press(tt, Keys::Enter);
  for (int round = 0; round < 64 && f.KeyMode == Mode::Busy; ++round) Pass(tt, 100, 20000);
  std::string rest;
  std::vector<std::string> lines = TextLinesIn(tt.fakes.port.written, &rest);
  RX_CHECK(rest.empty(), rest);
  if (nothing) {
    RX_CHECK(lines.empty(), "lines written for a file without records");
  } else if (f.KeyMode == Mode::Normal) {
    RX_CHECK(lines == expected, name);
  }
}

}  // namespace
}  // namespace rx::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace rx;
  using namespace rx::fuzz;
  static ScratchDirectory scratch("data-files");
  Bytes in(data, size);
  const std::string header = in.Line();
  auto at = [&](std::size_t i) {
    return i < header.size() ? static_cast<unsigned char>(header[i]) : 0;
  };
  const int flags = at(0);
  const int pick = at(1) % 8;
  const std::size_t blockSize = 1 + at(2) % 20;
  const std::string block = header.size() > 3 ? header.substr(3) : "1";
  const fs::path& dir = scratch.Fresh();
  Files files;
  for (auto& [name, content] : Split(in.Rest()))
    if (WriteFile(dir / name, content)) files[name] = content;

  {
    TestTerminal probe(dir);
    for (const auto& [name, content] : files) CheckReaders(probe, name, content, blockSize);
    for (FileListing kind : kAllFileListings) CheckList(probe, files, kind);
  }

  TestTerminal tt(dir);
  tt.fakes.settings.values["SerialSend"] = "True";
  RX_CHECK(Form_Load(tt.terminal), "the terminal did not start");
  if (flags & 2)
    SerialOutput(tt, files, flags & 1, pick, block);
  else
    SendToDevice(tt, files, flags & 1, pick, block, flags & 4);
  CloseDataFile(tt.terminal);
  return 0;
}
