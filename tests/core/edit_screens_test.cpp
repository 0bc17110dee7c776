// Editing the device's memories through the keys: the steps of the screens,
// the command chains that follow an accepted edit, and the relay legs.
#include "data/alpine_edit.h"
#include "support/console_fixture.h"

namespace rx {
namespace {

struct EditScreens : testing::ConsoleTest {
  // Main item and function item of the edit function menu.
  void Open(int item, int function) { Press({item, Keys::Enter, function, Keys::Enter}); }
  // Team 1-007 on the relay edit screen, with the given legs read from the device.
  void ReadTeam(std::initializer_list<const char*> legs, const char* total) {
    const int beeps = tt.fakes.beeper.beeps;
    Press({1, Keys::Enter, Keys::Enter, 7, Keys::Enter});  // an Enter before the Bib No. is typed: not even a beep
    EXPECT_TRUE(Sent() == std::vector<std::string>({Body("CO4A1007")}) && tt.fakes.beeper.beeps == beeps);
    Reply("CR");
    char leg = 'B';
    for (const char* time : legs) Reply(std::string("CO4") + leg++ + "1007" + time);
    Reply(std::string("CO4S1007") + total);
    Reply("CF");
  }
};

// The burst writes every leg, edited ones in tenths, and the total; a team
// without legs is deleted. Insert and Delete move the legs below.
TEST_F(EditScreens, RelayLegsEditedInsertedAndDeleted) {
  Open(6, 1);
  Press(Keys::Insert);  // before the legs: nothing to move
  ASSERT_EQ(f.EditRow, 0);
  ReadTeam({"0010000000", "0020000000", "0030000000"}, "0100000000");
  for (Control& shown : f.lblRelayTime) shown.caption = "99:00:00.0";  // drawn from the team, never read
  Press(Keys::Down);
  Submit("2500.5");
  EXPECT_TRUE(f.lblRelayTime[1].caption == "00:25:00.5   " && f.lblRelayTime[kTeamTotalRow].caption == "01:05:00.5   ");
  Press(Keys::Enter);  // third leg kept
  EXPECT_EQ(f.InputLabel, &f.lblRelayInp[3]);  // the end marker
  Press({Keys::Enter, Keys::Enter});
  EXPECT_EQ(Sent(), std::vector<std::string>({"CM4B10070010000000  ", "CM4C10070025005     ",
                                              "CM4D10070030000     ", "CM4S10070105005     ", Body("CF")}));
  for (int frame = 0; frame < 5; ++frame) Reply("CR");
  EXPECT_EQ(f.EditStep, EditStage::Block);
  ReadTeam({"0010000000"}, "0010000000");
  Press(Keys::Insert);
  EXPECT_TRUE(f.EditRow == 2 && f.lblRelayTime[0].caption == "00:00:00.0  ");
  EXPECT_EQ(f.lblRelayTime[1].caption, "00:10:00.0000");
  EXPECT_EQ(f.lblRelayTime[kTeamTotalRow].caption, "00:10:00.0000");  // the total waits for Enter
  Press({Keys::Delete, Keys::Delete});
  EXPECT_TRUE(f.EditRow == 0 && f.lblRelayTime[kTeamTotalRow].caption == "00:00:00.0   ");
  EXPECT_EQ(f.InputLabel, &f.lblRelayInp[0]);  // the end marker
  Press({Keys::Enter, Keys::Enter});
  EXPECT_EQ(Sent(), std::vector<std::string>({Body("CK4 1007"), Body("CF")}));
  Reply("CR"), Reply("CR"), ReadTeam({"0010000000"}, "0010000000");
  Press({Keys::Enter, Keys::Esc});  // Esc on the end marker starts the team again
  EXPECT_EQ(f.EditStep, EditStage::Block);
}

// The device answers each frame of the burst: the team is taken only when
// all are accepted. A refusal of any shows its error and keeps the team on
// the screen; the answers still owed, late or never coming, belong to no
// later exchange: the team sent again is taken on its own three answers.
TEST_F(EditScreens, ARelayTeamIsTakenOnlyWhenEveryFrameIsAccepted) {
  const std::pair<std::vector<const char*>, const char*> cases[] = {
      {{"CE   805", "CR", "CR"}, "タイムNo.指定ミスエラーです"},
      {{"CR", "CE   804", "CR"}, "タイムデータが範囲外です"},  // the total
      {{"CR", "CR", "CE   830"}, "コマンド指定エラーです"},    // the end of the burst
      {{"CE   805"}, "タイムNo.指定ミスエラーです"},          // and nothing more
      {{"CR", "CR", "CR"}, nullptr}};
  Open(6, 1);
  for (const auto& [replies, error] : cases) {
    SCOPED_TRACE(std::to_string(replies.size()) + (error ? error : ""));
    ReadTeam({"0010000000"}, "0010000000");
    Press({Keys::Enter, Keys::Enter, Keys::Enter});
    EXPECT_EQ(Sent(), std::vector<std::string>({Body("CM4B10070010000"), Body("CM4S10070010000"), Body("CF")}));
    auto reply = replies.begin();
    while (reply != replies.end() && f.KeyMode == Mode::Busy) Reply(*reply++);
    if (!error) {
      EXPECT_TRUE(!f.lblError.visible && f.EditStep == EditStage::Block);
      continue;
    }
    EXPECT_EQ(f.lblError.caption, std::string("エラー：") + error + "（[Esc]：解除）");
    EXPECT_TRUE(f.EditStep == EditStage::RelayConfirm && f.lblRelayTime[kTeamTotalRow].caption == "00:10:00.0   ");
    if (replies.size() < 3) tt.fakes.clock.monotonic += 1000;  // a second's silence: no more will come
    Press({Keys::Esc, Keys::Enter});  // the team sent again
    EXPECT_EQ(Sent().size(), 3u);
    while (reply != replies.end()) Reply(*reply++);
    for (int accepted = 0; accepted < 2; ++accepted) Reply("CR");
    EXPECT_EQ(f.KeyMode, Mode::Busy);
    Reply("CR");
    EXPECT_EQ(f.EditStep, EditStage::Block);
  }
}

TEST_F(EditScreens, TenLegsAtMostAndAHundredHoursAtMost) {
  Open(6, 1);
  ReadTeam({"2359590000", "2359590000", "2359590000", "2359590000", "0000000000", "0000010000",
            "0000010000", "0000010000", "0000010000"}, "9559560000");
  for (int i = 0; i < 4; ++i) Press(Keys::Down);
  Submit("40004");
  EXPECT_TRUE(f.lblError.caption == "エラー：スプリットがオーバーします（[Esc]：解除）" &&
              f.lblRelayTime[4].caption == "00:00:00.0000");
  Press(Keys::Esc);
  EXPECT_EQ(f.InputLabel, &f.lblRelayInp[4]);
  Submit("35955");
  EXPECT_EQ(f.lblRelayTime[kTeamTotalRow].caption, "99:59:55.0   ");
  for (int i = 0; i < 4; ++i) Press(Keys::Down);
  EXPECT_EQ(f.EditStep, LegStage(9));
  Press(Keys::Insert);
  EXPECT_TRUE(f.EditRow == 10 && f.lblRelayTime[9].caption == "00:00:00.0  ");
  Press(Keys::Insert);
  EXPECT_EQ(f.EditRow, 10);
}

}  // namespace
}  // namespace rx
