// Editing the device's memories through the keys: the step tables, the
// command chains that follow an accepted edit, and the relay legs.
#include "link/commands.h"
#include "link/device_port.h"
#include "support/console_fixture.h"

namespace rx {
namespace {

using testing::Frame;

class EditScreens : public testing::ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    tt.fakes.port.present = {3};
  }
  void Enter(const std::string& typed) {
    Type(typed);
    Press(Keys::Enter);
  }
  // Main item and function item of the edit function menu.
  void Open(int item, int function) { Press({item, Keys::Enter, function, Keys::Enter}); }
};

TEST_F(EditScreens, SecondRunModifyIsPrintedAndBestOutputFollows) {
  Open(4, 1);
  EXPECT_EQ(f.Screen, ScreenId::AlpineEdit);
  EXPECT_EQ(f.lblGuide.caption, "※ブロックNo. Bib No.を入力します （[Esc]:戻り）");
  Enter("3");
  Enter("12");
  EXPECT_EQ(f.lblEditInp[2].caption, "012");
  EXPECT_EQ(Sent(), std::vector<std::string>({Body("CO123012")}));
  Reply("CR");
  Reply("CO1230120102030450");
  Reply("CF");
  EXPECT_EQ(f.lblEditInp[3].caption, "01:02:03.0450");
  EXPECT_EQ(f.lblEditInp[4].caption, "10203.0450");
  EXPECT_EQ(f.EditStep, EditStage::NewTime);
  EXPECT_EQ(f.lblGuide.caption, "※修正タイムを入力します （[Esc]:戻り）");
  Enter("10204");
  EXPECT_EQ(f.lblEditInp[5].caption, "01:02:04.0000");
  EXPECT_EQ(f.lblGuide.caption, "※キーを押してください （[Enter]:実行、[Esc]:キャンセル）");
  Press(Keys::Enter);
  EXPECT_EQ(Sent(), std::vector<std::string>({"CM1230120102040000  "}));
  Reply("CR");
  EXPECT_EQ(Sent(), std::vector<std::string>({"CP1230120102040000  "}));
  Reply("CR");
  EXPECT_EQ(Sent(), std::vector<std::string>({Body("CB123")}));
  Reply("CR");
  EXPECT_EQ(f.KeyMode, Mode::Normal);
  EXPECT_EQ(f.EditStep, EditStage::Block);  // ready for the next record
  EXPECT_EQ(f.lblEditInp[2].caption, "");
  EXPECT_EQ(f.InputLabel, &f.lblEditInp[1]);
}

TEST_F(EditScreens, CourseMemoryEditsAskForNoBestOutput) {
  Open(1, 3);  // delete
  Enter("12");
  Enter("45");
  EXPECT_EQ(Sent(), std::vector<std::string>({Body("CO0AC045")}));
  Reply("CR");
  Reply("CO0AC0450001023400");
  Reply("CF");
  EXPECT_EQ(f.EditStep, EditStage::Confirm);
  Press(Keys::Enter);
  EXPECT_EQ(Sent(), std::vector<std::string>({Body("CK0AC045")}));
  Reply("CR");
  EXPECT_EQ(Sent(), std::vector<std::string>({Body("CP0AC045")}));
  Reply("CR");
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(f.KeyMode, Mode::Normal);
  EXPECT_EQ(f.EditStep, EditStage::Block);
}

TEST_F(EditScreens, DualCourseAddIsPrintedAsAnOrdinaryAdd) {
  f.DualAdd = true;
  Open(1, 5);
  EXPECT_TRUE(f.lblEditG[0].visible);
  Enter("3");  // only courses 1 and 2
  EXPECT_EQ(f.lblError.caption, "エラー：コースNo.エラーです（[Esc]：解除）");
  Press(Keys::Esc);
  EXPECT_EQ(f.EditStep, EditStage::Course);
  Enter("2");
  Enter("1");
  Enter("7");
  Enter("5");
  Press(Keys::Enter);
  EXPECT_EQ(Sent(), std::vector<std::string>({"CC0210070000050000  "}));
  Reply("CR");
  EXPECT_EQ(Sent(), std::vector<std::string>({"CP0A10070000050000  "}));
}

