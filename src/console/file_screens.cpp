#include "console/file_screens.h"

#include "shell/guide_texts.h"
#include "shell/input.h"
#include "console/navigation.h"
#include "console/read_screens.h"
#include "console/row_selection.h"
#include "console/menu_selection.h"
#include "data/block_letters.h"
#include "data/file_list.h"
#include "data/file_names.h"
#include "data/hunter_start.h"
#include "data/time_values.h"
#include "link/error_line.h"
#include "link/file_send.h"
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

// The send confirmation with what it will do.
void ShowSendConfirmation(Form& f, const std::string& what, ScreenId screen) {
  f.lblSendG[SendLine::What].caption = what;
  f.SendFileName = SelectedFileName(f);
  f.lblSendName.caption = f.SendFileName;
  for (int i : {SendLine::Left, SendLine::Progress, SendLine::Count}) f.lblSendG[i].visible = false;
  f.fraSend.visible = true;
  f.Screen = screen;
  ShowConfirmGuide(f, Confirmation::Execute);
}

// The block chosen on the range menu; none for all blocks.
std::optional<char> ChosenBlock(const Form& f) {
  if (f.FuncCode != Scope::OneBlock) return std::nullopt;
  return BlockLetter(FieldText(f, f.lblBlk)).front();
}

// A send or a serial output under way: its busy guide, and how many records
// are left.
class SendScreenEvents : public ExchangeEvents {
 public:
  SendScreenEvents(const char* busyGuide, const char* countUnit)
      : busyGuide_(busyGuide), countUnit_(countUnit) {}
  void Started(Terminal& t) override {
    Form& f = t.form;
    f.lblGuide.caption = busyGuide_;
    f.lblSendG[SendLine::Left].visible = true;
    f.lblSendG[SendLine::Count].visible = true;
  }
  void Progress(Terminal& t, const SendProgress& progress) override {
    t.form.lblSendG[SendLine::Count].caption = std::to_string(progress.remaining) + countUnit_;
  }

 private:
  const char* busyGuide_;
  const char* countUnit_;
};

// A send to the device: the refused record on the progress line, and the send
// menu again at its end.
class FileSendEvents : public SendScreenEvents {
 public:
  FileSendEvents() : SendScreenEvents(guide::kBusySend, "件") {}
  void RecordRefused(Terminal& t, const SendProgress& progress) override {
    ShowSendProgress(t.form, progress.record);
  }
  void Done(Terminal& t) override { ShowFunctionMenu(t, ScreenId::SendRange); }
};

// A finished serial output leaves its screen (a stopped one already has).
class SerialOutputEvents : public SendScreenEvents {
 public:
  SerialOutputEvents() : SendScreenEvents(guide::kBusySerial, " 件") {}
  void Done(Terminal& t) override {
    if (t.form.Screen == ScreenId::SerialSendRange) GoBack(t);
  }
};

void AskForBlock(Form& f) {
  f.Screen = ScreenId::BlockEntry;
  f.lblGuide.caption = guide::kBlockEntry;
  SetField(f, f.lblBlk, "");
  BeginInput(f, f.lblBlk, kBlockDigits, 0);
}

void OpenHunterEntry(Form& f) {
  f.fraFile.visible = false;
  f.HunterSource = SelectedFileName(f);
  f.lblHuntG[HunterLine::Source].caption = f.HunterSource;
  f.lblHuntG[HunterLine::Entry].caption = "スタート日時";
  SetField(f, f.lblDateTime, "");
  f.lblDateTime.visible = true;
  f.lblHuntG[HunterLine::DateHint].visible = true;
  f.lblHuntG[HunterLine::Target].visible = false;
  BeginInput(f, f.lblDateTime, kStartDigits, 0);
  f.fraHunter.visible = true;
  f.Screen = ScreenId::HunterStart;
  f.lblCap[Keys::Left].caption = "";
  f.lblCap[Keys::Right].caption = "";
  f.lblGuide.caption = guide::kHunterStart;
}

}  // namespace

void FileMenuEnter(Terminal& t) {
  Form& f = t.form;
  ListDataFiles(t, FileListing::EveryFile);
  if (f.FuncItem == FuncItemId::DeleteFile) {
    ShowFileSelection(f, "削除ファイル選択");
  } else if (f.FuncItem == FuncItemId::ListFiles) {
    f.fraFile.caption = "ファイル一覧";
    f.fraFile.visible = true;
    f.Screen = ScreenId::FileList;
    f.lblGuide.caption = guide::kFileList;
  }
  f.fraMenu[MenuFrame::File].visible = false;
}

void SendRangeEnter(Terminal& t) {
  Form& f = t.form;
  ListDataFiles(t, f.FuncCode == Scope::AllBlocks ? FileListing::AllBlocks : FileListing::OneBlock);
  ShowFileSelection(f, "ファイル選択");
}

void OpenSerialSendSelection(Terminal& t) {
  Form& f = t.form;
  f.fraMenu[MenuFrame::Sub].visible = false;
  ListDataFiles(t, FileListing::EveryFile);
  ShowFileSelection(f, "シリアル送信");
}

