// The whole terminal driven by keys, clicks, device frames, noise, time,
// port and file faults and closing. Input: flags (1 the store refuses
// writes, 2 a wide screen at 175 %), the kKeys settings' texts one a line,
// a byte of StandardFiles, then Step's operations.
#include <array>
#include <map>
#include <optional>
#include <set>
#include <tuple>

#include "console/clicks.h"
#include "data/data_file.h"
#include "fuzz_support.h"
#include "shell/exit.h"
#include "shell/settings.h"
#include "shell/startup.h"

namespace rx::fuzz {
namespace {

using Stored = std::map<std::string, std::string>;

const char* const kKeys[] = {"PortNo", "Debug", "BestFrame", "PrintFrame", "DualAdd", "SerialSend"};
const char* const kNames[] = {"CN241433.C08", "CN241433.508", "FN241433.C08", "FN241433.D08", "YN241433.C08",
    "DN241433.C08", "SN241433.C08", "VN241433.C08", "GN241433.C08", "XN241433.C08", "cn241433.c08", "C1202359.C08",
    "README", "FN2414.C08"};
const char* const kHeads[] = {"CR", "CE", "CO", "CF", "CS", "CB", "CL", "CP", "CK", "CM", "CY", "XX"};
constexpr char kBodyCharacters[] = "0123456789 ABCSKLY:.";
constexpr char kBlockCodes[] = "0123456789ABCDEFGHIJKLMNOPQRST";

std::optional<bool> BooleanOf(std::string text) {
  text = Trim(text);  // blanks around a value are the hand's
  for (char& c : text) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return text == "true" || text == "false" ? std::optional(text == "true") : std::nullopt;
}

std::optional<int> PortOf(const std::string& stored) {
  const std::string text = Trim(stored);
  if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  const int value = std::stoi(text);
  return value >= 1 && value <= 255 ? std::optional(value) : std::nullopt;
}

// The settings held, and as a start must make them of the stored texts.
auto Held(const Form& f) {
  return std::tuple(f.PortNo, f.DebugMode, f.BestFrame, f.PrintFrame, f.DualAdd, f.SerialSend);
}
auto Expected(Stored s) {  // a copy: [] adds the key
  return std::tuple(PortOf(s["PortNo"]).value_or(3), BooleanOf(s["Debug"]).value_or(false),
      BooleanOf(s["BestFrame"]).value_or(true), BooleanOf(s["PrintFrame"]).value_or(true),
      BooleanOf(s["DualAdd"]).value_or(false), BooleanOf(s["SerialSend"]).value_or(false));
}

void Start(TestTerminal& tt, const Stored& stored) {
  tt.fakes.settings.values = stored;
  int writes = 0;
  tt.fakes.settings.onWrite = [&writes] { ++writes; };
  RX_CHECK(Form_Load(tt.terminal), "the terminal did not start");
  tt.fakes.settings.onWrite = nullptr;
  const Form& f = tt.form();
  RX_CHECK(Held(f) == Expected(stored), "a setting read wrongly");
  RX_CHECK(f.lstDebug.visible == f.DebugMode && f.lblMenu[Index(MenuItemId::SerialSend)].enabled == f.SerialSend, "menus");
  int told = 0;  // a store that refuses writes is told of once; one that takes them never
  for (std::size_t i = 0; i < f.lstDebug.items.size(); ++i)
    told += f.lstDebug.items[i].rfind("! the settings cannot be stored", 0) == 0;
  RX_CHECK(told == (tt.fakes.settings.failWrites && writes > 0), std::to_string(told));
  Stored now = tt.fakes.settings.values;
  if (tt.fakes.settings.failWrites) return RX_CHECK(now == stored, "a refusing store changed");
  // What could not be read has been replaced by something that can.
  RX_CHECK(PortOf(now["PortNo"]).has_value(), now["PortNo"]);
  for (std::size_t i = 1; i < std::size(kKeys); ++i)
    RX_CHECK(BooleanOf(now[kKeys[i]]).has_value(), now[kKeys[i]]);
}

std::string Record(char block, int bib, Bytes& in) {
  const long seconds = in.Word() % 86400;
  char text[24];
  std::snprintf(text, sizeof text, "%c%03d%02ld%02ld%02ld%02d00", block, bib % 1000, seconds / 3600,
                seconds / 60 % 60, seconds % 60, in.Byte() % 100);
  return text;
}

// Mostly record lines (teams repeat, as in relay files), some noise.
std::string FileContent(Bytes& in) {
  std::string content;
  for (int lines = in.Byte() % 24; lines > 0; --lines) {
    const std::uint8_t kind = in.Byte();
    if (kind < 200) {
      const char block = kBlockCodes[in.Byte() % 30];
      content += Record(block, in.Byte() % 16, in);
    } else content += in.Take(in.Byte() % 24);
    content += (kind & 1) ? "\n" : "\r\n";
  }
  return content;
}

void StandardFiles(const fs::path& dir, std::uint8_t which) {
  const std::tuple<int, const char*, const char*> files[] = {
      {1, "CN241433.C08", "C0450102034567\r\nC0460102034568\r\n10010000481234\r\n"},
      {4, "FN241433.C08", "10010010000000\r\n10020010019500\r\n10030010020000\r\n10040009590000\r\n20050012000000\r\n"},
      {8, "YN241433.C08", "10070010000000\r\n10070020000000\r\n10070030000000\r\n10120100000000\r\n"
                          "10130010000000\r\n10130020000000\r\n"},
      {64, "README", "not a data file\n"}, {64, "LONGNAME1.C08", "C0010000000000\r\n"},
      {64, "FN241433.C0", "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"}};
  for (const auto& [bit, name, content] : files)
    if (which & bit) WriteFile(dir / name, content);
  for (int i = 0; i < 60 && (which & 32); ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "CN%06d.C08", i);
    WriteFile(dir / name, "C0010000000000\r\n");
  }
  if (which & 128) fs::create_directories(dir / "FN999999.C08");
}

void CheckForm(TestTerminal& tt) {
  const Form& f = tt.form();
  const auto& all = f.AllControls();
  RX_CHECK(f.KeyMode >= Mode::Normal && f.KeyMode <= Mode::Calculator, "key mode");
  RX_CHECK(std::count(std::begin(kAllScreens), std::end(kAllScreens), f.Screen) == 1, "screen");
  RX_CHECK(f.RxBuffer.size() <= 30, f.RxBuffer);  // an unframed tail is kept short
  RX_CHECK(f.lstDebug.items.size() <= 5000, "traffic list");
  RX_CHECK(f.StoredCount >= 0 && f.RecordIndex >= 0, "record counters");
  RX_CHECK(!f.InputLabel || std::find(all.begin(), all.end(), f.InputLabel) != all.end(), "input");
  // Jobs post one turn at a time; a growing pile would be a runaway.
  RX_CHECK(tt.fakes.events.tasks.size() <= 32, std::to_string(tt.fakes.events.tasks.size()));
  const std::string& status = f.lblStatus[StatusPart::Frames].caption;
  RX_CHECK(status.find(f.BestFrame ? "BEST : ON" : "BEST : OFF") != std::string::npos &&
               status.find(f.PrintFrame ? "PRINT : ON" : "PRINT : OFF") != std::string::npos, status);
}

// Set when a close goes ahead: the window closes after the step.
enum class Closing { No, Draining, AtOnce } closing = Closing::No;

void Close(TestTerminal& tt) {
  if (closing != Closing::AtOnce) return Form_Unload(tt.terminal);
  Form_UnloadNow(tt.terminal);
  RX_CHECK(!tt.fakes.port.IsOpen(), "the port stayed open after closing at once");
}

// One operation; false when the window closed.
bool Step(TestTerminal& tt, Bytes& in) {
  Terminal& t = tt.terminal;
  testing::FakePlatform& fakes = tt.fakes;
  const std::uint8_t op = in.Byte();
  if (op < 160) return Press(tt, op % 20), true;
  std::error_code ignored;
  switch ((op - 160) % 20) {
    case 0: {  // one device frame
      std::string body = kHeads[in.Byte() % std::size(kHeads)];
      for (int i = 0; i < 18; ++i) body += kBodyCharacters[in.Byte() % (sizeof kBodyCharacters - 1)];
      Receive(tt, Frame(body));
      break;
    }
    case 1: Receive(tt, in.Take(in.Byte() % 40)); break;  // noise, half frames, stray STX, ETX
    case 2: {  // a run of records, maybe with its end, cut anywhere
      const int count = 1 + in.Byte() % 40;
      const char block = kBlockCodes[in.Byte() % 30];
      std::string bytes;
      for (int i = 0; i < count; ++i) bytes += Frame("CO0A" + Record(block, i + 1, in));
      if (in.Byte() & 1) bytes += Frame("CF");
      const std::size_t cut = std::min<std::size_t>(bytes.size(), in.Byte() * 4);
      Receive(tt, bytes.substr(0, cut)), Receive(tt, bytes.substr(cut));
      break;
    }
    case 3: Timer1_Timer(t); break;
    case 4: Pass(tt, (in.Byte() + 1) * 10); break;
    case 5: fakes.events.Turn(); break;
    case 6:  // the cable is pulled
      fakes.port.Close();
      MSComm1_OnComm(t, PortEvent::LineLost);
      break;
    case 7:  // the line holds or releases the output
      if (const std::size_t queued = std::array{0, 50, 100, 101, 500, 4096}[in.Byte() % 6]) fakes.port.Hold(queued);
      else fakes.port.LetGo();
      break;
    case 8: fakes.port.gone = !fakes.port.gone; break;
    case 9: fakes.port.present = std::vector<std::set<int>>{{}, {3}, {5}, {3, 5}}[in.Byte() % 4]; break;
    case 10: {
      const auto answer = std::array{MessageAnswer::Ok, MessageAnswer::Cancel, MessageAnswer::Yes,
                                     MessageAnswer::No}[in.Byte() % 4];
      if (fakes.messages.Asking()) fakes.messages.Answer(answer);  // the operator was reading; whatever happened meanwhile
      else fakes.messages.answers.push_back(answer);
      break;
    }
    case 11: {
      const std::uint8_t pick = in.Byte();
      std::string content = FileContent(in);
      if (pick >= 0xF0) {  // large enough to be loaded over several turns
        if (content.empty()) content = "C0010000000000\r\n";
        for (const std::string part = content; content.size() < 300 * 1024;) content += part;
      }
      WriteFile(t.dataDirectory / kNames[pick % std::size(kNames)], content);
      break;
    }
    case 12: fs::remove(t.dataDirectory / kNames[in.Byte() % std::size(kNames)], ignored); break;
    case 13:  // the whole data directory goes, or comes back
      in.Byte() & 1 ? fs::remove_all(t.dataDirectory, ignored) : fs::create_directories(t.dataDirectory, ignored);
      break;
    case 14: {  // the window is asked to close; the operator may answer much later
      const std::uint8_t how = in.Byte();
      fakes.messages.operatorReads = (how & 4) != 0;
      Form_QueryUnload(t, how & 1 ? CloseReason::System : CloseReason::Operator,
                       [how] { closing = how & 2 ? Closing::AtOnce : Closing::Draining; });
      break;
    }
    case 15: fakes.desktop.state = static_cast<WindowState>(in.Byte() % 3), Form_Resize(t); break;
    case 16: Pass(tt, 5000, 20000); break;  // time-outs fall due, drains give up
    case 17: {  // a number typed: a bib, a block, a time, a date
      std::string typed;
      for (int n = in.Byte() % 12; n > 0; --n) typed += "0123456789."[in.Byte() % 11];
      Type(tt, typed);
      break;
    }
    case 18: fakes.port.input += in.Take(in.Byte() % 24); break;  // announced later
    case 19: Control_Click(t, *tt.form().AllControls()[in.Word() % tt.form().AllControls().size()]); break;
  }
  return closing == Closing::No || (Close(tt), false);
}

}  // namespace
}  // namespace rx::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace rx;
  using namespace rx::fuzz;
  static ScratchDirectory scratch("terminal");
  Bytes in{data, size};
  const std::uint8_t flags = in.Byte();
  Stored stored;
  for (const char* key : kKeys)
    if (std::string text = in.Line(); !text.empty()) stored[key] = text;

  TestTerminal tt(scratch.Fresh());
  closing = Closing::No;
  tt.fakes.settings.failWrites = flags & 1;
  if (flags & 2) tt.fakes.desktop.screenWidthPixels = 1920 * 100 / 175;
  StandardFiles(tt.terminal.dataDirectory, in.Byte());
  Start(tt, stored);
  tt.fakes.port.present = {tt.form().PortNo};
  CheckForm(tt);

  bool open = true;
  for (int step = 0; step < 4000 && open && !in.Empty(); ++step) {
    open = Step(tt, in);
    CheckForm(tt);
  }
  if (open) {
    // Left alone it comes to rest: every wait is bounded, unless a long text output writes on.
    for (int round = 0; round < 50 && !tt.fakes.events.tasks.empty(); ++round) {
      const std::size_t written = tt.fakes.port.written.size();
      Pass(tt, 10000, 20000);
      RX_CHECK(tt.fakes.events.tasks.empty() || tt.fakes.port.written.size() > written,
               "still busy after ten quiet seconds, and getting nowhere");
    }
    Form_QueryUnload(tt.terminal, CloseReason::System, [] { closing = Closing::Draining; });
    RX_CHECK(closing == Closing::Draining && !tt.fakes.messages.Asking(), "the system's close waited");
    Close(tt);
  }
  // Whatever was under way, closing lets the port go within its bound.
  Pass(tt, 3000, 20000);
  RX_CHECK(!tt.fakes.port.IsOpen(), "the port stayed open after closing");
  CloseDataFile(tt.terminal);

  // The next start reads what this one left: the same values, when the store took the writes.
  TestTerminal again(tt.terminal.dataDirectory);
  again.fakes.settings.failWrites = tt.fakes.settings.failWrites;
  Start(again, tt.fakes.settings.values);
  RX_CHECK((flags & 1) || Held(again.form()) == Held(tt.form()), "a setting changed on restart");
  return 0;
}
