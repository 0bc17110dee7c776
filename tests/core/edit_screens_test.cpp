// Editing the device's memories through the keys: the steps of the screens,
// the command chains that follow an accepted edit, and the relay legs.
#include "data/alpine_edit.h"
#include "support/console_fixture.h"

namespace rx {
namespace {

class EditScreens : public testing::ConsoleTest {
 protected:
  void Enter(const std::string& typed) {
    Type(typed);
    Press(Keys::Enter);
  }
  // Main item and function item of the edit function menu.
  void Open(int item, int function) { Press({item, Keys::Enter, function, Keys::Enter}); }
  // Each reply in turn, with the bodies sent after it.
  void Chain(std::initializer_list<std::pair<const char*, std::vector<std::string>>> steps) {
    for (const auto& [reply, sent] : steps) {
      Reply(reply);
      EXPECT_EQ(Sent(), sent) << "after " << reply;
    }
  }
};

TEST_F(EditScreens, SecondRunModifyIsPrintedAndBestOutputFollows) {
  Open(4, 1);
  EXPECT_EQ(f.lblGuide.caption, "※ブロックNo. Bib No.を入力します （[Esc]:戻り）");
  Enter("3");
  Enter("12");
  EXPECT_EQ(Sent(), std::vector<std::string>({Body("CO123012")}));
  EXPECT_EQ(tt.fakes.port.openedWith.back(), "9600,E,7,2");
  Chain({{"CR", {}}, {"CO1230120102030450", {}}, {"CF", {}}});
  EXPECT_EQ(f.lblEditInp[3].caption, "01:02:03.0450");
  EXPECT_EQ(f.lblEditInp[4].caption, "10203.0450");
  EXPECT_EQ(f.lblGuide.caption, "※修正タイムを入力します （[Esc]:戻り）");
  Enter("10204");
  EXPECT_EQ(f.lblEditInp[5].caption, "01:02:04.0000");
  EXPECT_EQ(f.lblGuide.caption, "※キーを押してください （[Enter]:実行、[Esc]:キャンセル）");
  Press(Keys::Enter);
  EXPECT_EQ(Sent(), std::vector<std::string>({"CM1230120102040000  "}));
  Chain({{"CR", {"CP1230120102040000  "}}, {"CR", {Body("CB123")}}, {"CR", {}}});
  EXPECT_EQ(f.KeyMode, Mode::Normal);
  EXPECT_EQ(f.EditStep, EditStage::Block);  // ready for the next record
  EXPECT_EQ(f.lblEditInp[2].caption, "");
  EXPECT_EQ(f.InputLabel, &f.lblEditInp[1]);
}

TEST_F(EditScreens, CourseAndDnfEditsAskForNoBestOutput) {
  Open(1, 3);  // delete
  Enter("12");
  Enter("45");
  EXPECT_EQ(Sent(), std::vector<std::string>({Body("CO0AC045")}));
  Chain({{"CR", {}}, {"CO0AC0450001023400", {}}, {"CF", {}}});
  EXPECT_EQ(f.EditStep, EditStage::Confirm);
  Press(Keys::Enter);
  EXPECT_EQ(Sent(), std::vector<std::string>({Body("CK0AC045")}));
  Chain({{"CR", {Body("CP0AC045")}}, {"CR", {}}});
  EXPECT_EQ(f.EditStep, EditStage::Block);
  // The DNF memory has no time: its add and delete go straight to the question.
  Press({Keys::Esc, Keys::Esc, 2, Keys::Enter, 2, Keys::Enter});
  EXPECT_FALSE(f.lblEditG[4].visible);
  Enter("1");
  Enter("23");
  EXPECT_EQ(f.EditStep, EditStage::Confirm);
  Press(Keys::Enter);
  EXPECT_EQ(Sent(), std::vector<std::string>({Body("CC2 1023")}));
  Chain({{"CR", {Body("CP2 1023")}}, {"CR", {}}});
  Press({Keys::Esc, 3, Keys::Enter});
  Enter("1");
  Enter("23");
  Press(Keys::Enter);
  EXPECT_EQ(Sent(), std::vector<std::string>({Body("CK2 1023")}));
}

TEST_F(EditScreens, DualCourseAddIsPrintedAsAnOrdinaryAdd) {
  f.DualAdd = true;
  Open(1, 5);
  EXPECT_TRUE(f.lblEditG[0].visible);
  EXPECT_TRUE(f.lblEditInp[1].visible);
  EXPECT_TRUE(f.lblEditInp[5].visible);
  Enter("3");  // only courses 1 and 2
  EXPECT_EQ(f.lblError.caption, "エラー：コースNo.エラーです（[Esc]：解除）");
  Press(Keys::Esc);
  EXPECT_EQ(f.EditStep, EditStage::Course);
  for (const char* typed : {"2", "1", "7", "5"}) Enter(typed);
  Press(Keys::Enter);
  EXPECT_EQ(Sent(), std::vector<std::string>({"CC0210070000050000  "}));
  Chain({{"CR", {"CP0A10070000050000  "}}});
}

TEST_F(EditScreens, FieldsRefuseWhatTheyCannotTake) {
  Open(1, 2);
  Press(Keys::Enter);  // an empty field ignores Enter
  Enter("29");
  EXPECT_EQ(f.EditStep, EditStage::Block);
  Press(Keys::Clear);
  Enter("28");
  f.lblEditInp[2].caption = "1000";  // more than the field takes: a beep
  EXPECT_FALSE(AcceptBib(tt.terminal, f.lblEditInp[2]));
  EXPECT_EQ(tt.fakes.beeper.beeps, 1);
  f.lblEditInp[2].caption = "";
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
  Press(Keys::Enter);  // nothing typed: the field's own value
  EXPECT_EQ(f.lblEditInp[5].caption, "00:00:00.0000");
}

TEST_F(EditScreens, BestOutputOfTheMainMenu) {
  Press({9, Keys::Enter});
  EXPECT_EQ(Sent(), std::vector<std::string>({Body("CB")}));
  EXPECT_FALSE(f.lblGuide.visible);
  Reply("CR");
  EXPECT_TRUE(f.lblGuide.visible);
  EXPECT_EQ(f.KeyMode, Mode::Normal);
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
  EXPECT_EQ(f.EditStep, LegStage(0));
  Press(Keys::Down);
  Enter("2500.5");
  EXPECT_EQ(f.lblRelayTime[1].caption, "00:25:00.5   ");
  EXPECT_EQ(f.lblRelayTime[10].caption, "01:05:00.5   ");
  EXPECT_EQ(f.InputLabel, &f.lblRelayInp[2]);
  Press(Keys::Enter);  // third leg kept, now in tenths like every edited leg
  EXPECT_EQ(f.InputLabel, &f.lblRelayInp[3]);  // the end marker
  Press({Keys::Enter, Keys::Enter});
  EXPECT_EQ(Sent(), std::vector<std::string>({"CM4B10070010000000  ", "CM4C10070025005     ",
                                              "CM4D10070030000     ", "CM4S10070105005     ",
                                              Body("CF")}));
  Reply("CR");
  EXPECT_EQ(f.KeyMode, Mode::Normal);
  EXPECT_EQ(f.EditStep, EditStage::Block);
}

TEST_F(RelayEdit, InsertAndDelete) {
  ReadTeam({"0010000000"}, "0010000000");
  Press(Keys::Insert);
  EXPECT_EQ(f.EditRow, 2);
  EXPECT_EQ(f.lblRelayTime[0].caption, "00:00:00.0  ");
  EXPECT_EQ(f.lblRelayTime[1].caption, "00:10:00.0000");
  EXPECT_EQ(f.lblRelayTime[10].caption, "00:10:00.0000");  // the total waits for Enter
  Press({Keys::Delete, Keys::Delete});
  EXPECT_EQ(f.EditRow, 0);
  EXPECT_EQ(f.lblRelayTime[10].caption, "00:00:00.0   ");
  EXPECT_EQ(f.InputLabel, &f.lblRelayInp[0]);  // the end marker
  Press({Keys::Enter, Keys::Enter});
  EXPECT_EQ(Sent(), std::vector<std::string>({Body("CK4 1007"), Body("CF")}));
}

// Ten legs at most; a leg that takes the total to a hundred hours is undone.
TEST_F(RelayEdit, TenLegsAtMostAndAHundredHoursAtMost) {
  ReadTeam({"2359590000", "2359590000", "2359590000", "2359590000", "0000000000", "0000010000",
            "0000010000", "0000010000", "0000010000"},
           "9559560000");
  for (int i = 0; i < 4; ++i) Press(Keys::Down);
  Enter("40004");
  EXPECT_EQ(f.lblError.caption, "エラー：スプリットがオーバーします（[Esc]：解除）");
  EXPECT_EQ(f.lblRelayTime[4].caption, "00:00:00.0000");
  Press(Keys::Esc);
  EXPECT_EQ(f.InputLabel, &f.lblRelayInp[4]);
  Enter("35955");
  EXPECT_EQ(f.lblRelayTime[10].caption, "99:59:55.0   ");
  for (int i = 0; i < 4; ++i) Press(Keys::Down);
  EXPECT_EQ(f.EditStep, LegStage(9));
  Press(Keys::Insert);
  EXPECT_EQ(f.EditRow, 10);
  EXPECT_EQ(f.lblRelayTime[9].caption, "00:00:00.0  ");
  Press(Keys::Insert);
  EXPECT_EQ(f.EditRow, 10);
}

}  // namespace
}  // namespace rx
