#include "data/alpine_edit.h"

#include <cstdio>

#include "shell/guide_texts.h"
#include "shell/input.h"
#include "console/navigation.h"
#include "data/block_letters.h"
#include "data/time_values.h"
#include "link/edit_commands.h"
#include "link/error_line.h"
#include "link/replies.h"

namespace rx {

namespace {

bool DnfMemory(const Form& f) { return f.MenuItem == MenuItemId::DnfMemory; }
bool RelayCourseMemory(const Form& f) { return f.MenuItem == MenuItemId::RelayCourseMemory; }
bool Adding(const Form& f) { return f.FuncItem == FuncItemId::Add; }

// An input's field shows and hides with its caption.
void ShowRow(Form& f, int row, bool visible) {
  f.lblEditG[row].visible = visible;
  f.lblEditInp[row].visible = visible;
  if (row == EditField::NewTime) f.lblEditInp[EditField::TimeToSend].visible = visible;
}

void ShowScreen(Form& f) {
  f.Screen = ScreenId::AlpineEdit;
  f.fraMenu[MenuFrame::Function].visible = false;
  f.fraMenu[MenuFrame::File].visible = false;
  f.fraEdit[EditFrame::Alpine].caption = FrameCaptionFor(f.MenuItem);
  f.fraEdit[EditFrame::Alpine].visible = true;
  ShowRow(f, EditField::Course, false);
  ShowRow(f, EditField::Block, true);
  ShowRow(f, EditField::Bib, true);
  const std::string& memory = MenuTitleOf(f, f.MenuItem);
  switch (f.FuncItem) {
    case FuncItemId::Modify:
      f.lblEditT[EditFrame::Alpine].caption = "修正" + memory;
      ShowRow(f, EditField::DeviceTime, true);
      ShowRow(f, EditField::NewTime, true);
      f.lblEditG[EditField::NewTime].caption = "修正   TIME";
      break;
    case FuncItemId::Add:
      f.lblEditT[EditFrame::Alpine].caption = "追加" + memory;
      ShowRow(f, EditField::DeviceTime, false);
      ShowRow(f, EditField::NewTime, !DnfMemory(f));
      f.lblEditG[EditField::NewTime].caption = "追加   TIME";
      break;
    case FuncItemId::Delete:
      f.lblEditT[EditFrame::Alpine].caption = "削除" + memory;
      ShowRow(f, EditField::DeviceTime, !DnfMemory(f));
      ShowRow(f, EditField::NewTime, false);
      break;
    case FuncItemId::DualAdd:
      f.lblEditT[EditFrame::Alpine].caption = "デュアルコース内メモリ追加";
      ShowRow(f, EditField::Course, true);
      ShowRow(f, EditField::DeviceTime, false);
      ShowRow(f, EditField::NewTime, true);
      f.lblEditG[EditField::NewTime].caption = "追加   TIME";
      break;
    default:
      break;
  }
  if (RelayCourseMemory(f)) ShowRow(f, EditField::Bib, false);
}

void Reset(Form& f) {
  f.EditStep = EditStage::Block;
  f.lblCap[Keys::Right].caption = "";
  for (Control& input : f.lblEditInp) SetField(f, input, "");
  if (f.FuncItem == FuncItemId::DualAdd) {
    f.lblGuide.caption = guide::kEditDualAdd;
    f.EditStep = EditStage::Course;
    BeginInput(f, f.lblEditInp[EditField::Course], kCourseDigits, 0);
    return;
  }
  if (RelayCourseMemory(f))
    f.lblGuide.caption = Adding(f) ? guide::kEditBlockAdd : guide::kEditBlockKey;
  else
    f.lblGuide.caption = Adding(f) ? guide::kEditRecordAdd : guide::kEditRecordKey;
  BeginInput(f, f.lblEditInp[EditField::Block], kBlockDigits, 0);
}

// The value of an integer field; -1 when it holds no number.
int FieldNumber(const Form& f, const Control& field) { return ParseDigits(FieldText(f, field)); }

void OpenNewTime(Form& f) {
  f.EditStep = EditStage::NewTime;
  SetField(f, f.lblEditInp[EditField::NewTime], f.ZeroTime);
  BeginInput(f, f.lblEditInp[EditField::NewTime], kTimeDigits, kTimeDecimals);
}

void AskToSend(Form& f) {
  EndInput(f);
  f.EditStep = EditStage::Confirm;
  f.lblGuide.caption = guide::kEditConfirm;
}

// What the device's replies do to this screen.
class AlpineEvents : public ExchangeEvents {
 public:
  void Started(Terminal& t) override { t.form.lblGuide.caption = ""; }
  void RecordRead(Terminal& t, const RecordReply& record) override {
    SetField(t.form, t.form.lblEditInp[EditField::DeviceTime], record.time);
    SetField(t.form, t.form.lblEditInp[EditField::NewTime], TimeToEntry(record.time));
  }
  // Modify goes on to the new time; delete asks to send.
  void RecordReadFinished(Terminal& t) override {
    Form& f = t.form;
    if (f.FuncItem == FuncItemId::Modify) {
      f.EditStep = EditStage::NewTime;
      BeginInput(f, f.lblEditInp[EditField::NewTime], kTimeDigits, kTimeDecimals);
      f.lblGuide.caption = guide::kEditNewTime;
    } else if (f.FuncItem == FuncItemId::Delete) {
      f.EditStep = EditStage::Confirm;
      f.lblGuide.caption = guide::kEditConfirm;
    }
  }
  // Accepted: ready for the next record.
  void Done(Terminal& t) override {
    if (t.form.Screen == ScreenId::AlpineEdit) OpenAlpineEdit(t, EditOpening::NextRecord);
  }
};

AlpineEvents& Events() {
  static AlpineEvents events;
  return events;
}

// The record as the device holds it; its reply moves the entry on.
void ReadRecord(Terminal& t) {
  t.form.EditStep = EditStage::Read;
  EndInput(t.form);
  if (const std::optional<ReadRequest> read = RecordReadOf(t.form)) SendReadCommand(t, *read, Events());
}

void CourseEntered(Terminal& t) {
  Form& f = t.form;
  int course = FieldNumber(f, f.lblEditInp[EditField::Course]);
  if (course != 1 && course != 2) return ShowError(t, Errors::CourseNumber);
  f.EditStep = EditStage::Block;
  BeginInput(f, f.lblEditInp[EditField::Block], kBlockDigits, 0);
}

void BlockEntered(Terminal& t) {
  Form& f = t.form;
  int block = FieldNumber(f, f.lblEditInp[EditField::Block]);
  if (block < 0 || block > kLastBlock) return;
  if (!RelayCourseMemory(f)) {
    f.EditStep = EditStage::Bib;
    BeginInput(f, f.lblEditInp[EditField::Bib], kBibDigits, 0);
  } else if (Adding(f)) {
    OpenNewTime(f);
  } else {
    ReadRecord(t);
  }
}

void BibEntered(Terminal& t) {
  Form& f = t.form;
  if (!AcceptBib(t, f.lblEditInp[EditField::Bib])) return;
  if (DnfMemory(f))
    AskToSend(f);  // a DNF entry has no time
  else if (f.FuncItem == FuncItemId::Modify || f.FuncItem == FuncItemId::Delete)
    ReadRecord(t);
  else
    OpenNewTime(f);
}

void NewTimeEntered(Terminal& t) {
  Form& f = t.form;
  if (!InputTyped(f)) SetField(f, f.lblEditInp[EditField::NewTime], f.InputPrevCaption);
  std::string time = EntryToTime(FieldText(f, f.lblEditInp[EditField::NewTime]));
  if (time.empty()) return ShowError(t, Errors::InvalidTime);
  SetField(f, f.lblEditInp[EditField::TimeToSend], time);
  AskToSend(f);
}

// The change each edit function makes.
struct FunctionChange {
  FuncItemId function;
  Change change;
};
constexpr FunctionChange kChanges[] = {{FuncItemId::Modify, Change::Modify},
                                       {FuncItemId::Add, Change::Add},
                                       {FuncItemId::DualAdd, Change::DualAdd},
                                       {FuncItemId::Delete, Change::Delete}};

// The change on the screen, with the print and best output the settings ask for.
void Send(Terminal& t, Change change) {
  const Form& f = t.form;
  const std::optional<ReadRequest> read = RecordReadOf(f);
  if (!read) return;
  EditRequest request;
  request.memory = read->memory;
  request.change = change;
  request.record = read->record;
  request.record.course = FieldText(f, f.lblEditInp[EditField::Course]);
  request.record.timeField = StripTime(FieldText(f, f.lblEditInp[EditField::TimeToSend]), 12);
  request.print = f.PrintFrame;
  request.bestOutput = f.BestFrame;
  SendEditCommand(t, request, Events());
}

void Send(Terminal& t) {
  for (const FunctionChange& entry : kChanges)
    if (entry.function == t.form.FuncItem) return Send(t, entry.change);
}

}  // namespace

std::optional<ReadRequest> RecordReadOf(const Form& f) {
  const std::optional<Memory> memory = MemoryOf(f.MenuItem);
  if (!memory) return std::nullopt;
  ReadRequest request;
  request.memory = *memory;
  request.record.blockCode = BlockLetter(FieldText(f, f.lblEditInp[EditField::Block]));
  request.record.bib = FieldText(f, f.lblEditInp[EditField::Bib]);
  request.record.team =
      BlockLetter(FieldText(f, f.lblEditR[TeamField::Block])) + FieldText(f, f.lblEditR[TeamField::Bib]);
  return request;
}

bool AcceptBib(Terminal& t, Control& field) {
  int bib = FieldNumber(t.form, field);
  if (bib == 0) {
    ShowError(t, Errors::BibZero);
    return false;
  }
  if (bib < 1 || bib > 999) {
    t.platform.beeper.Beep();
    return false;
  }
  char text[4];
  std::snprintf(text, sizeof text, "%03d", bib);
  SetField(t.form, field, text);
  return true;
}

void OpenAlpineEdit(Terminal& t, EditOpening opening) {
  if (opening == EditOpening::Show) ShowScreen(t.form);
  Reset(t.form);
}

void LeaveAlpineEdit(Terminal& t) {
  Form& f = t.form;
  bool firstField = f.EditStep == EditStage::Course ||
                    (f.EditStep == EditStage::Block && f.FuncItem >= FuncItemId::Modify &&
                     f.FuncItem <= FuncItemId::Delete);
  if (firstField)
    ReturnToFunctionMenu(t);
  else
    OpenAlpineEdit(t, EditOpening::NextRecord);  // the entry starts over at its first field
}

void ResumeAlpineEdit(Terminal& t) {
  Form& f = t.form;
  if (f.EditStep <= EditStage::Read || f.EditStep == EditStage::Confirm) {
    OpenAlpineEdit(t, EditOpening::NextRecord);
  } else if (f.EditStep == EditStage::NewTime) {
    SetField(f, f.lblEditInp[EditField::NewTime], f.InputPrevCaption);
    BeginInput(f, f.lblEditInp[EditField::NewTime], kTimeDigits, kTimeDecimals);
  }
}

void AlpineEditEnter(Terminal& t) {
  Form& f = t.form;
  bool fieldStep = f.EditStep <= EditStage::Bib;  // course, block or bib
  if (fieldStep && f.InputLabel != nullptr && FieldText(f, *f.InputLabel).empty()) return;
  switch (f.EditStep) {
    case EditStage::Course: CourseEntered(t); break;
    case EditStage::Block: BlockEntered(t); break;
    case EditStage::Bib: BibEntered(t); break;
    case EditStage::NewTime: NewTimeEntered(t); break;
    case EditStage::Confirm: Send(t); break;
    default: break;
  }
}

}  // namespace rx
