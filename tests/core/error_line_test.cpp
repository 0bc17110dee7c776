// The error line: its text, what it stops, and clearing it.
#include "link/error_line.h"

#include <gtest/gtest.h>

#include "shell/input.h"
#include "support/fake_platform.h"

namespace rx {
namespace {

TEST(ShowError, StopsTheExchangeAndTheInputAndBeepsAndZeroClears) {
  testing::TestTerminal tt;
  Form& f = tt.form();
  f.ExpectReply = ReplyFamily::IntoFile;
  BeginInput(f, f.lblBlk, 2, 0);
  ShowError(tt.terminal, 406);
  EXPECT_EQ(f.lblError.caption, "エラー：バッファオーバーです（[Esc]：解除）");
  EXPECT_TRUE(f.lblError.visible);
  EXPECT_EQ(f.lblGuide.caption, "");
  EXPECT_EQ(f.KeyMode, Mode::ErrorShown);
  EXPECT_EQ(f.ExpectReply, ReplyFamily::None);
  EXPECT_FALSE(f.InputActive);
  EXPECT_EQ(tt.fakes.beeper.beeps, 1);
  // Numbers sharing a text, and one the table does not know.
  const std::pair<int, std::string> texts[] = {
      {151, "コース内にすでにあります"}, {408, "ブロック０は使用できません"},
      {501, "コース内メモリに指定データがありません"}, {804, "タイムデータが範囲外です"},
      {831, "メモリNo.がありません"}, {1009, "送信できません"}, {999, "999"}};
  for (const auto& [number, text] : texts) {
    ShowError(tt.terminal, number);
    EXPECT_EQ(f.lblError.caption, "エラー：" + text + "（[Esc]：解除）");
  }
  f.SendRecovery = Recovery::Ask;  // a file send offers its recovery keys instead
  ShowError(tt.terminal, 804);
  EXPECT_EQ(f.lblError.caption, "エラー：タイムデータが範囲外です");
  EXPECT_EQ(f.lblGuide.caption, "※回復処理選択（[Esc]:継続、[Clear]:エラー無視継続、[Enter]:中断）");
  f.KeyMode = Mode::Busy;  // zero or less clears, even what was not shown
  f.lblGuide.visible = false;
  ShowError(tt.terminal, -1);
  EXPECT_EQ(f.KeyMode, Mode::Normal);
  EXPECT_TRUE(f.lblGuide.visible);
  EXPECT_FALSE(f.lblError.visible);
  EXPECT_EQ(tt.fakes.beeper.beeps, 9);  // one for each error shown above
}

}  // namespace
}  // namespace rx
