// The operator's walks through the terminal, step by step, held against a
// record of what each step changed: every control shown, hidden, moved,
// recoloured or recaptioned, every frame and byte sent to the device, beeps,
// the mode, the files in the data folder. A change the walks meet shows as a
// difference in that record (tests/core/walkthrough.txt); when it is meant,
// RX_RECORD_WALKS=1 writes the record anew, to be read over before it is kept.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>

#include "shell/tick.h"
#include "support/console_fixture.h"

namespace rx {
namespace {

struct Walk {
  const char* name;
  std::vector<std::pair<const char*, const char*>> settings;
  // Steps: a digit or "." (a key), E Enter, X Esc, C Clear, U D L R arrows,
  // I Insert, K Delete, 'TEXT typed, <BODY a device frame ('_' a blank),
  // T a tick, W the event loop's turns until none is due.
  const char* steps;
};

const Walk kWalks[] = {
    {"menu pages, best output", {}, "U U U U D D D D 9 E <CR 9 E <CE___101 X X"},
    {"course memory into a file", {},
     "1 E 4 E E E <CR <CO0A10010000123400 <CO0A20020000123500 <CF X 1 E 4 E E X E"},
    {"one block, stopped, nothing read", {}, "1 E 4 E 2 E 0 5 E E <CR X E <CF E X C 1 E 4 E E E T T T T T T T T T T"},
    {"course memory edits", {{"PrintFrame", "True"}, {"BestFrame", "True"}},
     "1 E 1 E 1 E 7 E <CR <CO0A10070001234500 <CF '1234.5 E E <CR <CR 2 E 1 E 8 E '59.1 E E <CE___101 X X "
     "3 E 1 2 E 4 5 E <CR <CO0AC0450001023400 <CF E <CR <CR X X 5 E 2 E 1 E 7 E 5 E E <CR <CR"},
    {"run results, a time refused", {{"DualAdd", "True"}},
     "4 E 1 E 3 E 1 2 E <CR <CO1230120102030450 <CF '10204.12345 E E <CR <CR X 2 E 3 E 1 E '24 E X '235959.9999 E"},
    {"relay team", {}, "6 E 1 E 1 E 7 E <CR <CO4B10070010000000 <CO4C10070020000000 <CO4S10070030000000 <CF "
                       "D D D U '5 E I '6 E K E E <CR <CR <CR <CR <CR X X 5 E 1 E 2 E X"},
    {"files listed, deleted, sent", {},
     "7 E E D R L U E X X 7 E D E K W X X X 8 E E E E W <CR <CR <CE___404 X X E X X X"},
    {"serial output and paper", {{"SerialSend", "True"}},
     "C 3 E E 1 E E W T T X E X C 3 E E 1 E E W"},
    {"hunter start, settings, calculator", {},
     "U U E E '20081124 E '1000 E W X X U U U E D D E U E X 5 R '1.5 E '2.25 E C X"},
};

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

class Walker {
 public:
  explicit Walker(const Walk& walk) {
    for (const auto& [key, value] : walk.settings) tt.fakes.settings.values[key] = value;
    std::filesystem::create_directories(tt.terminal.dataDirectory);
    testing::WriteRecordFile(tt.terminal.dataDirectory / "F1241200.C08", 3);
    testing::WriteRecordFile(tt.terminal.dataDirectory / "CN241433.C08", 2);
    out << "== " << walk.name << "\n";
    EXPECT_TRUE(Form_Load(tt.terminal));
    seen = std::exchange(started, {});
    Note("start");
    started = seen;
    std::istringstream steps(walk.steps);
    for (std::string step; steps >> step;) {
      Do(step);
      Note(step);
    }
  }
  std::string Record() const { return out.str(); }

 private:
  void Do(const std::string& step) {
    static const std::map<char, int> keys = {{'E', Keys::Enter}, {'X', Keys::Esc},   {'C', Keys::Clear},
                                             {'U', Keys::Up},    {'D', Keys::Down},  {'L', Keys::Left},
                                             {'R', Keys::Right}, {'I', Keys::Insert}, {'K', Keys::Delete},
                                             {'.', Keys::Point}};
    if (step[0] == '\'') return testing::Type(tt, step.substr(1));
    if (step[0] == '<') {
      std::string body = step.substr(1);
      std::replace(body.begin(), body.end(), '_', ' ');
      return testing::Receive(tt, testing::Frame(body));
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
    const std::string& written = tt.fakes.port.written;
    bool stray = false;
    for (const std::string& body : testing::FramesIn(written, &stray)) out << "  sent " << body << "\n";
    if (const auto xon = std::count(written.begin(), written.end(), kXon)) out << "  xon " << xon << "\n";
    if (const auto xoff = std::count(written.begin(), written.end(), kXoff)) out << "  xoff " << xoff << "\n";
    if (stray)  // text output: its lines
      for (const std::string& line : testing::CrLfLines(written)) out << "  line " << line << "\n";
    tt.fakes.port.written.clear();
    char state[96];
    std::snprintf(state, sizeof state, "  mode %d screen %d expect %d beeps %d", int(f.KeyMode), int(f.Screen),
                  int(f.ExpectReply), tt.fakes.beeper.beeps);
    if (state != lastState) out << (lastState = state) << "\n";
    std::map<std::string, std::uintmax_t> sizes;
    for (const auto& entry : std::filesystem::directory_iterator(tt.terminal.dataDirectory))
      sizes[entry.path().filename().string()] = entry.file_size();
    std::string files;
    for (const auto& [name, size] : sizes) files += " " + name + ":" + std::to_string(size);
    if (files != lastFiles) out << "  files" << (lastFiles = files) << "\n";
  }

  testing::TestTerminal tt;
  std::ostringstream out;
  std::map<std::string, std::string> seen;
  std::string lastState, lastFiles;
};

TEST(Walks, EachStepChangesWhatTheRecordSays) {
  std::string record;
  started.clear();
  for (const Walk& walk : kWalks) record += Walker(walk).Record();
  const std::filesystem::path kept = std::filesystem::path(WALK_RECORD);
  if (std::getenv("RX_RECORD_WALKS")) std::ofstream(kept, std::ios::binary) << record;
  std::ifstream in(kept, std::ios::binary);
  const std::string expected((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // Compared a walk at a time, so a difference names its walk and step.
  std::istringstream got(record), want(expected);
  std::string walk, a, b;
  for (int line = 1; std::getline(want, b); ++line) {
    if (b.starts_with("== ")) walk = b;
    ASSERT_TRUE(std::getline(got, a)) << walk << ": the walk ends before line " << line;
    ASSERT_EQ(a, b) << walk << ", line " << line;
  }
  EXPECT_FALSE(std::getline(got, a)) << "more than the record: " << a;
}

}  // namespace
}  // namespace rx
