#include "link/edit_commands.h"

#include "data/block_letters.h"
#include "data/time_values.h"
#include "link/commands.h"
#include "link/device_port.h"
#include "link/file_send.h"
#include "link/replies.h"

namespace rx {

namespace {

std::string Team(const Form& f) { return BlockLetter(f.lblEditR[0].caption) + f.lblEditR[1].caption; }

std::string TimeField(const Control& time) { return StripTime(time.caption, 12); }

void WriteRelayBurst(Terminal& t) {
  Form& f = t.form;
  std::string team = Team(f);
  if (f.EditRow < 1) {
    SendCommand(t, RelayDeleteCommand(team));
  } else {
    for (int leg = 1; leg <= f.EditRow; ++leg)
      SendCommand(t, RelayLegCommand(leg, team, TimeField(f.lblRelayTime[leg - 1])));
    SendCommand(t, RelayTotalCommand(team, TimeField(f.lblRelayTime[10])));
  }
  SendCommand(t, EndOfBurstCommand());
}

void SendRelayBurst(Terminal& t) {
  Form& f = t.form;
  f.KeyMode = Mode::Busy;
  f.ExpectReply = ReplyFamily::Modify;
  StartExchange(t, false, WriteRelayBurst);
}

}  // namespace

void SendEditCommand(Terminal& t, ReplyFamily family, ExchangeEvents& owner) {
  Form& f = t.form;
  f.SendRecovery = Recovery::Off;
  t.link.owner = &owner;
  if (f.MenuItem == MenuItemId::RelayResult) {
    if (f.FuncItem == FuncItemId::Modify) SendRelayBurst(t);
    return;
  }
  if (f.MenuItem == MenuItemId::SendToDevice) {
    if (family == ReplyFamily::Load) StartFileSend(t);
    return;
  }
  RecordFields fields;
  fields.blockCode = BlockLetter(f.lblEditInp[1].caption);
  fields.bib = f.lblEditInp[2].caption;
  fields.course = f.lblEditInp[0].caption;
  fields.timeField = TimeField(f.lblEditInp[5]);
  std::string body = BuildEditCommand(Index(f.MenuItem), Index(f.FuncItem), fields);
  if (body.empty()) return;
  f.KeyMode = Mode::Busy;
  f.ExpectReply = family;
  StartExchange(t, false, [body](Terminal& t) {
    Owner(t).Started(t);
    SendCommand(t, body);
  });
}

void RequestBestOutputOfAll(Terminal& t, ExchangeEvents& owner) {
  Form& f = t.form;
  f.KeyMode = Mode::Busy;
  f.ExpectReply = ReplyFamily::BestOutput;
  t.link.owner = &owner;
  StartExchange(t, false, [](Terminal& t) {
    Owner(t).Started(t);
    SendCommand(t, BestOutputAllCommand());
  });
}

}  // namespace rx
