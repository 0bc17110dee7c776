// Data files of any content and name through the line reader, the splitter,
// the file lists, then a send or serial output to the port, or a hunter start.
// Input: a header line, then files, each "@name" on a line and its content
// (without "@": one course file). Header: [0] flags (1 one block, 2 serial
// output, 4 the device refuses every third record, 8 hunter start: 1 the clock
// unchecked, 2 output over the source, 4 a directory there; 64 instead the
// rest is a settings file, [1] picks the key and [3..] is its value), [1]
// which file, [2] the splitter's block size, [3..] the block typed or the
// start clock.
#include <cctype>
#include <map>

#include "data/block_letters.h"
#include "data/data_file.h"
#include "data/file_list.h"
#include "data/hunter_start.h"
#include "data/line_splitter.h"
#include "data/time_values.h"
#include "fuzz_support.h"
#include "link/error_line.h"
#include "shell/settings_file.h"
#include "shell/startup.h"

namespace rx::fuzz {
namespace {

using Files = std::map<std::string, std::string>;  // name, content
using Lines = std::vector<std::string>;

Files Split(const std::string& rest) {
  if (rest.empty() || rest[0] != '@') return {{"CN241433.C08", rest}};
  Files files;
  for (std::size_t at = 0; at < rest.size() && files.size() < 12;) {
    const std::size_t nameEnd = std::min(rest.find('\n', at), rest.size());
    std::string name = rest.substr(at + 1, std::min<std::size_t>(nameEnd - at - 1, 200));
    for (char& c : name) c = c == '/' || c == '\0' ? '_' : c;  // a name the file system takes
    if (name == "." || name == "..") name += "_";
    const std::size_t start = std::min(nameEnd + 1, rest.size()), next = rest.find("\n@", start);
    if (!name.empty()) files[name] = rest.substr(start, next == std::string::npos ? next : next - start);
    at = next == std::string::npos ? rest.size() : next + 1;
  }
  return files;
}

// The lines a reader must give: cut at CR LF, LF or a lone CR; an unended last line counts.
Lines ExpectedLines(const std::string& content) {
  Lines lines;
  for (std::size_t at = 0; at < content.size();) {
    const std::size_t end = content.find_first_of("\r\n", at);
    lines.push_back(content.substr(at, end == std::string::npos ? end : end - at));
    if (end == std::string::npos) break;
    at = end + (content.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

Lines Records(const std::string& content) {
  Lines records = ExpectedLines(content);
  std::erase_if(records, [](const std::string& line) { return !IsRecordLine(line); });
  return records;
}

void CheckReaders(TestTerminal& tt, const std::string& name, const std::string& content, std::size_t blockSize) {
  Lines read;
  if (OpenDataFile(tt.terminal, FileAccess::Read, name))
    for (std::string line; ReadDataLine(tt.terminal, &line);) read.push_back(line);
  CloseDataFile(tt.terminal);
  Lines expected = ExpectedLines(content);
  for (std::string& line : expected)
    if (line.size() > 15) line = line.substr(0, 15) + "+";  // cut, never held whole
  RX_CHECK(read == expected, name);

  // The splitter, fed in blocks of any size, cuts the same lines alike.
  Lines split;
  LineSplitter splitter;
  auto take = [&](const std::string& line) { split.push_back(line); };
  for (std::size_t at = 0; at < content.size(); at += blockSize)
    splitter.Feed(content.data() + at, std::min(blockSize, content.size() - at), take);
  splitter.Finish(take);
  RX_CHECK(split.size() == read.size(), name);
  for (std::size_t i = 0; i < read.size(); ++i) RX_CHECK(split[i] == read[i], read[i]);
}

// Upper case, or "" past ASCII: such names may go anywhere in the list.
std::string UpperAscii(std::string s) {
  if (std::any_of(s.begin(), s.end(), [](char c) { return (c & 0x80) != 0; })) return "";
  for (char& c : s) c = static_cast<char>(std::toupper(c));
  return s;
}

void CheckList(TestTerminal& tt, const Files& files, FileListing kind) {
  Form& f = tt.form();
  ListDataFiles(tt.terminal, kind);
  const char* pattern = kind == FileListing::AllBlocks ? "*.C*" : kind == FileListing::FirstRunResults ? "F*.*" : "*.*";
  const int capacity = kind == FileListing::AllBlocks || kind == FileListing::OneBlock ? 33 : 51;
  RX_CHECK(f.FileListMax == capacity, "capacity");
  int qualifying = 0, shown = 0;
  for (const auto& [name, content] : files)
    qualifying += name.size() == 12 && CharacterCount(name) == 12 && name[8] == '.' && MatchesPattern(name, pattern) &&
                  (kind != FileListing::OneBlock || std::toupper(name[9] & 0xFF) != 'C');
  for (; shown < 51 && f.lblFileList[shown].visible; ++shown) {
    const std::string& name = f.lblFileList[shown].caption;
    RX_CHECK(files.count(name) == 1 && name.size() == 12 && name[8] == '.' && MatchesPattern(name, pattern), name);
    const std::string before = UpperAscii(f.lblFileList[std::max(shown - 1, 0)].caption);
    RX_CHECK(before.empty() || UpperAscii(name).empty() || before <= UpperAscii(name), name);
  }
  for (int i = shown; i < 51; ++i)
    RX_CHECK(!f.lblFileList[i].visible && f.lblFileList[i].caption.empty(), "a cell after the list");
  RX_CHECK(shown == std::min(qualifying, capacity), "names missing from the list");
  RX_CHECK(f.FileCount >= shown && f.FileCount <= static_cast<int>(files.size()), "file count");
}

// Main item 8 (or sub-menu item 3) to the confirmation: the file's name, or "".
std::string ChooseFile(TestTerminal& tt, bool serial, bool oneBlock, int pick, const std::string& block) {
  Form& f = tt.form();
  const int scope = oneBlock ? 2 : 1;
  std::vector<int> keys = serial ? std::vector<int>{Keys::Clear, 3, Keys::Enter}
                                 : std::vector<int>{8, Keys::Enter, scope, Keys::Enter};
  keys.insert(keys.end(), pick, Keys::Right);
  keys.push_back(Keys::Enter);
  if (serial) keys.insert(keys.end(), {scope, Keys::Enter});
  for (int key : keys) Press(tt, key);
  if (oneBlock) {
    if (f.Screen != ScreenId::BlockEntry) return "";
    Type(tt, block), Press(tt, Keys::Enter);
  }
  const ScreenId confirm = serial ? ScreenId::SerialSendRange : ScreenId::SendRange;
  return f.Screen == confirm && f.KeyMode == Mode::ConfirmPending ? f.lblSendName.caption : "";
}

// Every record goes in a load command; an error is passed over with Esc.
void SendToDevice(TestTerminal& tt, const std::string& content, bool refuse) {
  Form& f = tt.form();
  const std::size_t records = Records(content).size();
  Press(tt, Keys::Enter);
  for (std::size_t round = 0, answered = 0; round < records + 16; ++round) {
    Pass(tt, 50, 20000);
    if (std::size_t frames = FramesIn(tt.fakes.port.written).size(); frames > answered) {
      answered = frames;
      Receive(tt, Frame(refuse && answered % 3 == 0 ? "CE   805" : "CR"));
    }
    if (f.KeyMode == Mode::ErrorShown && f.SendRecovery != Recovery::Off) Press(tt, Keys::Esc);
    if (f.KeyMode == Mode::Normal && tt.fakes.events.tasks.empty()) break;
  }
  bool stray = false;
  const std::vector<std::string> written = FramesIn(tt.fakes.port.written, &stray);
  RX_CHECK(!stray, "bytes outside frames");
  for (const std::string& body : written) RX_CHECK(body.rfind("CL", 0) == 0, body);
  RX_CHECK(written.size() <= records, "more load commands than records");
  if (!refuse && f.KeyMode == Mode::Normal && !written.empty())
    RX_CHECK(written.size() == records, "a record was not sent");
}

// The text output: a head, the records (of the block), a foot, CR LF each.
void SerialOutput(TestTerminal& tt, const std::string& name, const std::string& content, bool oneBlock) {
  Form& f = tt.form();
  const std::string letter = oneBlock ? BlockLetter(f.lblBlk.caption) : "";
  Lines expected = {"RX-710KP DATA", "FILE NAME  : ", name + " "};
  for (const std::string& line : Records(content))
    if (letter.empty() || line[0] == letter[0]) expected.push_back(line);
  const bool nothing = expected.size() == 3;
  expected.insert(expected.end(), {"FILE END   : ", name + " "});
  Press(tt, Keys::Enter);
  for (int round = 0; round < 64 && f.KeyMode == Mode::Busy; ++round) Pass(tt, 100, 20000);
  std::string rest;
  const Lines lines = testing::CrLfLines(tt.fakes.port.written, &rest);
  RX_CHECK(rest.empty(), rest);
  RX_CHECK(nothing ? lines.empty() : f.KeyMode != Mode::Normal || lines == expected, name);
}

// Converts FN241433.C08 into start lines of 13 characters, the first at the
// clock; a failure leaves the output's place as it was, and no run's own file.
void HunterStart(TestTerminal& tt, const fs::path& dir, const Files& files, int flags, std::string clock) {
  const bool checked = !(flags & 1);  // else whatever came: the hunter screen checks HHMM
  if (checked) {
    for (char& c : clock) c = static_cast<char>('0' + static_cast<unsigned char>(c) % 10);
    clock.resize(4, '0');
    if (!IsValidClock(clock + "00")) clock = "1030";
  }
  const std::string source = "FN241433.C08", output = flags & 2 ? source : "CN201030.C08";
  std::error_code ignored;
  const bool blocked = (flags & 4) && fs::create_directory(dir / output, ignored);
  const int error = RunHunterStart(tt.terminal, source, output, clock);
  RX_CHECK(!tt.terminal.dataFile.IsOpen(), "the source was left open");
  RX_CHECK(error == 0 || error == Errors::NoData || error == Errors::CannotWriteFile, clock);
  for (const auto& entry : fs::directory_iterator(dir, ignored))
    RX_CHECK(files.count(entry.path().filename().string()) || entry.path().filename() == output, "the run left a file of its own");
  if (error != 0)
    return RX_CHECK(blocked            ? fs::is_directory(dir / output, ignored)
                    : files.count(output) ? ContentOf(dir / output) == files.at(output)
                                          : !fs::exists(dir / output, ignored),
                    "a failed run changed the output's place");
  RX_CHECK(fs::is_regular_file(dir / output, ignored), "no output");
  if (!checked) return;  // a clock with a CR in it makes lines of its own
  const std::string made = ContentOf(dir / output);
  const Lines lines = ExpectedLines(made);
  RX_CHECK(!lines.empty() && lines.size() <= Records(files.at(source)).size(), "start lines");
  RX_CHECK(made.size() == 15 * lines.size(), "lines not of 13 characters and CR LF");
  for (const std::string& line : lines)
    RX_CHECK(line.size() == 13 && ClockToSeconds(line.substr(4, 8)).seconds >= 0, line);
  RX_CHECK(lines[0].substr(4, 4) == clock, lines[0]);
}

// Setting a key in any settings text reads back the value set and changes
// only that key's line, or adds up to four lines (a blank and its section) in one place.
void CheckSettingsFile(const std::string& text, const std::string& key, const std::string& value) {
  const std::optional<std::string> changed = SetSetting(text, "RX-710KP", key, value);
  if (value.find_first_of("\r\n") != std::string::npos) return RX_CHECK(!changed, "a line end kept in a value");
  RX_CHECK(changed && FindSetting(*changed, "RX-710KP", key) == value, "the value set does not read back");
  for (const char* other : {"TextOutput", "Debug", "PortNo", "BestFrame"})
    RX_CHECK(other == key || FindSetting(*changed, "RX-710KP", other) == FindSetting(text, "RX-710KP", other), other);
  RX_CHECK(FindSetting(*changed, "Other", key) == FindSetting(text, "Other", key), "another section's key changed");
  Lines before, after;  // cut at LF alone: a CR stays in its line
  for (auto [from, to] : {std::pair(&text, &before), std::pair(&*changed, &after)})
    for (std::size_t at = 0, end = 0; at <= from->size(); at = end + 1)
      end = std::min(from->find('\n', at), from->size()), to->push_back(from->substr(at, end - at));
  std::size_t same = 0, tail = 0, both = std::min(before.size(), after.size());
  while (same < both && before[same] == after[same]) ++same;
  while (tail + same < both && before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) ++tail;
  const bool replaced = after.size() == before.size() && same + tail + 1 >= before.size();
  const bool added = after.size() > before.size() && after.size() <= before.size() + 4 && same + tail == before.size();
  RX_CHECK(replaced || added, "a line other than the key's changed");
}

}  // namespace
}  // namespace rx::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace rx;
  using namespace rx::fuzz;
  static ScratchDirectory scratch("data-files");
  Bytes in{data, size};
  const std::string header = in.Line();
  auto at = [&](std::size_t i) { return i < header.size() ? header[i] & 0xFF : 0; };
  const int flags = at(0), pick = at(1) % 8;
  const std::string block = header.size() > 3 ? header.substr(3) : "1";
  if (flags & 64) {
    const char* const keys[] = {"TextOutput", "Debug", "PortNo", "BestFrame"};
    return CheckSettingsFile(in.Take(size), keys[pick % 4], block), 0;
  }
  const fs::path& dir = scratch.Fresh();
  Files files;
  for (auto& [name, content] : Split(in.Take(size)))
    if (WriteFile(dir / name, content)) files[name] = content;

  {
    TestTerminal probe(dir);
    for (const auto& [name, content] : files) CheckReaders(probe, name, content, 1 + at(2) % 20);
    for (FileListing kind : kAllFileListings) CheckList(probe, files, kind);
    if (flags & 8) {
      HunterStart(probe, dir, files, flags, header.size() > 3 ? header.substr(3, 4) : "");
      return 0;
    }
  }
  TestTerminal tt(dir);
  tt.fakes.settings.values["SerialSend"] = "True";
  RX_CHECK(Form_Load(tt.terminal), "the terminal did not start");
  const bool serial = flags & 2, oneBlock = flags & 1;
  if (const std::string name = ChooseFile(tt, serial, oneBlock, pick, block); !name.empty()) {
    RX_CHECK(files.count(name) == 1, name);
    serial ? SerialOutput(tt, name, files.at(name), oneBlock) : SendToDevice(tt, files.at(name), flags & 4);
  }
  CloseDataFile(tt.terminal);
  return 0;
}