TEST_F(EditScreens, FieldsRefuseWhatTheyCannotTake) {
  Open(1, 2);
  Press(Keys::Enter);  // an empty field ignores Enter
  EXPECT_EQ(f.EditStep, EditStage::Block);
  Enter("29");
  EXPECT_EQ(f.EditStep, EditStage::Block);
  EXPECT_TRUE(f.InputActive);
  Press(Keys::Clear);
  Enter("28");
  Enter("0");
  EXPECT_EQ(f.lblError.caption, "エラー：Bib No.が「０」です（[Esc]：解除）");
  Press(Keys::Esc);  // the entry starts over
  EXPECT_EQ(f.EditStep, EditStage::Block);
  EXPECT_EQ(f.lblEditInp[1].caption, "");
  Enter("28");
  Enter("999");
  Enter("240000");
  EXPECT_EQ(f.lblError.caption, "エラー：入力タイムが範囲外です（[Esc]：解除）");
  Press(Keys::Esc);  // back into the time, as it was before typing
  EXPECT_EQ(f.EditStep, EditStage::NewTime);
  EXPECT_EQ(f.lblEditInp[4].caption, "0.0000");
  EXPECT_TRUE(f.InputActive);
  Press(Keys::Enter);  // nothing typed: the field's own value
  EXPECT_EQ(f.lblEditInp[5].caption, "00:00:00.0000");
}

TEST_F(EditScreens, DnfEntriesHaveNoTime) {
  Open(2, 2);
  EXPECT_FALSE(f.lblEditG[4].visible);
  EXPECT_FALSE(f.lblEditG[3].visible);
  Enter("1");
  Enter("23");
  EXPECT_EQ(f.EditStep, EditStage::Confirm);
  EXPECT_FALSE(f.InputActive);
  Press(Keys::Enter);
  EXPECT_EQ(Sent(), std::vector<std::string>({Body("CC2 1023")}));
  Reply("CR");
  Reply("CR");
  Sent();
  Press({Keys::Esc, 3, Keys::Enter});
  Enter("1");
  Enter("23");
  Press(Keys::Enter);
  EXPECT_EQ(Sent(), std::vector<std::string>({Body("CK2 1023")}));
}

TEST_F(EditScreens, BestOutputOfTheMainMenu) {
  Press({9, Keys::Enter});
  EXPECT_EQ(Sent(), std::vector<std::string>({Body("CB")}));
  EXPECT_FALSE(f.lblGuide.visible);
  Reply("CR");
  EXPECT_TRUE(f.lblGuide.visible);
  EXPECT_EQ(f.KeyMode, Mode::Normal);

  tt.fakes.port.present.clear();  // no port at all
  Press(Keys::Enter);
  EXPECT_EQ(f.lblError.caption,
            "エラー：通信できません。USBケーブルの接続を確認してください（[Esc]：解除）");
  EXPECT_TRUE(Sent().empty());
  Press(Keys::Esc);
  EXPECT_EQ(f.Screen, ScreenId::MainMenu);
  EXPECT_TRUE(f.lblGuide.visible);
  EXPECT_EQ(f.lblGuide.caption, "※テンキーまたは↑↓で選択して[Enter] （[Esc]:戻り）");
}

class RelayEdit : public EditScreens {
 protected:
  // Team 1-007 with the given legs read from the device.
  void ReadTeam(std::initializer_list<const char*> legs, const char* total) {
    Open(6, 1);
    Enter("1");
    Enter("7");
    EXPECT_EQ(Sent(), std::vector<std::string>({Body("CO4A1007")}));
    Reply("CR");
    char leg = 'B';
    for (const char* time : legs) Reply(std::string("CO4") + leg++ + "1007" + time);
    Reply(std::string("CO4S1007") + total);
    Reply("CF");
  }
};

