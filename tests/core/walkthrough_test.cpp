// The operator's walks, held against a record (tests/core/walkthrough.txt) of
// what each step changed: controls, frames and bytes sent, the Debug list,
// beeps, mode, open input, the data folder's files. A walk is a line
//   == NAME: [Setting=Value ...] STEPS
// Steps: a digit or "." (a key), E Enter, X Esc, C Clear, U D L R arrows,
// I Insert, K Delete, 'TEXT typed, <BODY a device frame ('_' a blank), /BODY
// the first half of one, T a tick, W the event loop's turns until none is
// due, @NAME a click. A meant change (or a new walk): RX_RECORD_WALKS=1
// writes the record anew, to be read over before it is kept.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>

#include "console/clicks.h"
#include "shell/tick.h"
#include "support/console_fixture.h"

namespace rx {
namespace {

// What one control shows: its caption and looks where it is seen, "-" where
// it or a frame around it is hidden.
std::string Seen(const Control& c) {
  for (const Control* p = &c; p; p = p->parent)
    if (!p->visible) return "-";
  char looks[96];
  std::snprintf(looks, sizeof looks, " [%d,%d %dx%d %06X/%06X%s%s%s]", c.left, c.top, c.width, c.height,
                c.back, c.fore, c.enabled ? "" : " off", c.bold ? " bold" : "", c.border ? " box" : "");
  return "\"" + c.caption + "\"" + looks;
}

// What the walk before started with: a walk's start shows only how it differs.
std::map<std::string, std::string> started;

struct Walker {
  explicit Walker(const std::string& walk) {
    out << walk << "\n";
    std::istringstream steps(walk.substr(walk.find(": ") + 2));
    std::string step;
    while (steps >> step && step.find('=') != std::string::npos) {
      const std::string key = step.substr(0, step.find('=')), value = step.substr(step.find('=') + 1);
      if (key == "ScreenWidth") tt.fakes.desktop.screenWidthPixels = std::stoi(value);  // not a setting
      else tt.fakes.settings.values[key] = value;
    }
    std::filesystem::create_directories(tt.terminal.dataDirectory);
    for (const auto& [name, records] :  // two rows of the file list
         {std::pair{"F1241200.C08", 3}, {"CN241433.C08", 2}, {"DN241433.C08", 1}, {"SN241433.C08", 1}, {"FN241434.C08", 1}})
      testing::WriteRecordFile(tt.terminal.dataDirectory / name, records);
    EXPECT_TRUE(Form_Load(tt.terminal));
    seen = std::exchange(started, {});
    Note("start");
    started = seen;
    for (; steps; steps >> step) Do(step), Note(step);
  }
  std::string Record() const { return out.str(); }

 private:
  void Do(const std::string& step) {
    static const std::map<char, int> keys = {{'E', Keys::Enter}, {'X', Keys::Esc},    {'C', Keys::Clear},
        {'U', Keys::Up}, {'D', Keys::Down}, {'L', Keys::Left}, {'R', Keys::Right}, {'I', Keys::Insert},
        {'K', Keys::Delete}, {'.', Keys::Point}};
    if (step[0] == '\'') return testing::Type(tt, step.substr(1));
    if (step[0] == '<' || step[0] == '/') {
      std::string body = step.substr(1);
      std::replace(body.begin(), body.end(), '_', ' ');
      const std::string frame = testing::Frame(body);
      return testing::Receive(tt, step[0] == '<' ? frame : frame.substr(0, frame.size() / 2));
    }
    if (step[0] == '@') {
      for (const Control* c : tt.form().AllControls())
        if (c->name == step.substr(1)) return Control_Click(tt.terminal, *c);
      FAIL() << "no control " << step;
    }
    if (step == "T") return Timer1_Timer(tt.terminal);
    if (step == "W") return void(tt.fakes.events.Settle(1000));
    if (step.size() == 1 && step[0] >= '0' && step[0] <= '9') return testing::Press(tt, step[0] - '0');
    ASSERT_EQ(step.size(), 1u) << step;
    testing::Press(tt, keys.at(step[0]));
  }

