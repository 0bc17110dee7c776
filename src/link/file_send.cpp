#include "link/file_send.h"

#include "console/guide_texts.h"
#include "data/block_letters.h"
#include "data/data_file.h"
#include "data/time_values.h"
#include "link/commands.h"
#include "link/device_port.h"
#include "link/screen_hooks.h"

namespace rx {

namespace {

// The command head of a file by the memory letter its name starts with;
// "" for a letter no memory has.
std::string HeadFor(char letter) {
  switch (letter) {
    case 'C': return "CL0A";
    case 'D': return "CL2 ";
    case 'F': return "CL11";
    case 'G': return "CL5 ";
    case 'S': return "CL12";
    case 'V': return "CL3A";
    case 'Y': return "CL4";
    default: return "";
  }
}

void Append(Form& f, const std::string& body) {
  f.Records.push_back(body);
  ++f.RecordCount;
}

}  // namespace

void LoadSendQueue(Terminal& t) {
  Form& f = t.form;
  const std::string name = f.lblSendName.caption;
  OpenDataFile(t, false, name);
  f.RecordCount = 0;
  f.Records.clear();
  if (f.FileNo < 0) return;
  std::string head = HeadFor(name.empty() ? ' ' : name[0]);
  if (head.empty()) {  // nothing we could load it as
    CloseDataFile(t);
    return;
  }
  const bool relay = head == "CL4";
  const bool timeless = head == "CL5 " || head == "CL2 ";
  const std::string block = f.FuncCode == 9 ? BlockLetter(f.lblBlk.caption) : "";
  std::string previousTeam;
  char leg = 'B';
  for (std::string line; ReadDataLine(t, &line);) {
    if (!IsRecordLine(line)) continue;
    if (!block.empty()) line[0] = block[0];
    std::string time = timeless ? std::string(12, ' ') : StripTime(line.substr(4), 12);
    std::string key = line.substr(0, 4);
    if (relay) {
      if (key != previousTeam) {
        leg = 'B';
        previousTeam = key;
        if (!f.Records.empty()) f.Records.back()[3] = 'S';  // the team before ends with its total
      } else {
        ++leg;
      }
      Append(f, Body(head + leg + key + time));
    } else {
      Append(f, Body(head + key + time));
    }
  }
  if (relay && !f.Records.empty()) f.Records.back()[3] = 'S';
  CloseDataFile(t);
}

void StartFileSend(Terminal& t) {
  Form& f = t.form;
  f.KeyMode = Mode::Busy;
  f.ExpectReply = 'L';
  if (!OpenDevicePort(t, false)) return;
  f.lblSendG[2].visible = true;
  f.lblSendG[4].visible = true;
  f.lblGuide.caption = guide::kBusySend;
  f.SendRecovery = 1;
  f.RecordIndex = 0;
  SendNextQueued(t, false);
}

void SendNextQueued(Terminal& t, bool skip) {
  Form& f = t.form;
  if (skip && f.RecordIndex > 0) {
    // The rest of the failed relay team: its legs after "B" and its total,
    // but nothing of the next team, even one that is a total alone.
    const std::string team = f.Records[f.RecordIndex - 1].substr(4, 4);
    while (f.RecordIndex < f.RecordCount && f.Records[f.RecordIndex][3] > 'B' &&
           f.Records[f.RecordIndex].substr(4, 4) == team)
      ++f.RecordIndex;
  }
  if (f.RecordIndex < f.RecordCount) {
    f.ExpectReply = 'L';
    SendCommand(t, f.Records[f.RecordIndex]);
    f.lblSendG[4].caption = std::to_string(f.RecordCount - f.RecordIndex) + "件";
    ++f.RecordIndex;
    return;
  }
  EndFileSend(t);
  f.ExpectReply = 0;
  f.KeyMode = Mode::Normal;
  if (t.screens) t.screens->ShowSendMenu();
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
  f.Records.clear();
  f.SendRecovery = 0;
}

}  // namespace rx
