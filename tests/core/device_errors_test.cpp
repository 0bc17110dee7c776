// The device's refusals as the operator meets them: each number with the text
// of its own, and a send that waits for the recovery key whatever the number.
#include "link/error_text.h"
#include "support/console_fixture.h"

namespace rx {
namespace {

// Every number with its message: a number moved to another message, or lost
// from the table, gives the operator the wrong advice or bare digits.
TEST(DeviceErrors, EveryNumberShowsItsMessage) {
  const std::pair<const char*, std::vector<int>> cases[] = {
      {"現在タイマーはアルペン・ノルディックモードです", {1}}, {"現在タイマーはリレーモードです", {2}}, {"入力タイムが範囲外です", {11}},
      {"入力日付が範囲外です", {12}}, {"コース内にすでにあります", {101, 151, 204, 304, 404, 412}},
      {"ＤＮＦ内にすでにあります", {102, 203, 303, 401}}, {"リザルトにすでにあります", {103, 104, 201, 211, 301, 403, 413}},
      {"１本目がありません", {105, 302, 502, 602}}, {"バッファオーバーです", {106, 156, 206, 216, 406, 416}},
      {"ＤＮＳ内にすでにあります", {107, 207, 305, 411}}, {"ブロックNo.に「０」を指定しました", {208, 308, 816, 826}},
      {"ブロック０は使用できません", {408, 418}}, {"コース内メモリに指定データがありません", {501, 601, 702, 902}},
      {"２本目がありません", {503, 603}}, {"指定ブロックのリザルトがすでにあります", {511}}, {"ＤＮＦメモリにありません", {604}},
      {"ＤＮＳメモリに指定データがありません", {606, 708}}, {"コース内メモリに何もデータがありません", {701, 901}},
      {"リザルトメモリに何もデータがありません", {703, 903}}, {"リザルトメモリに指定データがありません", {704, 904}},
      {"ＤＮＦメモリに何もデータがありません", {705}}, {"ＤＮＦメモリに指定データがありません", {706}}, {"ＤＮＳメモリに何もデータがありません", {707}},
      {"Bib No.数字エラーです", {800}}, {"タイムデータ数字エラーです", {801}}, {"Bib No.がありません", {802}},
      {"Bib No.が「０」です", {803}}, {"タイムデータが範囲外です", {804}}, {"タイムNo.指定ミスエラーです", {805}},
      {"Bib No.が指定されていません", {812, 822}}, {"タイムに「０」を指定しました", {813}}, {"コマンド指定エラーです", {830}},
      {"メモリNo.がありません", {831}}, {"接続機種が違います", {833}}, {"そのブロックNo.は指定できません", {888}},
      {"ケーブルが未接続です", {1001}}, {"通信できません。USBケーブルの接続を確認してください", {1002}}, {"コースNo.エラーです", {1003}},
      {"ブロック「０」は指定できません", {1004}}, {"受信できません", {1005}}, {"スプリットがオーバーします", {1006}},
      {"指定したブロックのデータがありません", {1007}}, {"データがありません", {1008}}, {"送信できません", {1009}},
      {"ファイルに書き込めません", {1010}}, {"印刷できません", {1011}}, {"3", {3}}, {"832", {832}}};
  for (const auto& [text, numbers] : cases)
    for (int number : numbers) EXPECT_EQ(ErrorText(number), text) << number;
}

// The device in the other mode refuses a relay record with number 1: a
// readable number, so the send waits for the operator's recovery key. What
// came is in the traffic list.
using DeviceRefusal = testing::ConsoleTest;

TEST_F(DeviceRefusal, NumberedOneDuringASendWaitsForTheRecoveryKeyAndIsListed) {
  f.DebugMode = true;
  File("YN241433.C08", {"10070010000000", "10080010000000"});
  Press({8, Keys::Enter, 1, Keys::Enter, Keys::Enter, Keys::Enter});
  Sent();
  Reply("CE   001");
  EXPECT_EQ(f.lblError.caption, "エラー：現在タイマーはアルペン・ノルディックモードです");
  EXPECT_EQ(f.SendRecovery, Recovery::Ask);
  EXPECT_EQ(f.lstDebug.items.back(), "← " + testing::Frame("CE   001"));
  Press(Keys::Esc);  // go on with the next team
  EXPECT_EQ(Sent(), std::vector<std::string>({"CL4S10080010000000  "}));
}

}  // namespace
}  // namespace rx