  // What changed since the last note.
  void Note(const std::string& step) {
    const Form& f = tt.form();
    out << step << "\n";
    for (const Control* c : f.AllControls()) {
      if (c->kind == ControlKind::List) continue;  // the traffic and debug lists: not the panel
      std::string now = Seen(*c);
      if (std::string& was = seen[c->name]; was != now) out << "  " << c->name << " " << (was = now) << "\n";
    }
    const ListLines& debug = f.lstDebug.items;  // what the Debug list was told
    for (; debugSeen < debug.EndNumber(); ++debugSeen)
      if (debugSeen >= debug.FirstNumber()) out << "  debug " << debug[debugSeen - debug.FirstNumber()] << "\n";
    for (auto& opens = tt.fakes.port.openedWith; !opens.empty(); opens.erase(opens.begin()))
      out << "  opened " << testing::LineText(opens.front()) << "\n";
    const std::string& written = tt.fakes.port.written;
    bool stray = false;
    for (const std::string& body : testing::FramesIn(written, &stray)) out << "  sent " << body << "\n";
    if (const auto xon = std::count(written.begin(), written.end(), kXon)) out << "  xon " << xon << "\n";
    if (const auto xoff = std::count(written.begin(), written.end(), kXoff)) out << "  xoff " << xoff << "\n";
    if (stray)  // text output: its lines
      for (const std::string& line : testing::CrLfLines(written)) out << "  line " << line << "\n";
    tt.fakes.port.written.clear();
    char state[200];
    std::snprintf(state, sizeof state, "  mode %d screen %d expect %d beeps %d input %s pages %zu/%zu/%d",
                  int(f.KeyMode), int(f.Screen), int(f.ExpectReply), tt.fakes.beeper.beeps,
                  f.InputActive && f.InputLabel ? f.InputLabel->name.c_str() : "-", tt.fakes.printer.headings.size(),
                  tt.fakes.printer.handedOver.size(), tt.fakes.printer.discards);
    if (state != lastState) out << (lastState = state) << "\n";
    std::map<std::string, std::uintmax_t> sizes;
    for (const auto& entry : std::filesystem::directory_iterator(tt.terminal.dataDirectory))
      sizes[entry.path().filename().string()] = entry.file_size();
    if (sizes == shownSizes) return;
    out << "  files";
    for (const auto& [name, size] : sizes) out << " " << name << ":" << size;
    out << "\n";
    for (const auto& [name, size] : sizes)  // what the walk made, line by line
      if (std::ifstream in(tt.terminal.dataDirectory / name, std::ios::binary); shownSizes[name] != size)
        for (const std::string& line : testing::CrLfLines({std::istreambuf_iterator<char>(in), {}}))
          out << "    " << name << " " << line << "\n";
    shownSizes = sizes;
  }

  testing::TestTerminal tt;
  std::ostringstream out;
  std::map<std::string, std::string> seen;
  std::string lastState;
  std::uint64_t debugSeen = 0;
  std::map<std::string, std::uintmax_t> shownSizes;  // the files' sizes when last shown
};

TEST(Walks, EachStepChangesWhatTheRecordSays) {
  std::ifstream in(WALK_RECORD, std::ios::binary);
  std::vector<std::string> kept;
  for (std::string line; std::getline(in, line);) kept.push_back(line);
  std::string record;
  started.clear();
  for (const std::string& line : kept)
    if (line.starts_with("== ")) record += Walker(line).Record();
  if (std::getenv("RX_RECORD_WALKS")) std::ofstream(WALK_RECORD, std::ios::binary) << record;
  // Line by line, so a difference names its walk and step.
  std::istringstream got(record);
  std::string walk, line;
  for (std::size_t at = 0; at < kept.size(); ++at) {
    if (kept[at].starts_with("== ")) walk = kept[at];
    ASSERT_TRUE(std::getline(got, line)) << walk << ": the walk ends before line " << at + 1;
    ASSERT_EQ(line, kept[at]) << walk << ", line " << at + 1;
  }
  EXPECT_FALSE(std::getline(got, line)) << "more than the record: " << line;
}

}  // namespace
}  // namespace rx
