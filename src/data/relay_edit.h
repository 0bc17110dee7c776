// The relay edit screen: one team's leg times and their total.
//
// Enter steps through block, bib, (the team is read from the device), one
// leg after the other with the total following, the end marker after the
// last leg, confirmation, send. Insert and Delete add and remove legs.
#pragma once

#include "shell/terminal.h"

namespace rx {

// Shows the relay screen and empties it.
void OpenRelayEdit(Terminal& t);

void RelayEditEnter(Terminal& t);

// Opens the input on the leg of EditStep, or on the end marker past the last leg.
void OpenRelayRow(Form& f);

// A new zero leg at the selected row; at most ten legs.
void InsertRelayLeg(Terminal& t);

// Removes the leg at the selected row; the total follows.
void DeleteRelayLeg(Terminal& t);

// Esc: from the block back to the function menu; from the bib or a leg the
// team starts over; from the confirmation back to the end marker.
void LeaveRelayEdit(Terminal& t);

// After an error: the leg is typed again; before the legs the team starts over.
void ResumeRelayEdit(Terminal& t);

}  // namespace rx
