// The screens that work on data files: file operations (delete, list),
// sending a file to the device, serial send, and the hunter start entry.
#pragma once

#include "link/frames.h"
#include "shell/terminal.h"

namespace rx {

// Enter on the file-operation menu: the delete selection or the list.
void FileMenuEnter(Terminal& t);
// Enter on the send range menu: the files of all blocks or of one block.
void SendRangeEnter(Terminal& t);
// Sub-menu item 12: every data file, for a serial send.
void OpenSerialSendSelection(Terminal& t);
// Sub-menu item 11: the first-run result files, for a hunter start.
void OpenHunterSelection(Terminal& t);
// Enter on the file selection, by what it was opened for.
void FileSelectionEnter(Terminal& t);
// Enter on the serial-send range menu.
void SerialRangeEnter(Terminal& t);
// Enter on the block number of a send or a serial send.
void SendBlockEnter(Terminal& t);
// Enter on the hunter start's date and time.
void HunterDateEnter(Terminal& t);

// Enter on the execute prompts of the send (5), the hunter start (13) and
// the serial send (14).
void ExecuteSend(Terminal& t);
// A record the device refused, on the send screen's progress line.
void ShowSendProgress(Form& f, const FrameBody& record);
void ExecuteHunterStart(Terminal& t);
void ExecuteSerialSend(Terminal& t);

// Esc at those prompts: back to the range menu, or the hunter start's page.
void CancelSend(Terminal& t);
void CancelHunterStart(Terminal& t);
// After an error on the hunter start: back to the menu page.
void ResumeHunterStart(Terminal& t);

// The deletion prompt of the file operations: Esc back to the selection,
// Delete removes the file and lists the files again.
void CancelDeletion(Terminal& t);
void DeleteSelectedFile(Terminal& t);

}  // namespace rx
