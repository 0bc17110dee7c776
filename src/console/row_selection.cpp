#include "console/row_selection.h"

#include <algorithm>

#include "shell/highlight.h"

namespace rx {

void SelectRow(Form& f, int index) {
  if (f.Screen == ScreenId::Settings) {
    f.FileSel = index & 1;
    Paint(f.lblSetG[f.FileSel], Shade::Selected);
    Paint(f.lblSetG[f.FileSel ^ 1], Shade::Plain);
    return;
  }
  auto inList = [&](int i) { return i >= 0 && i < f.FileListMax && i < kFileCells; };
  if (inList(f.FileSel)) Paint(f.lblFileList[f.FileSel], Shade::PlainFace);
  f.FileSel = index;
  if (inList(index)) Paint(f.lblFileList[index], Shade::Selected);
}

void ShowOnOff(Form& f, int index) {
  if (index < 0 || index > 3) return;
  f.OnOffChosen[static_cast<std::size_t>(index / 2)] = index % 2 == 0;  // even: an ON label
  Paint(f.lblOnOff[index], Shade::Selected);
  Paint(f.lblOnOff[index ^ 1], Shade::PlainFace);
}

int LastFileCell(const Form& f) { return std::min(f.FileCount, f.FileListMax) - 1; }

}  // namespace rx
