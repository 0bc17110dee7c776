// Data files: names, line ends, deleting, sending to the device with its
// recovery choices, the text output to the port or on paper, the hunter start.
#include <sys/resource.h>

#include <fstream>

#include "data/block_letters.h"
#include "data/data_file.h"
#include "data/file_names.h"
#include "data/line_file.h"
#include "link/file_print.h"
#include "shell/exit.h"
#include "shell/tick.h"
#include "support/console_fixture.h"
#include "support/page_printer_contract.h"

namespace rx {
namespace {

namespace fs = std::filesystem;

const std::string kNoData = "エラー：データがありません（[Esc]：解除）";
const std::string kCannotWrite = "エラー：ファイルに書き込めません（[Esc]：解除）";

struct FileWork : testing::ConsoleTest {
  // Main item 8 with the first listed file, all blocks or one block.
  void ConfirmSend(const std::string& block = "") {
    Press({8, Keys::Enter, block.empty() ? 1 : 2, Keys::Enter, Keys::Enter});
    if (!block.empty()) Submit(block);
  }
  fs::path dir = tt.terminal.dataDirectory;
};

TEST_F(FileWork, DeletingAFileAsksForDeleteAndReportsAFailure) {
  File("CN241433.C08", {"C0450102034567"});
  File("FN241433.C08", {"C0450102034567"});
  Press({7, Keys::Enter, Keys::Enter, Keys::Enter});
  Press(Keys::Enter);  // answered with Delete, not Enter
  EXPECT_EQ(f.KeyMode, Mode::ConfirmPending);
  Press(Keys::Esc);
  EXPECT_EQ(f.Screen, ScreenId::FileSelection);
  Press({Keys::Enter, Keys::Delete});
  EXPECT_TRUE(!fs::exists(dir / "CN241433.C08") && f.lblFileG.caption == "ファイルが1個あります");
  Press(Keys::Enter);
  // Between the list and the deletion, a directory of that name takes its place.
  fs::remove(dir / "FN241433.C08");
  fs::create_directories(dir / "FN241433.C08" / "inside");
  Press(Keys::Delete);
  EXPECT_EQ(f.lblError.caption, kCannotWrite);
  Press(Keys::Esc);
  EXPECT_TRUE(f.Screen == ScreenId::FileSelection && f.lblFileG.caption == "ファイルが0個あります");
  Press({Keys::Enter, Keys::Esc});  // nothing to choose
  EXPECT_EQ(f.Screen, ScreenId::FileMenu);
  Press({Keys::Down, Keys::Enter});  // the list of files, on its own frame
  EXPECT_TRUE(f.Screen == ScreenId::FileList && f.fraFile.visible);
}

TEST_F(FileWork, ACourseFileIsSentRecordByRecordOneBlockReaddressed) {
  File("CN241433.C08", {"C0451234567890", "short", "C0460000000001"});
  File("CN241433.508", {"50451234567890", "A0460000000001", "30470000000002"});
  ConfirmSend();  // all blocks: only the block-C file is listed
  EXPECT_EQ(f.lblSendName.caption, "CN241433.C08");
  f.lblSendName.caption.clear();  // shows the name chosen; the send never reads it back
  Press(Keys::Enter);
  EXPECT_EQ(Sent(), std::vector<std::string>({"CL0AC0451234567890  "}));
  EXPECT_EQ(f.lblSendG[SendLine::Count].caption, "2件");
  Reply("CR");
  EXPECT_TRUE(Sent() == std::vector<std::string>({"CL0AC0460000000001  "}) && f.lblSendG[SendLine::Count].caption == "1件");
  Reply("CR");
  EXPECT_TRUE(f.KeyMode == Mode::Normal && f.Screen == ScreenId::SendRange && !f.fraSend.visible);
  EXPECT_EQ(f.SendRecovery, Recovery::Off);  // the send is over: later errors are ordinary
  Press({Keys::Esc, Keys::Esc});
  ConfirmSend("3");
  EXPECT_EQ(f.lblSendG[SendLine::What].caption, "ＲＸ－７１０のブロックNo.3 に送信します");
  Press(Keys::Enter);
  Reply("CR");
  // Asked to stop while the second record is unanswered, then going on: the
  // third waits for that answer, and a refusal names the second.
  Press({Keys::Esc, Keys::Esc});
  Reply("CE   404");
  EXPECT_EQ(f.lblSendG[SendLine::Progress].caption, "Block:3  ZNo:046  Time:0000000001  ");
  Press(Keys::Esc);
  EXPECT_EQ(Sent(), std::vector<std::string>({"CL0A30451234567890  ", "CL0A30460000000001  ", "CL0A30470000000002  "}));
}

// A file's first letter picks its load head (no time for the untimed
// memory); a letter no memory has sends nothing and lets the file go.
TEST_F(FileWork, AFileLoadsUnderItsMemoryLettersHead) {
  const std::pair<std::string, std::string> kLoads[] = {
      {"FN241433.C08", "CL11C0451234567890  "}, {"SN241433.C08", "CL12C0451234567890  "},
      {"VN241433.C08", "CL3AC0451234567890  "}, {"GN241433.C08", Body("CL5 C045")}};
  for (const auto& [name, load] : kLoads) {
    SCOPED_TRACE(name);
    File(name, {"C0451234567890"});
    ConfirmSend();
    Press(Keys::Enter);
    EXPECT_EQ(Sent(), std::vector<std::string>({load}));
    Reply("CR");
    Press({Keys::Esc, Keys::Esc});
    fs::remove(dir / name);
  }
  File("XN241433.C08", {"C0451234567890"});
  ConfirmSend();
  Press(Keys::Enter);
  EXPECT_TRUE(f.lblError.caption == kNoData && !tt.terminal.dataFile.IsOpen() && Sent().empty());
}

TEST_F(FileWork, RelayTeamsEndWithTheirTotalAndAFailedLegSkipsItsTeam) {
  File("YN241433.C08", {"10070010000000", "10070020000000", "10070030000000", "10120100000000",
                        "10130010000000", "10130020000000"});
  ConfirmSend();
  Press(Keys::Enter);
  EXPECT_EQ(Sent(), std::vector<std::string>({"CL4B10070010000000  "}));
  Reply("CR");
  EXPECT_EQ(Sent(), std::vector<std::string>({"CL4C10070020000000  "}));
  Reply("CE   805");
  EXPECT_EQ(f.lblError.caption, "エラー：タイムNo.指定ミスエラーです");
  EXPECT_EQ(f.lblSendG[SendLine::Progress].caption, "Block:1  ZNo:007  Time:0020000000  ");
  Press(Keys::Esc);  // go on: the rest of team 1-007 is passed over, not team 1-012
  EXPECT_TRUE(Sent() == std::vector<std::string>({"CL4S10120100000000  "}) && !f.lblSendG[SendLine::Progress].visible);
  Reply("CE   001");
  Press(Keys::Clear);  // go on and stop asking
  EXPECT_EQ(Sent(), std::vector<std::string>({"CL4B10130010000000  "}));
  Reply("CE   805");
  EXPECT_TRUE(!f.lblError.visible && f.lblSendG[SendLine::Progress].caption == "Block:1  ZNo:013  Time:0010000000  ");
  EXPECT_EQ(Sent(), std::vector<std::string>({"CL4S10130020000000  "}));
  Reply("CR");
  EXPECT_EQ(f.KeyMode, Mode::Normal);
}

// Enter at the recovery question, or a refusal whose number cannot be read,
// ends the send for good: later errors are ordinary ones.
TEST_F(FileWork, AnAbandonedSendIsOver) {
  File("DN241433.C08", {"10070000000000", "10080000000000"});
  for (const char* refusal : {"CE   102", "CE   x1"}) {
    SCOPED_TRACE(refusal);
    ConfirmSend();
    Press(Keys::Enter);
    EXPECT_EQ(Sent(), std::vector<std::string>({Body("CL2 1007")}));  // no time for the DNF memory
    Reply(refusal);
    // the refused record, numbered or not
    EXPECT_EQ(f.lblSendG[SendLine::Progress].caption, "Block:1  ZNo:007  Time:            ");
    if (f.KeyMode == Mode::ErrorShown) Press(Keys::Enter);
    EXPECT_TRUE(f.KeyMode == Mode::Normal && !f.lblError.visible && f.SendRecovery == Recovery::Off && f.Records.empty());
    Press({Keys::Esc, Keys::Esc, 9, Keys::Enter});  // best output, refused
    Reply("CE   830");
    EXPECT_EQ(f.lblError.caption, "エラー：コマンド指定エラーです（[Esc]：解除）");
    Press(Keys::Esc);
    EXPECT_EQ(Sent().size(), 1u);  // only the best output went out
  }
}

// A file far larger than a send, even sparse beyond any memory: read in turns, Esc goes back as from the prompt.
TEST_F(FileWork, ALargeFileIsQueuedInTurnsAndEscGoesBack) {
  std::string records;
  while (records.size() < 40000 * 16) records += "C0451234567890\r\n";
  std::ofstream(dir / "CN241433.C08", std::ios::binary) << records;
  fs::resize_file(dir / "CN241433.C08", 1ULL << 40);
  ConfirmSend();
  Press(Keys::Enter);
  EXPECT_GT(f.Records.size(), 0u);
  EXPECT_LT(f.Records.size(), 4096u);  // a turn reads 64 KB at most
  Press(Keys::Esc);
  tt.fakes.events.Settle();
  EXPECT_TRUE(f.KeyMode == Mode::Normal && !tt.terminal.dataFile.IsOpen() && f.Records.empty());
  fs::resize_file(dir / "CN241433.C08", 40000 * 16);
  Press({Keys::Enter, Keys::Enter, Keys::Enter});  // the same file again, to the end
  tt.fakes.events.Settle();
  EXPECT_TRUE(Sent() == std::vector<std::string>({"CL0AC0451234567890  "}) && f.Records.size() == 40000u);
}

// The text output of a first-run file (sub-menu item 12) to the port, or on
// paper when TextOutput names a printer or a PDF.
struct TextOutput : FileWork {
  void SetUp() override {
    FileWork::SetUp();
    f.SerialSend = f.lblMenu[Index(MenuItemId::SerialSend)].enabled = true;
    f.FuncCode = Scope::OneBlock;  // an earlier range menu's choice: this one starts at all blocks
    File("FN241433.C08", {"10010000481234", "10020000491234", "C0030000501234"});
  }
  // Starts it and lets it go on a turn at a time, through the turns given or
  // until it needs nothing more; the remaining counts shown on the way.
  std::vector<std::string> Run(int turns = 1000) {
    if (f.Screen == ScreenId::MainMenu) Press(Keys::Clear);
    Press({3, Keys::Enter, Keys::Enter, Keys::Enter, Keys::Enter});
    std::vector<std::string> shown;
    do {
      const std::string& count = f.lblSendG[SendLine::Count].caption;
      if (f.lblSendG[SendLine::Count].visible && count.find(" 件") != std::string::npos &&
          (shown.empty() || shown.back() != count))
        shown.push_back(count);
    } while (--turns > 0 && tt.fakes.events.Turn() > 0);
    return shown;
  }
  std::vector<std::string> TextLines() { return testing::CrLfLines(tt.fakes.port.written); }
  const std::vector<std::string> kLines = {"RX-710KP DATA", "FILE NAME  : ", "FN241433.C08 ",
                                           "10010000481234", "10020000491234", "C0030000501234",
                                           "FILE END   : ", "FN241433.C08 "};
  testing::FakePagePrinter& printer = tt.fakes.printer;
};

// Asked whether to stop, nothing is written meanwhile; stopped, no trailer.
TEST_F(TextOutput, HeaderLinesAndTrailerOrAStopWithoutOneOr1009) {
  f.DebugMode = true;  // each line also in the traffic list
  EXPECT_EQ(Run(), std::vector<std::string>({"3 件", "2 件", "1 件"}));
  EXPECT_TRUE(TextLines() == kLines && f.Screen == ScreenId::SubMenu &&
              !f.lstDebug.items.empty() && f.lstDebug.items.back() == "→ " + kLines.back() + "CrLf");
  tt.fakes.port.written.clear();
  Run(5);  // the header and two lines
  Press(Keys::Esc);
  tt.fakes.events.Advance(1000);
  EXPECT_EQ(TextLines().size(), 5u);
  Press(Keys::Enter);  // stop
  tt.fakes.events.Settle();
  EXPECT_TRUE(TextLines().size() == 5u && f.Screen == ScreenId::SubMenu);
  EXPECT_EQ(tt.fakes.desktop.closeRequests, 0);  // no close question afterwards
  tt.fakes.port.gone = true;
  Run();
  EXPECT_EQ(f.lblError.caption, "エラー：送信できません（[Esc]：解除）");
  Press(Keys::Esc);
  EXPECT_EQ(f.Screen, ScreenId::SubMenu);
  tt.fakes.port.gone = false;
  Run(1);  // a line held once open: one tick of waiting is allowed, the second is 1009
  while (!tt.fakes.port.open && tt.fakes.events.Turn() > 0) {}
  for (int line = 0; line < 2; ++line) {  // held at two lines: each wait is a wait of its own
    tt.fakes.port.LetGo(), tt.fakes.port.Hold(4096), tt.fakes.events.Settle();
    Timer1_Timer(tt.terminal), tt.fakes.events.Advance(20);  // it looks for room again
    EXPECT_FALSE(f.lblError.visible);
  }
  Timer1_Timer(tt.terminal);
  tt.fakes.events.Advance(20);
  EXPECT_EQ(f.lblError.caption, "エラー：送信できません（[Esc]：解除）");
}

// A page a turn, handed over whole; asked whether to stop, nothing more is
// laid out whatever the tick does; stopped, discarded. The port stays shut.
// While the print service keeps a call waiting, keys and ticks go on and no
// silence of the device is seen; a stop or the window's end abandons the call.
TEST_F(TextOutput, OnPaper) {
  auto wait = [&](int ms) {
    for (int tick = 0; tick < ms / 100; ++tick) Timer1_Timer(tt.terminal), tt.fakes.events.Advance(100);
  };
  tt.fakes.settings.values["TextOutput"] = " pdf ";  // the words in any case, blanks around ignored
  printer.perPage = 2;
  EXPECT_EQ(Run(), std::vector<std::string>({"3 件", "2 件"}));
  EXPECT_EQ(printer.handedOver, std::vector<std::vector<std::string>>({kLines}));
  EXPECT_EQ(printer.headings, std::vector<std::string>({"1 / 4", "2 / 4", "3 / 4", "4 / 4"}));
  EXPECT_TRUE(printer.target.name == (dir / "FN241433.C08.pdf").string() && f.Screen == ScreenId::SubMenu);
  tt.fakes.settings.values["TextOutput"] = "PRINTER: Office ";
  printer.perPage = 1;
  Run(2);
  Press(Keys::Esc);
  wait(2000);
  EXPECT_EQ(printer.headings.size(), 2u);
  Press(Keys::Esc);  // go on, at once
  EXPECT_EQ(printer.headings.size(), 3u);
  Press({Keys::Esc, Keys::Enter});  // stop
  tt.fakes.events.Settle();
  EXPECT_TRUE(printer.target.name == "Office" && printer.handedOver.size() == 1u && printer.discards == 1);
  EXPECT_TRUE(f.Screen == ScreenId::SubMenu && f.Records.empty() && tt.fakes.port.attempts.empty());

  printer.pendFor = 100;  // seconds of polls for each of Open and Finish
  Run();
  wait(1000);
  Press(Keys::Esc);
  EXPECT_EQ(f.KeyMode, Mode::AbortConfirm);
  wait(10000);
  EXPECT_TRUE(printer.headings.empty());
  Press(Keys::Esc);  // go on
  wait(20000);
  EXPECT_TRUE(!f.lblError.visible && printer.handedOver.back() == kLines);
  printer.pendFor = 1 << 30;
  for (bool unload : {false, true}) {
    Run();
    wait(1000);
    unload ? Form_UnloadNow(tt.terminal) : Press({Keys::Esc, Keys::Enter});  // a stop, or the end
    EXPECT_EQ(f.KeyMode, Mode::Normal);
  }
  EXPECT_TRUE(printer.discards == 3 && printer.handedOver.size() == 2u);
}

// Refused at once or after the print service kept it waiting.
TEST_F(TextOutput, APaperFailureAtAnyStepShows1011AndLeavesNothing) {
  using P = testing::FakePagePrinter;
  for (int pendFor : {0, 3}) {
    for (std::string P::*step : {&P::refuseOpen, &P::refusePage, &P::refuseFinish, (std::string P::*){}}) {
      printer = {};
      printer.pendFor = pendFor;
      tt.fakes.settings.values["TextOutput"] = step ? "PDF" : "PDF\\";  // names no target: no serial output either
      if (step) printer.*step = "no printer named Nowhere";
      Run();
      tt.fakes.events.Advance(1000);
      EXPECT_TRUE(f.lblError.caption == "エラー：印刷できません（[Esc]：解除）" && printer.handedOver.empty());
      EXPECT_NE(f.lstDebug.items.back().find(step ? "no printer named Nowhere" : "TextOutput=PDF\\ names no target"),
                std::string::npos);
      Press(Keys::Esc);
      EXPECT_TRUE(f.Screen == ScreenId::SubMenu && f.KeyMode == Mode::Normal && f.Records.empty());  // nothing queued
    }
  }
  EXPECT_TRUE(tt.fakes.beeper.beeps == 8 && tt.fakes.port.attempts.empty());
  // The PDF's name a link to its own data file: the data is never written over.
  fs::create_symlink(dir / "FN241433.C08", dir / "FN241433.C08.pdf");
  tt.fakes.settings.values["TextOutput"] = "PDF";
  printer = {};
  Run();
  EXPECT_NE(f.lstDebug.items.back().find("is that file itself"), std::string::npos);
  EXPECT_TRUE(printer.target.name.empty());  // never opened
}

// The command line's print: the same lines a step at a time, waiting while the
// print service answers, memory bounded by lines without end; a stop leaves
// nothing. (What it refuses is tried on the program itself.)
TEST_F(TextOutput, FromTheCommandLineAStepAtATime) {
  using Stand = FilePrint::Stand;
  auto run = [&](const fs::path& file, const PageTarget& target, int* waits) {
    FilePrint print(printer, target, file);
    for (Stand stand; (stand = print.Step()) == Stand::Working || stand == Stand::Waiting;)
      *waits += stand == Stand::Waiting;
    return print.Reason();
  };
  printer.perPage = 2;
  printer.pendFor = 3;
  int waits = 0;
  EXPECT_EQ(run(dir / "FN241433.C08", {PageTarget::Kind::Printer, "Office"}, &waits), "");
  EXPECT_EQ(printer.handedOver, std::vector<std::vector<std::string>>({kLines}));
  EXPECT_TRUE(printer.headings.back() == "4 / 4" && waits == 6);  // Open, Finish: asked, then 2 polls pending
  std::ofstream(dir / "long", std::ios::binary) << "10010000481234\n" << std::string(3 << 20, 'x')
                                                << "\r10020000491234";
  printer = {};
  EXPECT_EQ(run(dir / "long", {}, &waits), "");
  EXPECT_EQ(printer.document, std::vector<std::string>({"RX-710KP DATA", "FILE NAME  : ", "long ", "10010000481234",
                                                        "10020000491234", "FILE END   : ", "long "}));

  printer = {};
  printer.pendFor = 3;  // stopped while the print service is asked: the call is abandoned
  FilePrint stopped(printer, {}, dir / "FN241433.C08");
  while (stopped.Step() != Stand::Waiting) {}
  stopped.Stop();
  EXPECT_TRUE(stopped.Step() == Stand::Failed && printer.discards == 1 && printer.handedOver.empty());
}

struct HunterStart : FileWork {
  void Make(const std::string& start) {
    if (f.Screen == ScreenId::MainMenu) Press(Keys::Clear);
    Press({2, Keys::Enter, Keys::Enter});
    Submit(start);
    Press(Keys::Enter);
  }
};

// 1.95 s behind starts 1 s later, 2.00 s behind 2 s later, the faster one
// not at all, and 120 s after 23:59 is past midnight. Date and clock are checked.
TEST_F(HunterStart, StartsFollowTheFirstRunGapsInWholeSeconds) {
  File("FN241433.C08", {"10010010000000", "10020010019500", "10030010020000", "10040009590000", "20050012000000"});
  File("C1202359.C08", {"an earlier output", "of", "more", "lines", "than", "now"});
  Press({Keys::Clear, 2, Keys::Enter, Keys::Enter});
  EXPECT_EQ(f.lblHuntG[HunterLine::Source].caption, "FN241433.C08");
  Submit("1202359");  // seven digits: January 20, 23:59
  EXPECT_EQ(f.lblHuntG[HunterLine::Target].caption, "C1202359.C08");
  f.lblHuntG[HunterLine::Source].caption = f.lblHuntG[HunterLine::Target].caption = "shown only";
  Press(Keys::Enter);
  EXPECT_EQ(Lines("C1202359.C08"), std::vector<std::string>({"10012359000  ", "10022359010  ",
                                                             "10032359020  ", "20050001000  "}));
  EXPECT_EQ(f.Screen, ScreenId::SubMenu);
  Press({2, Keys::Enter, Keys::Enter});
  EXPECT_EQ(f.lblHuntG[HunterLine::Target].caption, "");  // nothing left of the run before
  Submit("02301200");
  Press(Keys::Enter);
  EXPECT_EQ(f.lblError.caption, "エラー：入力日付が範囲外です（[Esc]：解除）");
  Press(Keys::Esc);
  Make("11242460");
  EXPECT_EQ(f.lblError.caption, "エラー：入力タイムが範囲外です（[Esc]：解除）");
  Press(Keys::Esc);
  Make("02291200");  // any year: 29 February passes
  Make("11201030");  // November's letter
  EXPECT_TRUE(fs::exists(dir / "C2291200.C08") && fs::exists(dir / "CN201030.C08"));
}

// A failed run leaves whatever had the output's name as it was (an earlier
// output byte for byte, a directory) and no file of its own.
TEST_F(HunterStart, AFailedRunRemovesNothingItDidNotMake) {
  const std::string earlier = "C0010000000000\r\nC002";
  for (bool directoryInPlace : {false, true}) {
    fs::remove_all(dir);
    fs::create_directories(dir);
    if (directoryInPlace) {
      File("FN241433.C08", {"10010010000000"});
      fs::create_directories(dir / "CN201030.C08");
    } else {
      File("FN241433.C08", {"not a record", "10020010019500"});
      std::ofstream(dir / "CN201030.C08", std::ios::binary) << earlier;
    }
    Make("11201030");
    EXPECT_EQ(f.lblError.caption, directoryInPlace ? kCannotWrite : kNoData);
    EXPECT_TRUE(directoryInPlace ? fs::is_directory(dir / "CN201030.C08")
                                 : testing::ContentOf(dir / "CN201030.C08") == earlier);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 2);  // nothing of the run's own
    Press(Keys::Esc);
    EXPECT_TRUE(f.Screen == ScreenId::SubMenu && f.lblGuide.caption == "※テンキーまたは↑↓で選択して[Enter] （[Esc]:終了、[Clear]：次頁）");
  }
}

TEST(BlockLetters, BothTablesAndTheirEdges) {
  const char* numbers[] = {"0", "9", "10", "19", "20", "29", "30", "", " ", "-1", "x", "05", "28", "00029", "000029"};
  const char* plain[] = {"0", "9", "A", "J", "K", "T", " ", " ", " ", " ", " ", "5", "S", "T", " "};
  const char* shifted[] = {"0", "9", "D", "M", "N", "W", " ", " ", " ", " ", " ", "5", "V", "W", " "};
  for (std::size_t i = 0; i < std::size(numbers); ++i) {
    EXPECT_EQ(BlockLetter(numbers[i]), plain[i]) << "'" << numbers[i] << "'";
    EXPECT_EQ(BlockLetterShifted(numbers[i]), shifted[i]) << "'" << numbers[i] << "'";
  }
}

TEST(DataFileNames, FromOneReadingOfTheClock) {
  using M = MenuItemId;
  EXPECT_EQ(DataFileName(M::RelayResult, {2008, 10, 3, 9, 5, 0}, "C"), "YO030905.C08");
  EXPECT_EQ(DataFileName(M::DnfMemory, {2026, 1, 2, 0, 0, 0}, "C"), "D1020000.C26");
  EXPECT_EQ(DataFileName(M::SecondRunResult, {2026, 12, 31, 23, 59, 0}, "V"), "SD312359.V26");
  EXPECT_EQ(DataFileName(M::FileOperations, {2026, 12, 31, 23, 59, 0}, "C"), "");
}

// CR LF, LF and CR alike; a line without end in sight is not held whole. A
// program that opens file after file must not run out of descriptors (a low
// limit makes a leak show at once), and a file only read closes without complaint.
TEST_F(FileWork, ALineFileReadsAnyLineEndAndLetsTheFileBeforeGoAtEachOpen) {
  const fs::path path = dir / "line-file", made = dir / "made";
  rlimit limit{};
  ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &limit), 0);
  const rlimit low{64, limit.rlim_max};
  ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &low), 0);
  LineFile writer, reader;
  bool kept = writer.Open(path, FileAccess::Write) && writer.WriteLine("C0010000000000") && writer.Close();
  std::ofstream(path, std::ios::binary | std::ios::app) << "A\r\nB\nC\r" << std::string(1 << 20, 'x') << "\r\n\rD";
  for (int i = 0; kept && i < 200; ++i) {
    kept = reader.Open(path, FileAccess::Read) && writer.Create(made);
    fs::remove(made);
  }
  setrlimit(RLIMIT_NOFILE, &limit);
  EXPECT_TRUE(kept);
  std::vector<std::string> lines;
  for (std::string line; reader.ReadLine(&line);) lines.push_back(line);
  EXPECT_EQ(lines, std::vector<std::string>({"C0010000000000", "A", "B", "C", std::string(15, 'x') + "+", "", "D"}));
  EXPECT_TRUE(reader.Close() && !reader.ReadLine(&lines[0]));  // closed: nothing more, and no crash
}

// The fake printer keeps the real one's contract, its calls kept waiting a while.
struct FakePaper {
  FakePaper() { printer.pendFor = 2; }
  PagePrinter& Printer() { return printer; }
  std::string Start() { return ""; }
  bool Required() { return false; }
  PageTarget Target() { return {PageTarget::Kind::Printer, "Office"}; }
  PageTarget Refusing() { return {PageTarget::Kind::Printer, "Nowhere"}; }
  int Delivered() { return static_cast<int>(printer.handedOver.size()); }
  bool Until(const std::function<bool()>& ready) {
    for (int polls = 0; polls < 100; ++polls)
      if (ready()) return true;
    return false;
  }
  testing::FakePagePrinter printer;
};
INSTANTIATE_TYPED_TEST_SUITE_P(Fake, PagePrinterContract, FakePaper);

}  // namespace
}  // namespace rx
