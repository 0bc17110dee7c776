#include "console/read_screens.h"

#include "console/guide_texts.h"
#include "console/input.h"
#include "data/block_letters.h"
#include "data/file_names.h"

namespace rx {

namespace {

void ShowReadConfirmation(Terminal& t, const std::string& rangeLetter) {
  Form& f = t.form;
  f.lblYomiG[0].caption = f.MenuTitle[f.MenuItem] + "をＲＸ－７１０から読み込み";
  f.lblFileName.caption = DataFileName(f.MenuItem, t.platform.clock.Now(), rangeLetter);
  f.lblYomiG[3].visible = false;
  f.fraYomikomi.visible = true;
}

}  // namespace

int TypedBlockNumber(const Form& f) { return BlockNumber(f.lblBlk.caption); }

void ReadRangeEnter(Terminal& t) {
  Form& f = t.form;
  if (f.FuncCode == 9) {
    f.Screen = Screens::BlockEntry;
    f.lblGuide.caption = guide::kBlockEntry;
    f.lblBlk.caption = "";
    BeginInput(f, f.lblBlk, 2, 0);
    return;
  }
  if (f.FuncCode != 8 || f.MenuItem < 1 || f.MenuItem > 6) return;
  ShowReadConfirmation(t, "C");
  f.lblBlk.caption = " ";
  ShowConfirmGuide(f, 0);
}

void ReadBlockEnter(Terminal& t) {
  Form& f = t.form;
  int block = TypedBlockNumber(f);
  if (block < 0 || block > 28) return;  // the input stays open
  EndInput(f);
  ShowReadConfirmation(t, BlockLetterShifted(f.lblBlk.caption));
  f.Screen = Screens::ReadRange;
  ShowConfirmGuide(f, 0);
}

}  // namespace rx
