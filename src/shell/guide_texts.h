// Guide-line texts the console shows. Exact texts: full-width characters and
// blanks matter.
#pragma once

namespace rx::guide {

// Menu pages as drawn at start, before the first redisplay (full-width colon after [Esc]).
inline constexpr const char* kMenuAtStart =
    "※テンキーまたは↑↓で選択して[Enter] （[Esc]：終了、[Clear]：次頁）";
// Menu pages as redisplayed.
inline constexpr const char* kMenu = "※テンキーまたは↑↓で選択して[Enter] （[Esc]:終了、[Clear]：次頁）";
// Function and range menus.
inline constexpr const char* kSub = "※テンキーまたは↑↓で選択して[Enter] （[Esc]:戻り）";
inline constexpr const char* kFileSelection = "※↑↓←→で選択して[Enter]キー（[Esc]:戻り）";
inline constexpr const char* kFileList = "※ファイル名称の一覧です（[Esc]:戻り）";
inline constexpr const char* kConfirmExecute = "※キーを押してください（[Enter]:実行、[Esc]:戻り）";
inline constexpr const char* kConfirmDelete =
    "※削除してもよろしいですか？（[Delete]:実行、[Esc]:キャンセル）";
inline constexpr const char* kCalcEntry = "※タイムを入力します（[Esc]:戻り）";
inline constexpr const char* kCalcResultFromInput =
    "※タイムを確認してください（[Enter]:取込、[Esc]:戻り、[Clear]：再入力）";
inline constexpr const char* kCalcResultFromMenu =
    "※タイムを確認してください（[Esc]:戻り、[Clear]：再入力）";
inline constexpr const char* kAbortQuestion = "※送信を中断しますか？（[Enter]:中断、[Esc]:継続）";
inline constexpr const char* kBusySend = "※[Esc]:ＲＸ－７１０送信中断";
inline constexpr const char* kBusyRead = "※[Esc]:読込中断";
inline constexpr const char* kBusySerial = "※[Esc]:シリアル送信中断";
inline constexpr const char* kBlockEntry = "※ブロックNo.を入力します （[Esc]:戻り）";
inline constexpr const char* kSettings =
    "※↑↓で設定項目を選択して←→で設定（[Enter]:更新戻り、[Esc]:取消戻り）";
inline constexpr const char* kHunterStart = "※スタート日付を入力します（[Esc]:戻り）";
// Edit screens.
inline constexpr const char* kEditConfirm = "※キーを押してください （[Enter]:実行、[Esc]:キャンセル）";
inline constexpr const char* kEditNewTime = "※修正タイムを入力します （[Esc]:戻り）";
inline constexpr const char* kEditDualAdd =
    "※コースNo. ブロックNo. Bib No. 追加タイムを入力します （[Esc]:戻り）";
inline constexpr const char* kEditRecordAdd = "※ブロックNo. Bib No. 追加タイムを入力します （[Esc]:戻り）";
inline constexpr const char* kEditRecordKey = "※ブロックNo. Bib No.を入力します （[Esc]:戻り）";
inline constexpr const char* kEditBlockAdd = "※ブロックNo. 追加タイムを入力します （[Esc]:戻り）";
inline constexpr const char* kEditBlockKey = "※ブロックNo.を入力します （[Esc]:戻り）";
inline constexpr const char* kRelayTeam = "※ブロックNo., Bib No.を入力します （[Esc]:戻り）";
inline constexpr const char* kRelayLeg =
    "※修正タイムを入力します （[Esc]:戻り、[Insert]:追加、[Delete]:削除）";
inline constexpr const char* kRecovery = "※回復処理選択（[Esc]:継続、[Clear]:エラー無視継続、[Enter]:中断）";

}  // namespace rx::guide