void OpenHunterSelection(Terminal& t) {
  Form& f = t.form;
  ListDataFiles(t, FileListing::FirstRunResults);
  f.fraMenu[MenuFrame::Sub].visible = false;
  f.lblDateTime.visible = true;
  f.HunterSource.clear();
  f.HunterTarget.clear();
  f.lblHuntG[HunterLine::Source].caption = f.HunterSource;
  f.lblHuntG[HunterLine::Target].caption = f.HunterTarget;
  ShowFileSelection(f, "ハンタースタート");
}

void FileSelectionEnter(Terminal& t) {
  Form& f = t.form;
  if (f.FileCount < 1 || f.FileSel < 0 || f.FileSel >= f.FileListMax) return;
  switch (f.MenuItem) {
    case MenuItemId::FileOperations:
      f.Screen = ScreenId::FileMenu;
      ShowConfirmGuide(f, Confirmation::Delete);
      break;
    case MenuItemId::SendToDevice:
      if (f.FuncCode == Scope::AllBlocks) {
        f.fraFile.visible = false;
        ShowSendConfirmation(f, "ＲＸ－７１０に送信します", ScreenId::SendRange);
      } else {
        AskForBlock(f);
      }
      break;
    case MenuItemId::HunterStart:
      OpenHunterEntry(f);
      break;
    case MenuItemId::SerialSend:
      ShowFunctionMenu(t, ScreenId::SerialSendRange);
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
  const std::string typed = FieldText(f, f.lblBlk);
  if (f.MenuItem == MenuItemId::SendToDevice) {
    f.fraFile.visible = false;
    ShowSendConfirmation(f, "ＲＸ－７１０のブロックNo." + typed + " に送信します", ScreenId::SendRange);
  } else if (f.MenuItem == MenuItemId::SerialSend) {
    ShowSendConfirmation(f, "ブロックNo." + typed + " のデータを送信します", ScreenId::SerialSendRange);
  }
}

void HunterDateEnter(Terminal& t) {
  Form& f = t.form;
  std::string typed = "0" + FieldText(f, f.lblDateTime);
  // A one-digit month may be typed without its zero.
  std::string s = typed.size() > 8 ? typed.substr(typed.size() - 8) : typed;
  if (!IsValidDate(kLeapYear + s.substr(0, 4))) return ShowError(t, Errors::InvalidDate);
  if (!IsValidClock(s.substr(4) + "00")) return ShowError(t, Errors::InvalidTime);
  // The file made is named as an all-blocks course memory read at the start
  // typed, in this year.
  DateTime start = t.platform.clock.Now();
  start.month = ParseDigits(s.substr(0, 2));
  start.day = ParseDigits(s.substr(2, 2));
  start.hour = ParseDigits(s.substr(4, 2));
  start.minute = ParseDigits(s.substr(6, 2));
  f.HunterTarget = DataFileName(MenuItemId::CourseMemory, start, "C");
  f.HunterStartTime = s.substr(4);
  f.lblHuntG[HunterLine::Entry].caption = "作成ファイル名称";
  f.lblHuntG[HunterLine::Target].caption = f.HunterTarget;
  f.lblHuntG[HunterLine::Target].visible = true;
  f.lblDateTime.visible = false;
  f.lblHuntG[HunterLine::DateHint].visible = false;
  EndInput(f);
  f.fraHunter2.visible = true;
  ShowConfirmGuide(f, Confirmation::Execute);
}

void ShowSendProgress(Form& f, const FrameBody& record) {
  f.lblSendG[SendLine::Progress].visible = true;
  f.lblSendG[SendLine::Progress].caption =
      "Block:" + std::string(1, record.block) + "  ZNo:" + record.bib + "  Time:" + record.time;
}

void ExecuteSend(Terminal& t) {
  static FileSendEvents events;
  StartFileSend(t, SendRequest{t.form.SendFileName, ChosenBlock(t.form)}, events);
}

void ExecuteHunterStart(Terminal& t) {
  Form& f = t.form;
  int error = RunHunterStart(t, f.HunterSource, f.HunterTarget, f.HunterStartTime);
  f.KeyMode = Mode::Normal;
  f.fraHunter.visible = false;
  f.fraHunter2.visible = false;
  ReturnToMenuPage(f);
  if (error != 0) ShowError(t, error);  // no silent success
}

void ExecuteSerialSend(Terminal& t) {
  static SerialOutputEvents events;
  const TextOutputRequest request{t.form.SendFileName, ChosenBlock(t.form)};
  StartTextOutput(t, request, events, ReadTextTarget(t));
}

void CancelSend(Terminal& t) { BackToRangeMenu(t.form, t.form.fraSend); }

void CancelHunterStart(Terminal& t) {
  Form& f = t.form;
  f.fraHunter.visible = false;
  f.fraHunter2.visible = false;
  ReturnToMenuPage(f);
}

void ResumeHunterStart(Terminal& t) {
  t.form.fraHunter.visible = false;
  ReturnToMenuPage(t.form);
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
  if (const std::string& name = SelectedFileName(f); !name.empty())
    std::filesystem::remove(t.dataDirectory / name, failure);
  FileMenuEnter(t);  // the list is built again
  // A file that stays (read-only directory, a directory of that name) is no
  // silent success; one that is gone already is.
  if (failure) ShowError(t, Errors::CannotWriteFile);
}

}  // namespace rx
