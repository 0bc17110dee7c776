#include "link/jobs.h"

#include "link/device_port.h"
#include "link/queue_load.h"
#include "link/text_output.h"

namespace rx {

namespace {

// How often a wait for the line looks again: the driver's queue drains with
// no notification, and at 9600 baud 10 ms is ten characters.
constexpr int kPollMs = 10;

void ContinueDrain(Terminal& t) {
  PortDrain& drain = t.link.drain;
  Form& f = t.form;
  int queued = t.platform.port.OutputQueueCount();
  bool over = queued <= 0 || (f.KeyMode == Mode::Busy && f.WaitMs > kLongestQueueWaitMs) ||
              t.platform.clock.MonotonicMs() >= drain.deadline;
  if (!over) return PostLinkTurn(t, kPollMs);
  t.platform.port.Close();
  auto then = std::move(drain.then);
  drain = {};
  if (then) then(t);
}

}  // namespace

void ContinueLinkJob(Terminal& t) {
  if (t.link.drain.active)
    ContinueDrain(t);
  else if (t.link.load.active)
    ContinueQueueLoad(t);
  else if (t.link.output.active)
    ContinueTextOutput(t);
}

void PostLinkTurn(Terminal& t, int delayMs) {
  LinkJobs& link = t.link;
  // A sooner turn may overtake a pending poll; the poll then finds itself
  // outdated and does nothing.
  if (link.turnPending && delayMs >= link.pendingDelay) return;
  link.turnPending = true;
  link.pendingDelay = delayMs;
  int generation = ++link.turnGeneration;
  t.platform.events.Post(delayMs, [&t, generation] {
    if (generation != t.link.turnGeneration) return;
    t.link.turnPending = false;
    ContinueLinkJob(t);
  });
}

void EndLinkJobs(Terminal& t) {
  if (t.link.load.active) CancelQueueLoad(t);
  EndTextOutput(t);
  if (t.link.drain.forExchange) t.link.drain = {};
}

void SettleLinkJob(Terminal& t) {
  Mode mode = t.form.KeyMode;
  if (t.link.output.active && mode != Mode::Busy && mode != Mode::AbortConfirm) EndTextOutput(t);
  if (t.link.load.active && mode != Mode::Busy) CancelQueueLoad(t);
}

}  // namespace rx
