#include "shell/form.h"

#include "shell/guide_texts.h"
#include "data/memories.h"

#include "shell/highlight.h"

namespace rx {

namespace {

std::string Indexed(const std::string& name, int index) {
  return name + "(" + std::to_string(index) + ")";
}

void Place(Control& c, int left, int top, int width, int height) {
  c.left = left;
  c.top = top;
  c.width = width;
  c.height = height;
}

// An input field: white, framed, the text the operator types.
void MakeInput(Control& c) {
  c.back = kWhite;
  c.border = true;
}

constexpr int kLabelHeight = 375;

}  // namespace

Form::Form() {
  RegisterControls();
  SetDesignValues();
}

void Form::Register(Control& control, const std::string& name, ControlKind kind,
                    Control* parent) {
  control.name = name;
  control.kind = kind;
  control.parent = parent;
  all_.push_back(&control);
}

void Form::RegisterControls() {
  using K = ControlKind;
  for (int i = 0; i < 5; ++i) Register(fraMenu[i], Indexed("fraMenu", i), K::Frame, nullptr);
  for (int i = 1; i <= 13; ++i)
    Register(lblMenu[i], Indexed("lblMenu", i), K::Label, &fraMenu[i <= 9 ? 0 : 1]);
  for (int i : {0, 1, 2}) Register(Label1[i], Indexed("Label1", i), K::Label, &fraMenu[0]);
  Register(Label1[4], Indexed("Label1", 4), K::Label, &fraMenu[3]);
  for (int i = 1; i <= 9; ++i) {
    Control* parent = i <= 5 ? &fraMenu[2] : i <= 7 ? &fraMenu[3] : &fraMenu[4];
    Register(lblFunc[i], Indexed("lblFunc", i), K::Label, parent);
  }
  Register(lblFuncT, "lblFuncT", K::Label, &fraMenu[2]);
  Register(lblYomiT, "lblYomiT", K::Label, &fraMenu[4]);
  Register(lblEditG[5], Indexed("lblEditG", 5), K::Label, &fraMenu[4]);
  Register(lblBlk, "lblBlk", K::Label, &fraMenu[4]);

  for (int i = 0; i < 2; ++i) Register(fraEdit[i], Indexed("fraEdit", i), K::Frame, nullptr);
  Register(lblEditT[0], Indexed("lblEditT", 0), K::Label, &fraEdit[0]);
  for (int i = 0; i <= 4; ++i) Register(lblEditG[i], Indexed("lblEditG", i), K::Label, &fraEdit[0]);
  for (int i = 0; i <= 5; ++i)
    Register(lblEditInp[i], Indexed("lblEditInp", i), K::Label, &fraEdit[0]);
  Register(lblEditT[1], Indexed("lblEditT", 1), K::Label, &fraEdit[1]);
  for (int i = 0; i < 2; ++i) Register(lblEditR[i], Indexed("lblEditR", i), K::Label, &fraEdit[1]);
  for (int i = 0; i < 13; ++i)
    Register(lblRelayG[i], Indexed("lblRelayG", i), K::Label, &fraEdit[1]);
  for (int i = 0; i < 11; ++i) {
    Register(lblRelayTime[i], Indexed("lblRelayTime", i), K::Label, &fraEdit[1]);
    Register(lblRelayInp[i], Indexed("lblRelayInp", i), K::Label, &fraEdit[1]);
  }

  Register(fraFile, "fraFile", K::Frame, nullptr);
  Register(lblFileG, "lblFileG", K::Label, &fraFile);
  for (int i = 0; i < kFileCells; ++i)
    Register(lblFileList[i], Indexed("lblFileList", i), K::Label, &fraFile);

  Register(fraYomikomi, "fraYomikomi", K::Frame, nullptr);
  for (int i = 0; i < 4; ++i)
    Register(lblYomiG[i], Indexed("lblYomiG", i), K::Label, &fraYomikomi);
  Register(lblFileName, "lblFileName", K::Label, &fraYomikomi);

  Register(fraSend, "fraSend", K::Frame, nullptr);
  for (int i = 0; i < 5; ++i) Register(lblSendG[i], Indexed("lblSendG", i), K::Label, &fraSend);
  Register(lblSendName, "lblSendName", K::Label, &fraSend);

  Register(fraHunter, "fraHunter", K::Frame, nullptr);
  for (int i = 0; i < 5; ++i)
    Register(lblHuntG[i], Indexed("lblHuntG", i), K::Label, &fraHunter);
  Register(lblDateTime, "lblDateTime", K::Label, &fraHunter);
  Register(fraHunter2, "fraHunter2", K::Frame, nullptr);
  for (int i : {5, 4}) Register(lblYomiG[i], Indexed("lblYomiG", i), K::Label, &fraHunter2);

  Register(fraSettings, "fraSettings", K::Frame, nullptr);
  for (int i = 0; i < 2; ++i) Register(lblSetG[i], Indexed("lblSetG", i), K::Label, &fraSettings);
  for (int i = 0; i < 4; ++i)
    Register(lblOnOff[i], Indexed("lblOnOff", i), K::Label, &fraSettings);

  Register(fraDate, "fraDate", K::Frame, nullptr);
  for (int i = 0; i < 4; ++i) Register(lblDateG[i], Indexed("lblDateG", i), K::Label, &fraDate);
  for (int i = 0; i < 2; ++i) Register(lblDate[i], Indexed("lblDate", i), K::Label, &fraDate);

  Register(fraCalc, "fraCalc", K::Frame, nullptr);
  for (int i = 0; i < 3; ++i) {
    Register(lblCalcG[i], Indexed("lblCalcG", i), K::Label, &fraCalc);
    Register(lblCalc[i], Indexed("lblCalc", i), K::Label, &fraCalc);
  }

  Register(fraKey, "fraKey", K::Frame, nullptr);
  for (int i = 0; i < Keys::Count; ++i) Register(lblKey[i], Indexed("lblKey", i), K::Label, &fraKey);
  for (int i = 0; i < Keys::Count; ++i) Register(lblCap[i], Indexed("lblCap", i), K::Label, &fraKey);

  Register(lblGuide, "lblGuide", K::Label, nullptr);
  Register(lblError, "lblError", K::Label, nullptr);
  for (int i = 0; i < 2; ++i) Register(lblStatus[i], Indexed("lblStatus", i), K::Label, nullptr);
  Register(lstDebug, "lstDebug", K::List, nullptr);
}

void Form::SetDesignValues() {
  designWidth = 15360;
  designHeight = 11040;

  // Every frame but the main menu page and the keypad starts hidden.
  for (Control* c : all_)
    if (c->kind == ControlKind::Frame) c->visible = false;

  // ---- menu pages ----
  const char* menuCaptions[5] = {"メインメニュー", "サブメニュー", "アルペン・ノルディック", "共通",
                                 "アルペン・ノルディック"};
  for (int i = 0; i < 5; ++i) fraMenu[i].caption = menuCaptions[i];
  Place(fraMenu[0], 480, 240, 5775, 5775);
  fraMenu[0].visible = true;
  Place(fraMenu[1], 480, 240, 5775, 2775);
  Place(fraMenu[2], 480, 240, 5775, 2775);
  Place(fraMenu[3], 480, 240, 5775, 2055);
  Place(fraMenu[4], 480, 240, 7095, 2055);

  // Items 1-6 are the memories' own labels.
  const char* mainItems[14] = {"", "", "", "", "", "", "",
                               "　７ ファイル操作",
                               "　８ ＲＸ－７１０送信",
                               "　９ ベスト出力",
                               "　１ 動作設定",
                               "　２ ハンタースタート",
                               "　３ シリアル送信",
                               "　４ 日付・時刻設定"};
  // Main page: a heading before items 1, 5 and 7, one row each.
  const int mainRow[10] = {0, 1, 2, 3, 4, 6, 7, 9, 10, 11};
  for (int i = 1; i <= 9; ++i) Place(lblMenu[i], 480, 400 + mainRow[i] * 445, 5040, kLabelHeight);
  for (int i = 10; i <= 13; ++i) Place(lblMenu[i], 240, 480 + (i - 10) * 540, 5280, kLabelHeight);
  for (int i = 1; i <= 13; ++i) {
    const MemoryRow* memory = RowOf(MenuItemAt(i));
    lblMenu[i].caption = memory ? memory->label : mainItems[i];
    Paint(lblMenu[i], Shade::Plain);
  }
  Paint(lblMenu[1], Shade::Selected);

  const char* headings[3] = {"アルペン・ノルディック", "リレー", "共通"};
  const int headingRow[3] = {0, 5, 8};
  for (int i = 0; i < 3; ++i) {
    Label1[i].caption = headings[i];
    Place(Label1[i], 240, 400 + headingRow[i] * 445, 5280, kLabelHeight);
  }
  Label1[4].caption = "ファイル操作";
  Place(Label1[4], 240, 360, 5280, kLabelHeight);

  const char* funcItems[10] = {"",
                               "　１ 修　正",
                               "　２ 追　加",
                               "　３ 削　除",
                               "　４ 読　込",
                               "　５ デュアル追加　",
                               "　１ 削　除",
                               "　２ 一　覧",
                               " １ 全ブロック",
                               " ２ ブロック指定"};
  for (int i = 1; i <= 9; ++i) {
    lblFunc[i].caption = funcItems[i];
    Paint(lblFunc[i], Shade::Plain);
  }
  for (int i = 1; i <= 5; ++i) Place(lblFunc[i], 240, 840 + (i - 1) * 420, 5280, kLabelHeight);
  lblFunc[5].visible = false;
  lblFunc[5].enabled = false;
  Place(lblFunc[6], 240, 900, 5280, kLabelHeight);
  Place(lblFunc[7], 240, 1440, 5280, kLabelHeight);
  Place(lblFunc[8], 240, 900, 2760, kLabelHeight);
  Place(lblFunc[9], 240, 1440, 2760, kLabelHeight);
  for (int i : {1, 6, 8}) Paint(lblFunc[i], Shade::Selected);

  Place(lblFuncT, 240, 360, 5280, kLabelHeight);
  Place(lblYomiT, 240, 360, 6600, kLabelHeight);
  lblEditG[5].caption = "ブロックNo.";
  Place(lblEditG[5], 3240, 1440, 1800, kLabelHeight);
  Place(lblBlk, 5160, 1440, 960, kLabelHeight);
  MakeInput(lblBlk);

  // ---- edit screens ----
  fraEdit[0].caption = "アルペン・ノルディック";
  fraEdit[1].caption = "リレー";
  Place(fraEdit[0], 480, 240, 5775, 3975);
  Place(fraEdit[1], 480, 240, 6060, 5895);
  Place(lblEditT[0], 240, 360, 5280, kLabelHeight);
  const char* editCaptions[5] = {"コースNo.", "ブロックNo.", "Bib No.", "RX-710 TIME", "修正   TIME"};
  for (int i = 0; i <= 5; ++i) {
    if (i <= 4) {
      lblEditG[i].caption = editCaptions[i];
      Place(lblEditG[i], 240, 840 + i * 480, 2280, kLabelHeight);
    }
    Place(lblEditInp[i], 2640, 840 + i * 480, 2880, kLabelHeight);
    MakeInput(lblEditInp[i]);
  }
  lblEditInp[3].back = kButtonFace;
  lblEditInp[5].back = kButtonFace;

  lblEditT[1].caption = "リザルト修正";
  Place(lblEditT[1], 240, 360, 5580, kLabelHeight);
  lblRelayG[0].caption = "ブロックNo.";
  Place(lblRelayG[0], 240, 780, 1740, kLabelHeight);
  Place(lblEditR[0], 2040, 780, 720, kLabelHeight);
  lblRelayG[1].caption = "Bib No.";
  Place(lblRelayG[1], 3000, 780, 1200, kLabelHeight);
  Place(lblEditR[1], 4320, 780, 960, kLabelHeight);
  for (auto& r : lblEditR) MakeInput(r);
  const char* runners[9] = {"１", "２", "３", "４", "５", "６", "７", "８", "９"};
  for (int k = 0; k <= 10; ++k) {
    int top = 1260 + k * 390;
    Control& legName = lblRelayG[k + 2];
    legName.caption = k < 9 ? std::string("第 ") + runners[k] + "走者" : k == 9 ? "第10走者" : "スプリット";
    Place(legName, 240, top, 1620, kLabelHeight);
    Place(lblRelayTime[k], 1890, top, 2130, kLabelHeight);
    Place(lblRelayInp[k], 4080, top, 1800, kLabelHeight);
    MakeInput(lblRelayInp[k]);
  }

  // ---- file list ----
  fraFile.caption = "ファイル選択";
  Place(fraFile, 480, 240, 7095, 6975);
  Place(lblFileG, 240, 420, 6600, kLabelHeight);
  for (int i = 0; i < kFileCells; ++i) {
    Place(lblFileList[i], 240 + (i % 3) * 2280, 840 + (i / 3) * 345, 2160, 330);
    lblFileList[i].visible = false;
  }

  // ---- confirmation frames ----
  fraYomikomi.caption = "実行確認";
  Place(fraYomikomi, 480, 240, 7095, 2655);
  Place(lblYomiG[0], 240, 420, 6600, kLabelHeight);
  lblYomiG[1].caption = "ファイルに書き込みます";
  Place(lblYomiG[1], 240, 900, 6600, kLabelHeight);
  lblYomiG[2].caption = "書込ファイル名称";
  Place(lblYomiG[2], 240, 1440, 2760, kLabelHeight);
  Place(lblFileName, 3120, 1440, 2880, kLabelHeight);
  Place(lblYomiG[3], 240, 1980, 2400, kLabelHeight);
  lblYomiG[3].visible = false;

  fraSend.caption = "実行確認";
  Place(fraSend, 480, 240, 7095, 2655);
  Place(lblSendG[0], 240, 420, 6600, kLabelHeight);
  lblSendG[1].caption = "送信ファイル名称";
  Place(lblSendG[1], 240, 900, 2760, kLabelHeight);
  Place(lblSendName, 3120, 900, 2880, kLabelHeight);
  lblSendG[2].caption = "残り";
  Place(lblSendG[2], 240, 1440, 960, kLabelHeight);
  lblSendG[4].caption = "件";
  Place(lblSendG[4], 1320, 1440, 1800, kLabelHeight);
  Place(lblSendG[3], 240, 1980, 6600, kLabelHeight);

  // ---- hunter start ----
  fraHunter.caption = "ハンタースタート";
  Place(fraHunter, 480, 240, 6135, 2175);
  lblHuntG[0].caption = "選択ファイル名称";
  Place(lblHuntG[0], 240, 480, 2640, kLabelHeight);
  Place(lblHuntG[3], 3000, 480, 2880, kLabelHeight);
  lblHuntG[1].caption = "スタート日時";
  Place(lblHuntG[1], 240, 1200, 2640, kLabelHeight);
  Place(lblDateTime, 3000, 1200, 1560, kLabelHeight);
  MakeInput(lblDateTime);
  lblHuntG[2].caption = "(MMDDHHMM)";
  Place(lblHuntG[2], 4680, 1200, 1320, kLabelHeight);
  Place(lblHuntG[4], 3000, 1200, 2880, kLabelHeight);
  fraHunter2.caption = "実行確認";
  Place(fraHunter2, 480, 240, 6135, 1455);
  lblYomiG[5].caption = "ハンタースタートデータファイルを";
  Place(lblYomiG[5], 240, 420, 5640, kLabelHeight);
  lblYomiG[4].caption = "作成します";
  Place(lblYomiG[4], 240, 900, 5640, kLabelHeight);

  // ---- operation settings ----
  fraSettings.caption = "動作設定";
  Place(fraSettings, 480, 240, 5775, 2775);
  lblSetG[0].caption = " ベスト出力フレーム";
  Place(lblSetG[0], 480, 480, 4800, kLabelHeight);
  lblSetG[1].caption = " 印字フレーム";
  Place(lblSetG[1], 480, 1680, 4800, kLabelHeight);
  for (auto& row : lblSetG) Paint(row, Shade::Plain);
  const int onOffLeft[4] = {960, 2400, 960, 2400};
  const int onOffTop[4] = {960, 960, 2160, 2160};
  for (int i = 0; i < 4; ++i) {
    lblOnOff[i].caption = i % 2 == 0 ? "ON" : "OFF";
    Place(lblOnOff[i], onOffLeft[i], onOffTop[i], 1200, kLabelHeight);
    lblOnOff[i].align = Align::Center;
    Paint(lblOnOff[i], Shade::Plain);
  }

  // ---- date and time (laid out, never shown) ----
  fraDate.caption = "日付・時刻の設定";
  Place(fraDate, 480, 240, 5775, 2535);
  const char* dateCaptions[4] = {"日付", "時刻", "(YYYYMMDD)", "(HHMMSS)"};
  for (int i = 0; i < 4; ++i) {
    lblDateG[i].caption = dateCaptions[i];
    Place(lblDateG[i], i < 2 ? 240 : 3600, 480 + (i % 2) * 720, i < 2 ? 1320 : 1920, kLabelHeight);
  }
  for (int i = 0; i < 2; ++i) {
    Place(lblDate[i], 1680, 480 + i * 720, 1800, kLabelHeight);
    MakeInput(lblDate[i]);
  }

  // ---- time calculator ----
  fraCalc.caption = "タイム計算";
  Place(fraCalc, 480, 240, 5775, 2175);
  const char* calcCaptions[3] = {"スタートタイム", "フィニッシュタイム", "ネットタイム"};
  for (int i = 0; i < 3; ++i) {
    lblCalcG[i].caption = calcCaptions[i];
    Place(lblCalcG[i], 240, 420 + i * 540, 2880, kLabelHeight);
    Place(lblCalc[i], 3240, 420 + i * 540, 2280, kLabelHeight);
    MakeInput(lblCalc[i]);
  }

  // ---- keypad: 4 columns, 5 rows ----
  fraKey.caption = "キー入力";
  Place(fraKey, 8280, 240, 6495, 6975);
  fraKey.visible = true;
  struct Cell {
    int row, column;
    const char* caption;
  };
  const Cell cells[Keys::Count] = {
      {5, 2, "０"}, {4, 1, "１"}, {4, 2, "２"}, {4, 3, "３"}, {3, 1, "４"},
      {3, 2, "５"}, {3, 3, "６"}, {2, 1, "７"}, {2, 2, "８"}, {2, 3, "９"},
      {5, 3, " ．"}, {1, 1, "Esc"}, {1, 2, "Insert"}, {1, 3, "Delete"}, {1, 4, "↑"},
      {2, 4, "↓"}, {3, 4, ""}, {4, 4, "Cal."}, {5, 1, "Clear"}, {5, 4, "Enter"}};
  const int columnLeft[5] = {0, 600, 1920, 3240, 4560};
  const int rowTop[6] = {0, 600, 1800, 3000, 4200, 5400};
  for (int i = 0; i < Keys::Count; ++i) {
    int left = columnLeft[cells[i].column], top = rowTop[cells[i].row];
    Place(lblKey[i], left, top, 1335, 1215);
    lblKey[i].border = true;
    // The caption sits just inside its cell so the cell's border stays visible.
    Place(lblCap[i], left + 30, top + 30, 1335 - 60, 1215 - 60);
    lblCap[i].caption = cells[i].caption;
    for (Control* c : {&lblKey[i], &lblCap[i]}) {
      c->back = kLightGrey;
      c->align = Align::Center;
    }
  }

  // ---- lines at the bottom ----
  lblGuide.caption = guide::kMenuAtStart;
  Place(lblGuide, 240, 7440, 11880, 315);
  Place(lblError, 240, 7785, 11880, 315);
  lblError.fore = 0xFF0000;
  lblError.visible = false;
  Place(lblStatus[0], 0, 8160, 6780, kLabelHeight);
  Place(lblStatus[1], 6720, 8160, 8580, kLabelHeight);
  for (auto& s : lblStatus) s.back = kLightGrey;
  Place(lstDebug, 240, 8640, 14535, 2160);
  lstDebug.back = kWhite;
  lstDebug.visible = false;
}

}  // namespace rx
