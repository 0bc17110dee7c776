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
  if (row == 4) f.lblEditInp[5].visible = visible;
}

void ShowScreen(Form& f) {
  f.Screen = ScreenId::AlpineEdit;
  f.fraMenu[2].visible = false;
  f.fraMenu[3].visible = false;
  f.fraEdit[0].caption = f.fraMenu[2].caption;
  f.fraEdit[0].visible = true;
  ShowRow(f, 0, false);
  ShowRow(f, 1, true);
  ShowRow(f, 2, true);
  const std::string& memory = MenuTitleOf(f, f.MenuItem);
  switch (f.FuncItem) {
    case FuncItemId::Modify:
      f.lblEditT[0].caption = "修正" + memory;
      ShowRow(f, 3, true);
      ShowRow(f, 4, true);
      f.lblEditG[4].caption = "修正   TIME";
      break;
    case FuncItemId::Add:
      f.lblEditT[0].caption = "追加" + memory;
      ShowRow(f, 3, false);
      ShowRow(f, 4, !DnfMemory(f));
      f.lblEditG[4].caption = "追加   TIME";
      break;
    case FuncItemId::Delete:
      f.lblEditT[0].caption = "削除" + memory;
      ShowRow(f, 3, !DnfMemory(f));
      ShowRow(f, 4, false);
      break;
    case FuncItemId::DualAdd:
      f.lblEditT[0].caption = "デュアルコース内メモリ追加";
      ShowRow(f, 0, true);
      ShowRow(f, 3, false);
      ShowRow(f, 4, true);
      f.lblEditG[4].caption = "追加   TIME";
      break;
    default:
      break;
  }
  if (RelayCourseMemory(f)) ShowRow(f, 2, false);
}

void Reset(Form& f) {
  f.EditStep = EditStage::Block;
  f.lblCap[Keys::Right].caption = "";
  for (Control& input : f.lblEditInp) input.caption.clear();
  if (f.FuncItem == FuncItemId::DualAdd) {
    f.lblGuide.caption = guide::kEditDualAdd;
    f.EditStep = EditStage::Course;
    BeginInput(f, f.lblEditInp[0], 1, 0);
    return;
  }
  if (RelayCourseMemory(f))
    f.lblGuide.caption = Adding(f) ? guide::kEditBlockAdd : guide::kEditBlockKey;
  else
    f.lblGuide.caption = Adding(f) ? guide::kEditRecordAdd : guide::kEditRecordKey;
  BeginInput(f, f.lblEditInp[1], 2, 0);
}

// The value of an integer field; -1 when it holds no number.
int FieldNumber(const Control& field) { return ParseDigits(field.caption); }

void OpenNewTime(Form& f) {
  f.EditStep = EditStage::NewTime;
  f.lblEditInp[4].caption = f.ZeroTime;
  BeginInput(f, f.lblEditInp[4], 6, 4);
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
    t.form.lblEditInp[3].caption = record.time;
    t.form.lblEditInp[4].caption = TimeToEntry(record.time);
  }
  // Modify goes on to the new time; delete asks to send.
  void RecordReadFinished(Terminal& t) override {
    Form& f = t.form;
    if (f.FuncItem == FuncItemId::Modify) {
      f.EditStep = EditStage::NewTime;
      BeginInput(f, f.lblEditInp[4], 6, 4);
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
  int course = FieldNumber(f.lblEditInp[0]);
  if (course != 1 && course != 2) return ShowError(t, Errors::CourseNumber);
  f.EditStep = EditStage::Block;
  BeginInput(f, f.lblEditInp[1], 2, 0);
}

void BlockEntered(Terminal& t) {
  Form& f = t.form;
  int block = FieldNumber(f.lblEditInp[1]);
  if (block < 0 || block > kLastBlock) return;
  if (!RelayCourseMemory(f)) {
    f.EditStep = EditStage::Bib;
    BeginInput(f, f.lblEditInp[2], 3, 0);
  } else if (Adding(f)) {
    OpenNewTime(f);
  } else {
    ReadRecord(t);
  }
}

void BibEntered(Terminal& t) {
  Form& f = t.form;
  if (!AcceptBib(t, f.lblEditInp[2])) return;
  if (DnfMemory(f))
    AskToSend(f);  // a DNF entry has no time
  else if (f.FuncItem == FuncItemId::Modify || f.FuncItem == FuncItemId::Delete)
    ReadRecord(t);
  else
    OpenNewTime(f);
}

void NewTimeEntered(Terminal& t) {
  Form& f = t.form;
  if (!InputTyped(f)) f.lblEditInp[4].caption = f.InputPrevCaption;
  std::string time = EntryToTime(f.lblEditInp[4].caption);
  if (time.empty()) return ShowError(t, Errors::InvalidTime);
  f.lblEditInp[5].caption = time;
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
  request.record.course = f.lblEditInp[0].caption;
  request.record.timeField = StripTime(f.lblEditInp[5].caption, 12);
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
  request.record.blockCode = BlockLetter(f.lblEditInp[1].caption);
  request.record.bib = f.lblEditInp[2].caption;
  request.record.team = BlockLetter(f.lblEditR[0].caption) + f.lblEditR[1].caption;
  return request;
}

bool AcceptBib(Terminal& t, Control& field) {
  int bib = FieldNumber(field);
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
  field.caption = text;
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
    f.lblEditInp[4].caption = f.InputPrevCaption;
    BeginInput(f, f.lblEditInp[4], 6, 4);
  }
}

void AlpineEditEnter(Terminal& t) {
  Form& f = t.form;
  bool fieldStep = f.EditStep <= EditStage::Bib;  // course, block or bib
  if (fieldStep && f.InputLabel != nullptr && f.InputLabel->caption.empty()) return;
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
