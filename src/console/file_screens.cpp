#include "console/file_screens.h"

#include "shell/guide_texts.h"
#include "shell/input.h"
#include "console/navigation.h"
#include "console/read_screens.h"
#include "console/row_selection.h"
#include "console/menu_selection.h"
#include "data/file_list.h"
#include "data/file_names.h"
#include "data/hunter_start.h"
#include "data/time_values.h"
#include "link/error_line.h"
#include "link/edit_commands.h"
#include "link/file_send.h"
#include "link/queue_load.h"
#include "link/paper_output.h"
#include "link/text_output.h"
#include "shell/text_target.h"

namespace rx {

namespace {

void ShowFileSelection(Form& f, const char* caption) {
  f.fraFile.caption = caption;
  f.fraFile.visible = true;
  f.Screen = ScreenId::FileSelection;
  SelectRow(f, 0);
  f.lblCap[Keys::Left].caption = "←";
  f.lblCap[Keys::Right].caption = "→";
  f.lblGuide.caption = guide::kFileSelection;
}

const std::string& SelectedName(const Form& f) { return f.lblFileList[f.FileSel].caption; }

// The send confirmation with what it will do.
void ShowSendConfirmation(Form& f, const std::string& what, ScreenId screen) {
  f.lblSendG[0].caption = what;
  f.lblSendName.caption = SelectedName(f);
  for (int i : {2, 3, 4}) f.lblSendG[i].visible = false;
  f.fraSend.visible = true;
  f.Screen = screen;
  ShowConfirmGuide(f, 0);
}

// A send to the device: its busy guide, and the send menu again at its end.
class FileSendEvents : public ExchangeEvents {
 public:
  void Started(Terminal& t) override { t.form.lblGuide.caption = guide::kBusySend; }
  void Done(Terminal& t) override { ShowFunctionMenu(t, ScreenId::SendRange, 1); }
};

// A finished serial output leaves its screen (a stopped one already has).
class SerialOutputEvents : public ExchangeEvents {
 public:
  void Done(Terminal& t) override {
    if (t.form.Screen == ScreenId::SerialSendRange) GoBack(t);
  }
};

void AskForBlock(Form& f) {
  f.Screen = ScreenId::BlockEntry;
  f.lblGuide.caption = guide::kBlockEntry;
  f.lblBlk.caption = "";
  BeginInput(f, f.lblBlk, 2, 0);
}

void OpenHunterEntry(Form& f) {
  f.fraFile.visible = false;
  f.lblHuntG[3].caption = SelectedName(f);
  f.lblHuntG[1].caption = "スタート日時";
  f.lblDateTime.caption = "";
  f.lblDateTime.visible = true;
  f.lblHuntG[2].visible = true;
  f.lblHuntG[4].visible = false;
  BeginInput(f, f.lblDateTime, 8, 0);
  f.fraHunter.visible = true;
  f.Screen = ScreenId::HunterStart;
  f.lblCap[Keys::Left].caption = "";
  f.lblCap[Keys::Right].caption = "";
  f.lblGuide.caption = guide::kHunterStart;
}

}  // namespace

void FileMenuEnter(Terminal& t) {
  Form& f = t.form;
  ListDataFiles(t, 0);
  if (f.FuncItem == 6) {
    ShowFileSelection(f, "削除ファイル選択");
  } else if (f.FuncItem == 7) {
    f.fraFile.caption = "ファイル一覧";
    f.fraFile.visible = true;
    f.Screen = ScreenId::FileList;
    f.lblGuide.caption = guide::kFileList;
  }
  f.fraMenu[3].visible = false;
}

void SendRangeEnter(Terminal& t) {
  Form& f = t.form;
  ListDataFiles(t, f.FuncCode == Scope::AllBlocks ? 1 : 2);
  ShowFileSelection(f, "ファイル選択");
}

void OpenSerialSendSelection(Terminal& t) {
  Form& f = t.form;
  f.fraMenu[1].visible = false;
  ListDataFiles(t, 0);
  ShowFileSelection(f, "シリアル送信");
}

void OpenHunterSelection(Terminal& t) {
  Form& f = t.form;
  ListDataFiles(t, 3);
  f.fraMenu[1].visible = false;
  f.lblDateTime.visible = true;
  f.lblHuntG[3].caption = "";
  f.lblHuntG[4].caption = "";
  ShowFileSelection(f, "ハンタースタート");
}

void FileSelectionEnter(Terminal& t) {
  Form& f = t.form;
  if (f.FileCount < 1 || f.FileSel < 0 || f.FileSel >= f.FileListMax) return;
  switch (f.MenuItem) {
    case 7:
      f.Screen = ScreenId::FileMenu;
      ShowConfirmGuide(f, 1);
      break;
    case 8:
      if (f.FuncCode == Scope::AllBlocks) {
        f.fraFile.visible = false;
        ShowSendConfirmation(f, "ＲＸ－７１０に送信します", ScreenId::SendRange);
      } else {
        AskForBlock(f);
      }
      break;
    case 11:
      OpenHunterEntry(f);
      break;
    case 12:
      ShowFunctionMenu(t, ScreenId::SerialSendRange, 1);
      break;
    default:
      break;
  }
}

void SerialRangeEnter(Terminal& t) {
  Form& f = t.form;
  if (f.FuncCode == Scope::OneBlock)
    AskForBlock(f);
  else if (f.FuncCode == Scope::AllBlocks)
    ShowSendConfirmation(f, "シリアル送信を実行します", ScreenId::SerialSendRange);
}

void SendBlockEnter(Terminal& t) {
  Form& f = t.form;
  int block = TypedBlockNumber(f);
  if (block < 0 || block > kLastBlock) return;
  EndInput(f);
  const std::string typed = f.lblBlk.caption;
  if (f.MenuItem == 8) {
    f.fraFile.visible = false;
    ShowSendConfirmation(f, "ＲＸ－７１０のブロックNo." + typed + " に送信します", ScreenId::SendRange);
  } else if (f.MenuItem == 12) {
    ShowSendConfirmation(f, "ブロックNo." + typed + " のデータを送信します", ScreenId::SerialSendRange);
  }
}

void HunterDateEnter(Terminal& t) {
  Form& f = t.form;
  std::string typed = "0" + f.lblDateTime.caption;
  // A one-digit month may be typed without its zero.
  std::string s = typed.size() > 8 ? typed.substr(typed.size() - 8) : typed;
  if (!IsValidDate(kLeapYear + s.substr(0, 4))) return ShowError(t, Errors::InvalidDate);
  if (!IsValidClock(s.substr(4) + "00")) return ShowError(t, Errors::InvalidTime);
  int month = ParseDigits(s.substr(0, 2));
  char year[4];
  std::snprintf(year, sizeof year, "%02d", t.platform.clock.Now().year % 100);
  f.lblHuntG[1].caption = "作成ファイル名称";
  f.lblHuntG[4].caption = std::string("C") + kMonthLetters[month - 1] + s.substr(2, 6) + ".C" + year;
  f.lblHuntG[4].visible = true;
  f.lblDateTime.visible = false;
  f.lblHuntG[2].visible = false;
  EndInput(f);
  f.fraHunter2.visible = true;
  ShowConfirmGuide(f, 0);
}

void ExecuteSend(Terminal& t) {
  // Busy while a large file is read in; Esc then goes back as on the prompt.
  t.form.KeyMode = Mode::Busy;
  StartQueueLoad(t, false, [](Terminal& t) {
    Form& f = t.form;
    f.KeyMode = Mode::Normal;
    if (f.RecordCount < 1) return ShowError(t, Errors::NoData);
    f.RecordIndex = 0;
    static FileSendEvents events;
    SendEditCommand(t, ReplyFamily::Load, events);
  });
}

void ExecuteHunterStart(Terminal& t) {
  Form& f = t.form;
  std::string typed = "0" + f.lblDateTime.caption;
  std::string hourMinute = typed.substr(typed.size() - 4);
  int error = RunHunterStart(t, f.lblHuntG[3].caption, f.lblHuntG[4].caption, hourMinute);
  f.KeyMode = Mode::Normal;
  f.fraHunter.visible = false;
  f.fraHunter2.visible = false;
  SelectMenuItem(f, -1);
  if (error != 0) ShowError(t, error);  // no silent success
}

void ExecuteSerialSend(Terminal& t) {
  t.form.KeyMode = Mode::Busy;
  StartQueueLoad(t, true, [](Terminal& t) {
    Form& f = t.form;
    f.KeyMode = Mode::Normal;
    if (f.RecordCount < 1) return ShowError(t, Errors::NoData);
    f.lblGuide.caption = guide::kBusySerial;
    f.RecordIndex = 0;
    f.KeyMode = Mode::Busy;
    static SerialOutputEvents events;
    TextTarget target = ReadTextTarget(t);
    if (target.kind == TextTarget::Kind::Serial)
      SerialTextOutput(t, events);
    else
      PaperTextOutput(t, events, target);
  });
}

void CancelSend(Terminal& t) { BackToRangeMenu(t.form, t.form.fraSend); }

void CancelHunterStart(Terminal& t) {
  Form& f = t.form;
  f.fraHunter.visible = false;
  f.fraHunter2.visible = false;
  SelectMenuItem(f, -1);
}

void ResumeHunterStart(Terminal& t) {
  t.form.fraHunter.visible = false;
  SelectMenuItem(t.form, -1);
}

void CancelDeletion(Terminal& t) {
  Form& f = t.form;
  f.Screen = ScreenId::FileSelection;
  f.lblCap[Keys::Left].caption = "←";
  f.lblCap[Keys::Right].caption = "→";
  f.lblGuide.caption = guide::kFileSelection;
}

void DeleteSelectedFile(Terminal& t) {
  Form& f = t.form;
  f.KeyMode = Mode::Normal;
  std::error_code failure;
  if (f.FileSel >= 0 && f.FileSel < kFileCells && !f.lblFileList[f.FileSel].caption.empty())
    std::filesystem::remove(t.dataDirectory / f.lblFileList[f.FileSel].caption, failure);
  FileMenuEnter(t);  // the list is built again
  // A file that stays (read-only directory, a directory of that name) is no
  // silent success; one that is gone already is.
  if (failure) ShowError(t, Errors::CannotWriteFile);
}

}  // namespace rx
