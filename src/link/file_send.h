// Sending a data file back into the device, one load command per record,
// each only after the device accepted the one before.
#pragma once

#include "shell/terminal.h"

namespace rx {

// Fills Records from the file named in lblSendName: heads by the file's
// first letter, block codes replaced by the entered block for a one-block
// send, relay legs "B", "C", ... and each team's last record as its total "S".
void LoadSendQueue(Terminal& t);

// Opens the port and sends the first record.
void StartFileSend(Terminal& t);

// Sends the next record, or finishes the send. skip passes over the rest of
// the relay team whose record failed.
void SendNextQueued(Terminal& t, bool skip);

// Shows the queued record at index on the progress line.
void ShowSendProgress(Terminal& t, int index);

// The send is over, finished or abandoned: nothing is queued any more.
void EndFileSend(Terminal& t);

}  // namespace rx
