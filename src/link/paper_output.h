// The text output of a data file on paper: the same header, record lines and
// trailer as the serial output, laid out a page per turn of the event loop
// for a printer of the desktop or a PDF file, and handed over only whole.
// The serial port is not opened.
#pragma once

#include <string>

#include "link/exchange_events.h"
#include "link/requests.h"
#include "platform/page_printer.h"
#include "shell/terminal.h"
#include "shell/text_target.h"

namespace rx {

// Queues the selected record lines of the request's file (error 1008 when
// there is none), then prints them to target (a printer, or the PDF beside
// the data file). Esc asks whether to stop; a stopped output leaves nothing
// behind; a failure shows error 1011. Progress reaches the owner as the
// serial output's does.
void PaperTextOutput(Terminal& t, const TextOutputRequest& request, ExchangeEvents& owner,
                     const TextTarget& target);

// The next page, or the hand-over after the last one.
void ContinuePaperOutput(Terminal& t);

// Drops the document where it is.
void EndPaperOutput(Terminal& t);

}  // namespace rx
