// The alpine/nordic edit screen: one record of the course memory, the DNF
// memory, a run's results or the relay course memory, changed in the device.
//
// Enter steps through the fields: course number (dual-course add), block,
// bib, (the record is read from the device), new time, confirmation, send.
#pragma once

#include "link/requests.h"
#include "shell/terminal.h"

namespace rx {

// Show: the screen for MenuItem and FuncItem, its fields reset; NextRecord:
// only the fields reset, for the next record.
enum class EditOpening { Show, NextRecord };
void OpenAlpineEdit(Terminal& t, EditOpening opening);

// Enter on the alpine/nordic edit screen.
void AlpineEditEnter(Terminal& t);

// Esc: from the first field back to the function menu, else the entry starts over.
void LeaveAlpineEdit(Terminal& t);

// After an error: the new time is typed again, anything else starts over.
void ResumeAlpineEdit(Terminal& t);

// The read of the record the edit screens name: block and bib, or the relay
// team, in the memory of the menu; nothing when the menu item is no memory.
std::optional<ReadRequest> RecordReadOf(const Form& form);

// The bib typed on an edit screen: 1-999 written with three digits; 0 is
// error 803; other text sounds a beep. False when the entry goes no further.
bool AcceptBib(Terminal& t, Control& field);

}  // namespace rx
