#include "link/edit_commands.h"

#include <vector>

#include "link/commands.h"
#include "link/device_port.h"
#include "link/replies.h"

namespace rx {

namespace {

void WriteRelayBurst(Terminal& t) {
  const EditRequest& edit = t.link.edit;
  const std::string& team = edit.record.team;
  std::vector<std::string> bodies;
  if (edit.legTimes.empty()) {
    bodies.push_back(RelayDeleteCommand(team));
  } else {
    for (std::size_t leg = 0; leg < edit.legTimes.size(); ++leg)
      bodies.push_back(RelayLegCommand(static_cast<int>(leg) + 1, team, edit.legTimes[leg]));
    bodies.push_back(RelayTotalCommand(team, edit.totalTime));
  }
  bodies.push_back(EndOfBurstCommand());
  BurstReplies& burst = t.link.burst;
  burst.heardAt = t.platform.clock.MonotonicMs();
  for (const std::string& body : bodies) {
    SendCommand(t, body);
    if (t.form.KeyMode != Mode::Busy) return;  // the write failed and says so; the rest stays here
    ++burst.awaited;
  }
}

// Busy from the confirmation on; the command goes once the port is open.
void Start(Terminal& t, ReplyFamily family, ExchangeEvents& owner, std::function<void(Terminal&)> send) {
  Form& f = t.form;
  f.KeyMode = Mode::Busy;
  f.ExpectReply = family;
  t.link.owner = &owner;
  StartExchange(t, LineMode::Framed, std::move(send));
}

ReplyFamily FamilyOf(Change change) {
  switch (change) {
    case Change::Modify: return ReplyFamily::Modify;
    case Change::Add:
    case Change::DualAdd: return ReplyFamily::Add;
    case Change::Delete: return ReplyFamily::Delete;
  }
  return ReplyFamily::None;
}

}  // namespace

void SendEditCommand(Terminal& t, const EditRequest& request, ExchangeEvents& owner) {
  t.form.SendRecovery = Recovery::Off;
  t.link.owner = &owner;
  t.link.edit = request;
  if (request.memory == Memory::RelayResults) {
    // The whole team is written at once; the device answers each frame.
    ForgetOldBurst(t);
    if (request.change == Change::Modify) Start(t, ReplyFamily::Modify, owner, WriteRelayBurst);
    return;
  }
  std::optional<std::string> body = BuildEditCommand(request);
  if (!body) return;
  Start(t, FamilyOf(request.change), owner, [body = *body](Terminal& term) {
    Owner(term).Started(term);
    SendCommand(term, body);
  });
}

void RequestBestOutputOfAll(Terminal& t, ExchangeEvents& owner) {
  Start(t, ReplyFamily::BestOutput, owner, [](Terminal& term) {
    Owner(term).Started(term);
    SendCommand(term, BestOutputAllCommand());
  });
}

}  // namespace rx
