// The whole terminal driven by a little program: keys, clicks, device
// frames and raw line noise, ticks and time passing, a pulled cable, a port
// that holds its output or fails, answers to the message boxes, data files
// appearing and vanishing under it, and the window closing. After every step
// the form must still make sense; left alone at the end, the terminal comes
// to rest, and closing it closes the port.
//
// Input: two setup bytes, then operations. Setup 0: settings (1 SerialSend,
// 2 DualAdd, 4 Debug, 8 BestFrame off, 16 PrintFrame off, 32 a store that
// refuses writes, 64 PortNo 5, 128 a wide screen at 175 %). Setup 1: data
// files present at the start.
// An operation byte below 160 presses key (byte % 20); above, (byte - 160)
// % 20 picks one of the operations of Step, which read their operands next.
#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "console/clicks.h"
#include "data/data_file.h"
#include "fuzz_support.h"
#include "shell/exit.h"
#include "shell/startup.h"
#include "shell/tick.h"
#include "terminal_driver.h"

namespace rx::fuzz {
namespace {

namespace fs = std::filesystem;
using testing::TestTerminal;

const char* const kNames[] = {"CN241433.C08", "CN241433.508", "FN241433.C08", "FN241433.D08",
                              "YN241433.C08", "DN241433.C08", "SN241433.C08", "VN241433.C08",
                              "GN241433.C08", "XN241433.C08", "cn241433.c08", "C1202359.C08",
                              "README",       "FN2414.C08"};
constexpr std::size_t kNameCount = sizeof kNames / sizeof kNames[0];

const char* const kHeads[] = {"CR", "CE", "CO", "CF", "CS", "CB",
                              "CL", "CP", "CK", "CM", "CY", "XX"};
constexpr char kBodyCharacters[] = "0123456789 ABCSKLY:.";
constexpr char kBlockCodes[] = "0123456789ABCDEFGHIJKLMNOPQRST";

std::string TimeDigits(Bytes& in) {
  long seconds = in.Word() % 86400;
  char text[16];
  std::snprintf(text, sizeof text, "%02ld%02ld%02ld%02d00", seconds / 3600, seconds / 60 % 60,
                seconds % 60, in.Byte() % 100);
  return text;
}

std::string Bib(int number) {
  char text[8];
  std::snprintf(text, sizeof text, "%03d", number % 1000);
  return text;
}

// A data file's content: mostly record lines (teams repeat, as relay files
// have them), some noise; CR LF or bare LF.
std::string FileContent(Bytes& in) {
  std::string content;
  for (int lines = in.Byte() % 24; lines > 0; --lines) {
    std::uint8_t kind = in.Byte();
    if (kind < 200) {
      content += kBlockCodes[in.Byte() % 30];
      content += Bib(in.Byte() % 16);
      content += TimeDigits(in);
    } else {
      content += in.Take(in.Byte() % 24);
    }
    content += (kind & 1) ? "\n" : "\r\n";
  }
  return content;
}

void StandardFiles(const fs::path& dir, std::uint8_t which) {
  if (which & 1)
    WriteFile(dir / "CN241433.C08", "C0450102034567\r\nC0460102034568\r\n10010000481234\r\n");
  if (which & 2) WriteFile(dir / "CN241433.508", "50451234567890\r\nA0460000000001\r\n");
  if (which & 4)
    WriteFile(dir / "FN241433.C08",
              "10010010000000\r\n10020010019500\r\n10030010020000\r\n"
              "10040009590000\r\n20050012000000\r\n");
  if (which & 8)
    WriteFile(dir / "YN241433.C08",
              "10070010000000\r\n10070020000000\r\n10070030000000\r\n10120100000000\r\n"
              "10130010000000\r\n10130020000000\r\n");
  if (which & 16) WriteFile(dir / "DN241433.C08", "10070000000000\r\n10080000000000\r\n");
  if (which & 32)
    for (int i = 0; i < 60; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "CN%06d.C08", i);
      WriteFile(dir / name, "C0010000000000\r\n");
    }
  if (which & 64) {
    WriteFile(dir / "README", "not a data file\n");
    WriteFile(dir / "LONGNAME1.C08", "C0010000000000\r\n");
    WriteFile(dir / "FN241433.C0", std::string(40, 'x'));
  }
  if (which & 128) {
    std::error_code ignored;
    fs::create_directories(dir / "FN999999.C08", ignored);
  }
}

void CheckForm(TestTerminal& tt) {
  const Form& f = tt.form();
  const int mode = static_cast<int>(f.KeyMode);
  RX_CHECK(mode >= 0 && mode <= 5, std::to_string(mode));
  RX_CHECK(std::find(std::begin(kAllScreens), std::end(kAllScreens), f.Screen) != std::end(kAllScreens),
           std::to_string(static_cast<int>(f.Screen)));
  RX_CHECK(f.RxBuffer.size() <= 30, f.RxBuffer);  // an unframed tail is kept short
  RX_CHECK(f.lstDebug.items.size() <= 5000, "traffic list");
  RX_CHECK(f.RecordCount >= 0 && f.RecordIndex >= 0, "record counters");
  if (f.InputLabel != nullptr) {
    const auto& all = f.AllControls();
    RX_CHECK(std::find(all.begin(), all.end(), f.InputLabel) != all.end(), "input on no control");
  }
  // Jobs post one turn at a time; a growing pile would be a runaway.
  RX_CHECK(tt.fakes.events.tasks.size() <= 32, std::to_string(tt.fakes.events.tasks.size()));
}

void Trace(TestTerminal& tt, int step) {
  const Form& f = tt.form();
  std::fprintf(stderr, "%4d screen %2d mode %d t=%lld ms | %s | %s | sent %zu frames, %zu bytes\n",
               step, static_cast<int>(f.Screen), static_cast<int>(f.KeyMode), tt.fakes.events.now,
               f.lblGuide.caption.c_str(), f.lblError.visible ? f.lblError.caption.c_str() : "",
               FramesIn(tt.fakes.port.written).bodies.size(), tt.fakes.port.written.size());
}

// Set when a close goes ahead: the window closes after the step.
enum class Closing { No, Draining, AtOnce };
Closing closing = Closing::No;

// The window closes; the loop may already be gone.
void Close(TestTerminal& tt) {
  if (closing == Closing::AtOnce) {
    Form_UnloadNow(tt.terminal);
    RX_CHECK(!tt.fakes.port.IsOpen(), "the port stayed open after closing at once");
  } else {
    Form_Unload(tt.terminal);
  }
}

// One operation; false when the program ends here (the window closed).
bool Step(TestTerminal& tt, Bytes& in) {
  Terminal& t = tt.terminal;
  testing::FakePlatform& fakes = tt.fakes;
  const std::uint8_t op = in.Byte();
  if (op < 160) {
    Press(tt, op % 20);
    return true;
  }
  switch ((op - 160) % 20) {
    case 0: {  // one device frame
      std::string body = kHeads[in.Byte() % (sizeof kHeads / sizeof kHeads[0])];
      for (int i = 0; i < 18; ++i)
        body += kBodyCharacters[in.Byte() % (sizeof kBodyCharacters - 1)];
      Arrive(tt, Frame(body));
      break;
    }
    case 1:  // line noise, half frames, stray STX and ETX
      Arrive(tt, in.Take(in.Byte() % 40));
      break;
    case 2: {  // a run of records, maybe with its end, cut anywhere
      int count = 1 + in.Byte() % 40;
      char block = kBlockCodes[in.Byte() % 30];
      std::string bytes;
      for (int i = 0; i < count; ++i)
        bytes += Frame("CO0A" + std::string(1, block) + Bib(i + 1) + TimeDigits(in));
      if (in.Bit()) bytes += Frame("CF");
      std::size_t cut = std::min<std::size_t>(bytes.size(), in.Byte() * 4);
      Arrive(tt, bytes.substr(0, cut));
      Arrive(tt, bytes.substr(cut));
      break;
    }
    case 3:
      Timer1_Timer(t);
      break;
    case 4:
      Pass(tt, (in.Byte() + 1) * 10);
      break;
    case 5:
      fakes.events.Turn();
      break;
    case 6:  // the cable is pulled
      fakes.port.Close();
      MSComm1_OnComm(t, PortEvents::LineLost);
      break;
    case 7: {  // the line holds or releases the output
      const int queued[] = {0, 50, 100, 101, 500, 4096};
      fakes.port.outputQueue = queued[in.Byte() % 6];
      MSComm1_OnComm(t, PortEvents::Written);
      break;
    }
    case 8:
      fakes.port.failWrites = !fakes.port.failWrites;
      break;
    case 9: {
      const std::set<int> present[] = {{}, {3}, {5}, {3, 5}};
      fakes.port.present = present[in.Byte() % 4];
      break;
    }
    case 10: {
      const MessageAnswer answers[] = {MessageAnswer::Ok, MessageAnswer::Cancel, MessageAnswer::Yes,
                                       MessageAnswer::No};
      const MessageAnswer answer = answers[in.Byte() % 4];
      if (fakes.messages.Asking())
        fakes.messages.Answer(answer);  // the operator was reading; whatever happened meanwhile
      else
        fakes.messages.answers.push_back(answer);
      break;
    }
    case 11: {
      const std::uint8_t pick = in.Byte();
      std::string content = FileContent(in);
      if (pick >= 0xF0) {  // large enough to be loaded over several turns
        if (content.empty()) content = "C0010000000000\r\n";
        for (std::string part = content; content.size() < 300 * 1024;) content += part;
      }
      WriteFile(t.dataDirectory / kNames[pick % kNameCount], content);
      break;
    }
    case 12: {  // a file goes while the terminal works with it
      std::error_code ignored;
      fs::remove(t.dataDirectory / kNames[in.Byte() % kNameCount], ignored);
      break;
    }
    case 13: {  // the whole data directory goes, or comes back
      std::error_code ignored;
      if (in.Bit())
        fs::remove_all(t.dataDirectory, ignored);
      else
        fs::create_directories(t.dataDirectory, ignored);
      break;
    }
    case 14: {  // the window is asked to close; the operator may answer much later
      const std::uint8_t how = in.Byte();
      fakes.messages.operatorReads = (how & 4) != 0;
      Form_QueryUnload(t, how & 1 ? CloseReason::System : CloseReason::Operator,
                       [how] { closing = how & 2 ? Closing::AtOnce : Closing::Draining; });
      break;
    }
    case 15:
      fakes.desktop.state = static_cast<WindowState>(in.Byte() % 3);
      Form_Resize(t);
      break;
    case 16:  // a long wait: time-outs fall due, drains give up
      Pass(tt, 5000, 20000);
      break;
    case 17: {  // a number typed: a bib, a block, a time, a date
      std::string typed;
      for (int n = in.Byte() % 12; n > 0; --n) {
        int key = in.Byte() % 11;
        typed += key == 10 ? '.' : static_cast<char>('0' + key);
      }
      Type(tt, typed);
      break;
    }
    case 18:  // characters wait in the port, announced later
      fakes.port.input += in.Take(in.Byte() % 24);
      break;
    case 19: {
      const auto& controls = tt.form().AllControls();
      Control_Click(t, *controls[in.Word() % controls.size()]);
      break;
    }
  }
  if (closing != Closing::No) {
    Close(tt);
    return false;
  }
  return true;
}

}  // namespace
}  // namespace rx::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace rx;
  using namespace rx::fuzz;
  static ScratchDirectory scratch("terminal");
  Bytes in(data, size);
  const std::uint8_t settings = in.Byte();
  const std::uint8_t files = in.Byte();

  TestTerminal tt(scratch.Fresh());
  closing = Closing::No;
  std::map<std::string, std::string>& values = tt.fakes.settings.values;
  if (settings & 1) values["SerialSend"] = "True";
  if (settings & 2) values["DualAdd"] = "True";
  if (settings & 4) values["Debug"] = "True";
  if (settings & 8) values["BestFrame"] = "False";
  if (settings & 16) values["PrintFrame"] = "False";
  if (settings & 32) tt.fakes.settings.failWrites = true;
  if (settings & 64) {
    values["PortNo"] = "5";
    tt.fakes.port.present = {5};
  }
  if (settings & 128) tt.fakes.desktop.screenWidthPixels = 1920 * 100 / 175;  // 175 % scaling
  StandardFiles(tt.terminal.dataDirectory, files);
  RX_CHECK(Form_Load(tt.terminal), "the terminal did not start");
  CheckForm(tt);

  // RX_FUZZ_TRACE=1 shows where a replayed input takes the terminal.
  static const bool trace = std::getenv("RX_FUZZ_TRACE") != nullptr;
  bool open = true;
  for (int steps = 0; steps < 4000 && open && !in.Empty(); ++steps) {
    open = Step(tt, in);
    CheckForm(tt);
    if (trace) Trace(tt, steps);
  }
  if (open) {
    // Left alone, the terminal comes to rest: every wait has its bound, so
    // after ten quiet seconds nothing polls any more, unless a long text
    // output is still writing.
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
  return 0;
}
