#include "link/file_send.h"

#include "link/device_port.h"
#include "link/queue_load.h"
#include "link/replies.h"

namespace rx {

void LoadSendQueue(Terminal& t) { LoadQueueNow(t, false); }

void StartFileSend(Terminal& t) {
  Form& f = t.form;
  f.KeyMode = Mode::Busy;
  f.ExpectReply = ReplyFamily::Load;
  StartExchange(t, false, [](Terminal& t) {
    Form& f = t.form;
    f.lblSendG[2].visible = true;
    f.lblSendG[4].visible = true;
    Owner(t).Started(t);
    f.SendRecovery = Recovery::Ask;
    f.RecordIndex = 0;
    SendNextQueued(t, false);
  });
}

void SendNextQueued(Terminal& t, bool skip) {
  Form& f = t.form;
  if (skip && f.RecordIndex > 0 && f.RecordIndex <= f.RecordCount) {
    // The rest of the failed relay team: its legs after "B" and its total,
    // but nothing of the next team, even one that is a total alone.
    const std::string team = f.Records[f.RecordIndex - 1].substr(4, 4);
    while (f.RecordIndex < f.RecordCount && f.Records[f.RecordIndex][3] > 'B' &&
           f.Records[f.RecordIndex].substr(4, 4) == team)
      ++f.RecordIndex;
  }
  if (f.RecordIndex < f.RecordCount) {
    f.ExpectReply = ReplyFamily::Load;
    SendCommand(t, f.Records[f.RecordIndex]);
    f.lblSendG[4].caption = std::to_string(f.RecordCount - f.RecordIndex) + "件";
    ++f.RecordIndex;
    return;
  }
  EndFileSend(t);
  EndExchange(t);
  Owner(t).Done(t);
}

void ShowSendProgress(Terminal& t, int index) {
  Form& f = t.form;
  if (index < 0 || index >= f.RecordCount) return;
  const std::string& body = f.Records[index];
  f.lblSendG[3].visible = true;
  f.lblSendG[3].caption =
      "Block:" + body.substr(4, 1) + "  ZNo:" + body.substr(5, 3) + "  Time:" + body.substr(8, 12);
}

void EndFileSend(Terminal& t) {
  Form& f = t.form;
  f.RecordCount = 0;
  f.Records = {};
  f.SendRecovery = Recovery::Off;
}

}  // namespace rx
