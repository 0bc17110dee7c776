// Data files at work: deleting, sending to the device with its recovery
// choices, serial text output and the hunter start.
#include <fstream>

#include "link/commands.h"
#include "link/device_port.h"
#include "shell/tick.h"
#include "shell/exit.h"
#include "support/console_fixture.h"

namespace rx {
namespace {

namespace fs = std::filesystem;

class FileWork : public testing::ConsoleTest {
 protected:
  // Main item 8 with the first listed file, all blocks or one block.
  void ConfirmSend(const std::string& block = "") {
    Press({8, Keys::Enter, block.empty() ? 1 : 2, Keys::Enter, Keys::Enter});
    if (!block.empty()) {
      Type(block);
      Press(Keys::Enter);
    }
  }
  fs::path dir = tt.terminal.dataDirectory;
};

TEST_F(FileWork, DeletingTheLastFileLeavesAnEmptySelection) {
  File("CN241433.C08", {"C0450102034567"});
  Press({7, Keys::Enter, Keys::Enter});
  EXPECT_TRUE(IsHighlighted(f.lblFileList[0]));
  Press(Keys::Enter);
  EXPECT_EQ(f.lblGuide.caption, "※削除してもよろしいですか？（[Delete]:実行、[Esc]:キャンセル）");
  Press(Keys::Delete);
  EXPECT_FALSE(fs::exists(dir / "CN241433.C08"));
  EXPECT_EQ(f.Screen, ScreenId::FileSelection);
  EXPECT_EQ(f.lblFileG.caption, "ファイルが0個あります");
  Press(Keys::Enter);  // nothing to choose
  EXPECT_EQ(f.KeyMode, Mode::Normal);
  Press(Keys::Esc);
  EXPECT_EQ(f.Screen, ScreenId::FileMenu);
}

TEST_F(FileWork, CourseFileIsSentRecordByRecord) {
  File("CN241433.C08", {"C0451234567890", "short", "C0460000000001"});
  ConfirmSend();
  EXPECT_EQ(f.lblSendName.caption, "CN241433.C08");
  Press(Keys::Enter);
  EXPECT_EQ(Sent(), std::vector<std::string>({"CL0AC0451234567890  "}));
  EXPECT_EQ(f.lblSendG[4].caption, "2件");
  EXPECT_EQ(f.lblGuide.caption, "※[Esc]:ＲＸ－７１０送信中断");
  Reply("CR");
  EXPECT_EQ(Sent(), std::vector<std::string>({"CL0AC0460000000001  "}));
  EXPECT_EQ(f.lblSendG[4].caption, "1件");
  Reply("CR");
  EXPECT_EQ(f.KeyMode, Mode::Normal);
  EXPECT_EQ(f.Screen, ScreenId::SendRange);
  EXPECT_FALSE(f.fraSend.visible);
}

TEST_F(FileWork, OneBlockSendReaddressesEveryRecord) {
  File("CN241433.508", {"50451234567890", "A0460000000001"});
  ConfirmSend("3");
  EXPECT_EQ(f.lblSendG[0].caption, "ＲＸ－７１０のブロックNo.3 に送信します");
  Press(Keys::Enter);
  Reply("CR");
  EXPECT_EQ(Sent(), std::vector<std::string>({"CL0A30451234567890  ", "CL0A30460000000001  "}));
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
  EXPECT_EQ(f.lblGuide.caption, "※回復処理選択（[Esc]:継続、[Clear]:エラー無視継続、[Enter]:中断）");
  EXPECT_EQ(f.lblSendG[3].caption, "Block:1  ZNo:007  Time:0020000000  ");
  Press(Keys::Esc);  // go on: the rest of team 1-007 is passed over, not team 1-012
  EXPECT_EQ(Sent(), std::vector<std::string>({"CL4S10120100000000  "}));
  EXPECT_FALSE(f.lblSendG[3].visible);
  Reply("CE   805");
  Press(Keys::Clear);  // go on and stop asking
  EXPECT_EQ(Sent(), std::vector<std::string>({"CL4B10130010000000  "}));
  Reply("CE   805");
  EXPECT_FALSE(f.lblError.visible);
  EXPECT_EQ(f.lblSendG[3].caption, "Block:1  ZNo:013  Time:0010000000  ");
  EXPECT_EQ(Sent(), std::vector<std::string>({"CL4S10130020000000  "}));
  Reply("CR");
  EXPECT_EQ(f.KeyMode, Mode::Normal);
}

TEST_F(FileWork, EnterAbandonsAndLaterErrorsAreOrdinaryAgain) {
  File("DN241433.C08", {"10070000000000", "10080000000000"});
  ConfirmSend();
  Press(Keys::Enter);
  EXPECT_EQ(Sent(), std::vector<std::string>({Body("CL2 1007")}));  // no time for the DNF memory
  Reply("CE   102");
  Press(Keys::Enter);
  EXPECT_EQ(f.KeyMode, Mode::Normal);
  EXPECT_FALSE(f.fraSend.visible);
  EXPECT_EQ(f.SendRecovery, Recovery::Off);
  Press({Keys::Esc, 9, Keys::Enter});  // best output, refused
  Reply("CE   830");
  EXPECT_EQ(f.lblError.caption, "エラー：コマンド指定エラーです（[Esc]：解除）");
}

// A refusal whose number cannot be read stops the send for good: later errors
// are ordinary ones, not a recovery of a send that is over.
TEST_F(FileWork, ARefusalWithoutANumberEndsTheSend) {
  File("CN241433.C08", {"C0451234567890", "C0460000000001"});
  ConfirmSend();
  Press(Keys::Enter);
  Sent();
  Reply("CE   x1");
  EXPECT_EQ(f.KeyMode, Mode::Normal);
  EXPECT_FALSE(f.lblError.visible);
  EXPECT_TRUE(f.lblSendG[3].visible);  // the refused record, as for any refusal
  EXPECT_EQ(f.lblSendG[3].caption, "Block:C  ZNo:045  Time:1234567890  ");
  EXPECT_EQ(f.RecordCount, 0);
  EXPECT_EQ(f.SendRecovery, Recovery::Off);
  Press({Keys::Esc, 9, Keys::Enter});  // best output, refused
  Reply("CE   830");
  Press(Keys::Esc);
  EXPECT_EQ(f.KeyMode, Mode::Normal);
  EXPECT_TRUE(Sent().size() == 1u);  // only the best output went out
}

TEST_F(FileWork, FilesWithoutRecordsOrAKnownMemorySendNothing) {
  File("CN241433.C08", {"nothing here"});
  File("XN241433.C08", {"C0451234567890"});
  ConfirmSend();
  Press(Keys::Enter);
  EXPECT_EQ(f.lblError.caption, "エラー：データがありません（[Esc]：解除）");
  Press({Keys::Esc, Keys::Enter, Keys::Right, Keys::Enter, Keys::Enter});
  EXPECT_EQ(f.lblSendName.caption, "XN241433.C08");
  EXPECT_EQ(f.lblError.caption, "エラー：データがありません（[Esc]：解除）");
  EXPECT_TRUE(Sent().empty());
}

class SerialSend : public FileWork {
 protected:
  void SetUp() override {
    FileWork::SetUp();
    f.SerialSend = true;
    f.lblMenu[12].enabled = true;
  }
  // The text lines written, without their CR LF.
  std::vector<std::string> TextLines() {
    std::vector<std::string> lines;
    std::string written = tt.fakes.port.written;
    for (std::size_t at; (at = written.find("\r\n")) != std::string::npos; written.erase(0, at + 2))
      lines.push_back(written.substr(0, at));
    return lines;
  }
  // Lets the output go on, a line per turn, until it needs nothing more; the
  // remaining counts shown on the way.
  std::vector<std::string> Run() {
    std::vector<std::string> shown;
    do {
      const std::string& count = f.lblSendG[4].caption;
      if (count.find(" 件") != std::string::npos && (shown.empty() || shown.back() != count))
        shown.push_back(count);
    } while (tt.fakes.events.Turn() > 0);
    return shown;
  }
  void Start(const std::string& block = "") {
    Press({Keys::Clear, 3, Keys::Enter, Keys::Enter});  // sub-menu item 12, first file
    Press({block.empty() ? 1 : 2, Keys::Enter});
    if (!block.empty()) {
      Type(block);
      Press(Keys::Enter);
    }
    Press(Keys::Enter);
  }
};

TEST_F(SerialSend, HeaderLinesAndTrailer) {
  File("FN241433.C08", {"10010000481234", "10020000491234", "C0030000501234"});
  Start();
  std::vector<std::string> remaining = Run();
  EXPECT_EQ(tt.fakes.port.openedWith.back(), "9600,N,8,1");
  EXPECT_EQ(TextLines(), std::vector<std::string>({"RX-710KP DATA", "FILE NAME  : ", "FN241433.C08 ",
                                                   "10010000481234", "10020000491234", "C0030000501234",
                                                   "FILE END   : ", "FN241433.C08 "}));
  EXPECT_EQ(remaining, std::vector<std::string>({"3 件", "2 件", "1 件"}));
  EXPECT_EQ(f.Screen, ScreenId::SubMenu);
  EXPECT_EQ(f.KeyMode, Mode::Normal);
}

TEST_F(SerialSend, AbortAfterTheSecondLineWritesNoTrailer) {
  File("FN241433.C08", {"10010000481234", "10020000491234", "10030000501234", "10040000511234",
                        "10050000521234"});
  Start();
  for (int turn = 0; turn < 4; ++turn) tt.fakes.events.Turn();  // the header and two lines
  Press(Keys::Esc);  // asked whether to stop: nothing is written meanwhile
  tt.fakes.events.Advance(1000);
  EXPECT_EQ(TextLines().size(), 5u);
  Press(Keys::Enter);  // stop
  Run();
  EXPECT_EQ(TextLines().size(), 5u);
  EXPECT_EQ(f.KeyMode, Mode::Normal);
  EXPECT_EQ(f.Screen, ScreenId::SubMenu);
  EXPECT_TRUE(tt.fakes.desktop.closeRequests == 0);  // no close question afterwards
}

TEST_F(SerialSend, AWriteFailureStaysOnTheErrorLine) {
  File("FN241433.C08", {"10010000481234", "10020000491234"});
  Start();
  tt.fakes.port.failWrites = true;
  Run();
  EXPECT_EQ(f.KeyMode, Mode::ErrorShown);
  EXPECT_EQ(f.lblError.caption, "エラー：送信できません（[Esc]：解除）");
  Press(Keys::Esc);
  EXPECT_EQ(f.Screen, ScreenId::SubMenu);
  EXPECT_EQ(tt.fakes.desktop.closeRequests, 0);
}

TEST_F(SerialSend, ClosingMidOutputEndsItWithoutTrailer) {
  File("FN241433.C08", {"10010000481234", "10020000491234"});
  Start();
  tt.fakes.events.Turn();
  Form_Unload(tt.terminal);
  EXPECT_FALSE(tt.fakes.port.open);
  Run();
  EXPECT_EQ(TextLines().size(), 2u);
  EXPECT_EQ(f.RecordCount, 0);  // nothing stays queued
}

// TextOutput names a printer or a PDF: the same lines, laid out a page per
// turn, handed over whole; the port stays shut.
class PaperSend : public SerialSend {
 protected:
  void SetUp() override {
    tt.fakes.settings.values["TextOutput"] = "PDF";
    SerialSend::SetUp();
    File("FN241433.C08", {"10010000481234", "10020000491234", "10030000501234", "10040000511234",
                          "10050000521234", "10060000531234"});
  }
  testing::FakePagePrinter& printer = tt.fakes.printer;
};

TEST_F(PaperSend, ThePdfHoldsTheSerialLinesAndNothingReachesThePort) {
  Start();
  std::vector<std::string> remaining = Run();
  ASSERT_EQ(printer.handedOver.size(), 1u);
  EXPECT_EQ(printer.handedOver[0],
            std::vector<std::string>({"RX-710KP DATA", "FILE NAME  : ", "FN241433.C08 ", "10010000481234",
                                      "10020000491234", "10030000501234", "10040000511234",
                                      "10050000521234", "10060000531234", "FILE END   : ", "FN241433.C08 "}));
  EXPECT_EQ(printer.headings, std::vector<std::string>({"1 / 3", "2 / 3", "3 / 3"}));
  EXPECT_EQ(remaining, std::vector<std::string>({"6 件", "5 件", "1 件"}));
  EXPECT_EQ(printer.target.kind, PageTarget::Kind::Pdf);
  EXPECT_EQ(printer.target.name, (dir / "FN241433.C08.pdf").string());
  EXPECT_TRUE(tt.fakes.port.attempts.empty());
  EXPECT_EQ(f.Screen, ScreenId::SubMenu);
  EXPECT_EQ(f.KeyMode, Mode::Normal);
  for (const std::string& write : tt.fakes.settings.writes) EXPECT_EQ(write.find("TextOutput"), std::string::npos);
}

TEST_F(PaperSend, NothingIsLaidOutWhileAskedAndStoppingDiscardsTheDocument) {
  tt.fakes.settings.values["TextOutput"] = "Printer:Office";
  printer.perPage = 1;
  Start();
  tt.fakes.events.Turn();
  Press(Keys::Esc);  // asked: nothing more is laid out, whatever the tick does
  tt.fakes.events.Advance(1000);
  for (int tick = 0; tick < 20; ++tick) Timer1_Timer(tt.terminal);
  EXPECT_EQ(printer.headings.size(), 2u);
  Press(Keys::Esc);  // go on, at once
  EXPECT_EQ(printer.headings.size(), 3u);
  Press({Keys::Esc, Keys::Enter});  // stop
  Run();
  EXPECT_EQ(printer.target.name, "Office");
  EXPECT_TRUE(printer.handedOver.empty());
  EXPECT_EQ(printer.discards, 1);
  EXPECT_EQ(f.Screen, ScreenId::SubMenu);
  EXPECT_EQ(f.RecordCount, 0);  // nothing stays queued
}

TEST_F(PaperSend, AFailureAtAnyStepShows1011AndLeavesNothing) {
  for (std::string testing::FakePagePrinter::*step :
       {&testing::FakePagePrinter::refuseOpen, &testing::FakePagePrinter::refusePage, &testing::FakePagePrinter::refuseFinish}) {
    SCOPED_TRACE(step == &testing::FakePagePrinter::refuseOpen ? "open" : step == &testing::FakePagePrinter::refusePage ? "page" : "finish");
    printer = {};
    printer.*step = "no printer named Nowhere";
    f.lstDebug.items.clear();
    int beeps = tt.fakes.beeper.beeps;
    if (f.Screen == ScreenId::SubMenu)
      Press({3, Keys::Enter, Keys::Enter, 1, Keys::Enter, Keys::Enter});  // item 12 again
    else
      Start();
    Run();
    EXPECT_EQ(f.lblError.caption, "エラー：印刷できません（[Esc]：解除）");
    EXPECT_EQ(tt.fakes.beeper.beeps, beeps + 1);
    EXPECT_TRUE(printer.handedOver.empty());
    ASSERT_FALSE(f.lstDebug.items.empty());
    EXPECT_NE(f.lstDebug.items.back().find("no printer named Nowhere"), std::string::npos);
    Press(Keys::Esc);
    EXPECT_EQ(f.Screen, ScreenId::SubMenu);
    EXPECT_EQ(f.KeyMode, Mode::Normal);
    EXPECT_EQ(f.RecordCount, 0);  // nothing stays queued
  }
  EXPECT_TRUE(tt.fakes.port.attempts.empty());
}

// A file far larger than a send: read in turns, Esc goes back as from the prompt.
TEST_F(FileWork, ALargeFileIsQueuedInTurnsAndEscGoesBack) {
  {
    std::ofstream out(dir / "CN241433.C08", std::ios::binary);
    for (int i = 0; i < 40000; ++i) out << "C0451234567890\r\n";
  }
  ConfirmSend();
  Press(Keys::Enter);
  EXPECT_EQ(f.KeyMode, Mode::Busy);
  EXPECT_TRUE(Sent().empty());
  EXPECT_GT(f.RecordCount, 0);
  EXPECT_LT(f.RecordCount, 40000);
  Press(Keys::Esc);
  EXPECT_EQ(f.KeyMode, Mode::Normal);
  EXPECT_FALSE(f.fraSend.visible);
  EXPECT_EQ(f.lblGuide.caption, "※テンキーまたは↑↓で選択して[Enter] （[Esc]:戻り）");
  EXPECT_FALSE(tt.terminal.dataFile.IsOpen());
  tt.fakes.events.Settle();
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(f.RecordCount, 0);

  Press({Keys::Enter, Keys::Enter, Keys::Enter});  // the same file again, to the end
  tt.fakes.events.Settle();
  EXPECT_EQ(Sent(), std::vector<std::string>({"CL0AC0451234567890  "}));
  EXPECT_EQ(f.RecordCount, 40000);
}

TEST_F(FileWork, OneEndlessLineIsNoRecord) {
  {
    std::ofstream out(dir / "CN241433.C08", std::ios::binary);
    out << std::string(3 * 1024 * 1024, '1');
  }
  ConfirmSend();
  Press(Keys::Enter);
  tt.fakes.events.Settle();
  EXPECT_EQ(f.lblError.caption, "エラー：データがありません（[Esc]：解除）");
}

TEST_F(FileWork, AFileThatCannotBeDeletedIsReported) {
  File("CN241433.C08", {"C0450102034567"});
  Press({7, Keys::Enter, Keys::Enter, Keys::Enter});
  // Between the list and the deletion, a directory of that name takes its place.
  fs::remove(dir / "CN241433.C08");
  fs::create_directories(dir / "CN241433.C08" / "inside");
  Press(Keys::Delete);
  EXPECT_EQ(f.lblError.caption, "エラー：ファイルに書き込めません（[Esc]：解除）");
  Press(Keys::Esc);
  EXPECT_EQ(f.Screen, ScreenId::FileSelection);
  EXPECT_EQ(f.KeyMode, Mode::Normal);
}

class HunterStart : public FileWork {
 protected:
  void Make(const std::string& start) {
    if (f.Screen == ScreenId::MainMenu) Press(Keys::Clear);
    Press({2, Keys::Enter, Keys::Enter});
    Type(start);
    Press({Keys::Enter, Keys::Enter});
  }
};

TEST_F(HunterStart, StartsFollowTheFirstRunGapsInWholeSeconds) {
  File("FN241433.C08", {"10010010000000", "10020010019500", "10030010020000", "10040009590000",
                        "20050012000000"});
  File("C1202359.C08", {"an earlier output", "of", "more", "lines", "than", "now"});
  f.lblMenu[11].enabled = true;
  Press({Keys::Clear, 2, Keys::Enter, Keys::Enter});
  EXPECT_EQ(f.Screen, ScreenId::HunterStart);
  EXPECT_EQ(f.lblHuntG[3].caption, "FN241433.C08");
  Type("1202359");  // seven digits: January 20, 23:59
  Press(Keys::Enter);
  EXPECT_EQ(f.lblHuntG[4].caption, "C1202359.C08");
  EXPECT_EQ(f.KeyMode, Mode::ConfirmPending);
  Press(Keys::Enter);
  // 1.95 s behind starts 1 s later, 2.00 s behind 2 s later, the faster one
  // not at all, and 120 s after 23:59 is past midnight.
  EXPECT_EQ(Lines("C1202359.C08"), std::vector<std::string>({"10012359000  ", "10022359010  ",
                                                             "10032359020  ", "20050001000  "}));
  EXPECT_EQ(f.Screen, ScreenId::SubMenu);
}

TEST_F(HunterStart, DateAndClockAreChecked) {
  File("FN241433.C08", {"10010010000000"});
  Make("02301200");
  EXPECT_EQ(f.lblError.caption, "エラー：入力日付が範囲外です（[Esc]：解除）");
  Press(Keys::Esc);
  EXPECT_EQ(f.Screen, ScreenId::SubMenu);
  Make("11242460");
  EXPECT_EQ(f.lblError.caption, "エラー：入力タイムが範囲外です（[Esc]：解除）");
  Press(Keys::Esc);
  Make("02291200");  // any year: 29 February passes
  EXPECT_FALSE(f.lblError.visible);
  EXPECT_TRUE(fs::exists(dir / "C2291200.C08"));
}

// A failed run is told, acknowledged on the sub-menu, and leaves whatever had
// the output's name as it was (an earlier output byte for byte, an empty
// directory) and no file of its own.
TEST_F(HunterStart, AFailedRunLeavesTheDataDirectoryAsItWas) {
  struct Case {
    std::initializer_list<const char*> source;
    bool directoryInPlace;
    const char* error;
  } cases[] = {
      {{"not a record", "10020010019500"}, false, "データがありません"},
      {{"not a record"}, true, "データがありません"},
      {{"10010010000000"}, true, "ファイルに書き込めません"},
  };
  const std::string earlier = "C0010000000000\r\nC002";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.error + std::string(c.directoryInPlace ? " / directory" : " / earlier output"));
    fs::remove_all(dir);
    fs::create_directories(dir);
    File("FN241433.C08", c.source);
    if (c.directoryInPlace)
      fs::create_directories(dir / "CN201030.C08");
    else
      std::ofstream(dir / "CN201030.C08", std::ios::binary) << earlier;
    Make("11201030");
    EXPECT_EQ(f.lblError.caption, "エラー：" + std::string(c.error) + "（[Esc]：解除）");
    if (c.directoryInPlace) {
      EXPECT_TRUE(fs::is_directory(dir / "CN201030.C08"));
    } else {
      std::ifstream in(dir / "CN201030.C08", std::ios::binary);
      EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), earlier);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 2);  // nothing of the run's own
    Press(Keys::Esc);  // acknowledged on the sub-menu
    EXPECT_EQ(f.Screen, ScreenId::SubMenu);
    EXPECT_EQ(f.KeyMode, Mode::Normal);
    EXPECT_EQ(f.lblGuide.caption, "※テンキーまたは↑↓で選択して[Enter] （[Esc]:終了、[Clear]：次頁）");
  }
}

}  // namespace
}  // namespace rx
