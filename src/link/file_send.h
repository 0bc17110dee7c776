// Sending a data file back into the device, one load command per record,
// each only after the device accepted the one before.
#pragma once

#include "link/exchange_events.h"
#include "link/requests.h"
#include "shell/terminal.h"

namespace rx {

// Queues the file's records (heads by the file's memory letter, block codes
// replaced for a one-block send, relay legs "B", "C", ... and each team's
// last record as its total "S"), then opens the port and sends the first.
// No record: error 1008. owner hears of each record in flight, of a refusal
// and of the end.
void StartFileSend(Terminal& t, const SendRequest& request, ExchangeEvents& owner);

// Sends the next record, or finishes the send. SkipTeam first passes over the
// rest of the relay team whose record failed.
enum class AfterRecord { Next, SkipTeam };
void SendNextQueued(Terminal& t, AfterRecord after);

// A record was sent and its answer has not come yet.
bool RecordAwaited(const Terminal& t);
// The record in flight was answered (or will never be: the device fell
// silent); the next may go.
void RecordAnswered(Terminal& t);

// The device refused the record in flight, whatever went after it; its
// owner shows that record.
void ReportRefusedRecord(Terminal& t);

// The send is over, finished or abandoned: nothing is queued any more.
void EndFileSend(Terminal& t);

}  // namespace rx
