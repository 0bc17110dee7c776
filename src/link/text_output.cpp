#include "link/text_output.h"

#include "data/block_letters.h"
#include "data/data_file.h"
#include "link/device_port.h"
#include "link/file_send.h"
#include "link/screen_hooks.h"

namespace rx {

void LoadTextQueue(Terminal& t) {
  Form& f = t.form;
  OpenDataFile(t, false, f.lblSendName.caption);
  f.RecordCount = 0;
  f.Records.clear();
  if (f.FileNo < 0) return;
  const std::string block = f.FuncCode == 9 ? BlockLetter(f.lblBlk.caption) : "";
  for (std::string line; ReadDataLine(t, &line);) {
    if (!IsRecordLine(line)) continue;
    if (!block.empty() && line[0] != block[0]) continue;
    f.Records.push_back(line);
    ++f.RecordCount;
  }
  CloseDataFile(t);
}

void SerialTextOutput(Terminal& t) {
  Form& f = t.form;
  f.lblSendG[2].visible = true;
  f.lblSendG[4].visible = true;
  if (!OpenDevicePort(t, true)) return;
  const std::string name = f.lblSendName.caption;
  for (const std::string& line : {std::string("RX-710KP DATA"), std::string("FILE NAME  : "), name + " "})
    SendTextLine(t, line);
  for (int i = 0; i < f.RecordCount && f.KeyMode == Mode::Busy; ++i) {
    f.lblSendG[4].caption = std::to_string(f.RecordCount - i) + " 件";
    SendTextLine(t, f.Records[i]);
    t.platform.events.Yield();
    while (f.KeyMode == Mode::AbortConfirm) t.platform.events.WaitForEvent();
  }
  if (f.KeyMode == Mode::Busy) {
    SendTextLine(t, "FILE END   : ");
    SendTextLine(t, name + " ");
  }
  f.RecordCount = 0;
  f.Records.clear();
  // A write error stays on the error line; the operator's Esc leaves.
  if (f.KeyMode == Mode::ErrorShown) return;
  f.KeyMode = Mode::Normal;
  // An abandoned output has already left the screen; only a finished one leaves it here.
  if (f.Screen == Screens::SerialSendRange && t.screens) t.screens->LeaveSerialSend();
}

}  // namespace rx
