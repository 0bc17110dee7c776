#include "console/read_screens.h"

#include "shell/guide_texts.h"
#include "shell/input.h"
#include "data/block_letters.h"
#include "data/data_file.h"
#include "data/file_names.h"
#include "data/memories.h"
#include "console/navigation.h"
#include "link/error_line.h"
#include "link/replies.h"

namespace rx {

namespace {

void ShowReadConfirmation(Terminal& t, const std::string& rangeLetter) {
  Form& f = t.form;
  f.lblYomiG[ReadLine::What].caption = MenuTitleOf(f, f.MenuItem) + "をＲＸ－７１０から読み込み";
  f.ReadFileName = DataFileName(f.MenuItem, t.platform.clock.Now(), rangeLetter);
  f.lblFileName.caption = f.ReadFileName;
  f.lblYomiG[ReadLine::Count].visible = false;
  f.fraYomikomi.visible = true;
}

// What the device's replies do to the read's screen.
class ReadIntoFileEvents : public ExchangeEvents {
 public:
  void Started(Terminal& t) override {
    Form& f = t.form;
    f.lblGuide.caption = guide::kBusyRead;
    f.lblYomiG[ReadLine::Count].caption = "0件";
    f.lblYomiG[ReadLine::Count].visible = true;
  }
  void RecordStored(Terminal& t, int count) override {
    t.form.lblYomiG[ReadLine::Count].caption = std::to_string(count) + "件";
  }
  // Back to the range menu; without a record the error line says why.
  void FileReadFinished(Terminal& t, bool anyRecord) override {
    Form& f = t.form;
    f.lblGuide.caption = guide::kSub;
    if (!anyRecord) return;
    SetField(f, f.lblBlk, "");
    f.Screen = ScreenId::ReadRange;
    f.fraYomikomi.visible = false;
  }
};

}  // namespace

int TypedBlockNumber(const Form& f) { return BlockNumber(FieldText(f, f.lblBlk)); }

void ReadRangeEnter(Terminal& t) {
  Form& f = t.form;
  if (f.FuncCode == Scope::OneBlock) {
    f.Screen = ScreenId::BlockEntry;
    f.lblGuide.caption = guide::kBlockEntry;
    SetField(f, f.lblBlk, "");
    BeginInput(f, f.lblBlk, kBlockDigits, 0);
    return;
  }
  if (f.FuncCode != Scope::AllBlocks || !IsMemory(f.MenuItem)) return;
  ShowReadConfirmation(t, "C");
  SetField(f, f.lblBlk, " ");
  ShowConfirmGuide(f, Confirmation::Execute);
}

void ReadBlockEnter(Terminal& t) {
  Form& f = t.form;
  int block = TypedBlockNumber(f);
  if (block < 0 || block > kLastBlock) return;  // the input stays open
  EndInput(f);
  ShowReadConfirmation(t, BlockLetterShifted(FieldText(f, f.lblBlk)));
  f.Screen = ScreenId::ReadRange;
  ShowConfirmGuide(f, Confirmation::Execute);
}

void ConfirmRead(Terminal& t) {
  static ReadIntoFileEvents events;
  Form& f = t.form;
  f.KeyMode = Mode::Normal;
  const std::optional<Memory> memory = MemoryOf(f.MenuItem);
  if (!memory) return;
  ReadRequest request;
  request.memory = *memory;
  request.oneRecord = false;
  request.fileName = f.ReadFileName;
  if (f.FuncCode != Scope::AllBlocks) request.onlyBlock = BlockLetter(FieldText(f, f.lblBlk)).front();
  SendReadCommand(t, request, events);
}

// Also the end of a read after an error: the records it wrote stay, and
// the operator hears when they may not be on the disk.
void CancelRead(Terminal& t) {
  const bool kept = CloseDataFile(t);
  BackToRangeMenu(t.form, t.form.fraYomikomi);
  if (!kept) ShowError(t, Errors::CannotWriteFile);
}

}  // namespace rx