TEST_F(RelayEdit, EditingALegMovesTheTotalAndTheBurstSendsEveryLeg) {
  ReadTeam({"0010000000", "0020000000", "0030000000"}, "0100000000");
  EXPECT_EQ(f.EditRow, 3);
  EXPECT_EQ(f.EditStep, LegStage(0));
  EXPECT_EQ(f.lblGuide.caption, "※修正タイムを入力します （[Esc]:戻り、[Insert]:追加、[Delete]:削除）");
  Press(Keys::Down);
  Enter("2500.5");
  EXPECT_EQ(f.lblRelayTime[1].caption, "00:25:00.5   ");
  EXPECT_EQ(f.lblRelayTime[10].caption, "01:05:00.5   ");
  EXPECT_EQ(f.InputLabel, &f.lblRelayInp[2]);
  Press(Keys::Enter);  // third leg kept, now in tenths like every edited leg
  EXPECT_EQ(f.InputLabel, &f.lblRelayInp[3]);  // the end marker
  EXPECT_EQ(f.InputIntDigits, 0);
  Press(Keys::Enter);
  EXPECT_EQ(f.EditStep, EditStage::RelayConfirm);
  Press(Keys::Enter);
  EXPECT_EQ(Sent(), std::vector<std::string>({"CM4B10070010000000  ", "CM4C10070025005     ",
                                              "CM4D10070030000     ", "CM4S10070105005     ",
                                              Body("CF")}));
  Reply("CR");
  EXPECT_EQ(f.KeyMode, Mode::Normal);
  EXPECT_EQ(f.EditStep, EditStage::Block);
  EXPECT_EQ(f.EditRow, 0);
}

TEST_F(RelayEdit, InsertAndDelete) {
  ReadTeam({"0010000000"}, "0010000000");
  Press(Keys::Insert);
  EXPECT_EQ(f.EditRow, 2);
  EXPECT_EQ(f.lblRelayTime[0].caption, "00:00:00.0  ");
  EXPECT_EQ(f.lblRelayInp[0].caption, "0.0000");
  EXPECT_EQ(f.lblRelayTime[1].caption, "00:10:00.0000");
  EXPECT_EQ(f.lblRelayTime[10].caption, "00:10:00.0000");  // the total waits for Enter
  Press({Keys::Delete, Keys::Delete});
  EXPECT_EQ(f.EditRow, 0);
  EXPECT_EQ(f.lblRelayTime[10].caption, "00:00:00.0   ");
  EXPECT_EQ(f.InputLabel, &f.lblRelayInp[0]);
  EXPECT_EQ(f.InputIntDigits, 0);  // the end marker
  Press({Keys::Enter, Keys::Enter});
  EXPECT_EQ(Sent(), std::vector<std::string>({Body("CK4 1007"), Body("CF")}));
}

TEST_F(RelayEdit, TenLegsAtMostAndTheEndMarkerAppends) {
  ReadTeam({"0000010000", "0000010000", "0000010000", "0000010000", "0000010000", "0000010000",
            "0000010000", "0000010000", "0000010000"},
           "0000090000");
  for (int i = 0; i < 9; ++i) Press(Keys::Down);
  EXPECT_EQ(f.EditStep, LegStage(9));
  Press(Keys::Insert);
  EXPECT_EQ(f.EditRow, 10);
  EXPECT_EQ(f.lblRelayTime[9].caption, "00:00:00.0  ");
  Press(Keys::Insert);
  EXPECT_EQ(f.EditRow, 10);
}

TEST_F(RelayEdit, ALegReachingHundredHoursIsUndone) {
  ReadTeam({"2359590000", "2359590000", "2359590000", "2359590000", "0000000000"},
           "9559560000");
  for (int i = 0; i < 4; ++i) Press(Keys::Down);
  Enter("40004");
  EXPECT_EQ(f.lblError.caption, "エラー：スプリットがオーバーします（[Esc]：解除）");
  EXPECT_EQ(f.lblRelayTime[4].caption, "00:00:00.0000");
  Press(Keys::Esc);
  EXPECT_EQ(f.EditStep, LegStage(4));
  EXPECT_EQ(f.InputLabel, &f.lblRelayInp[4]);
  Enter("35959");
  EXPECT_EQ(f.lblRelayTime[10].caption, "99:59:55.0   ");
}

}  // namespace
}  // namespace rx
