// Where the text output of a data file goes: the serial line as ever, or a
// printer of the desktop, or a PDF beside the data file. Kept in the
// TextOutput setting, which is read only, never written: a store without it
// holds the same six keys as before, and the output stays serial. A text that
// names no target is no silent serial output: that output fails.
#pragma once

#include <optional>
#include <string>

#include "shell/terminal.h"

namespace rx {

struct TextTarget {
  enum class Kind { Serial, DefaultPrinter, Printer, Pdf, Unknown };
  Kind kind = Kind::Serial;
  std::string printer;  // Printer: the queue's name; Unknown: the text as stored
};

// "Serial", "Printer", "Printer:NAME" or "PDF" (the words in any case, blanks
// around them ignored); nothing for any other text.
std::optional<TextTarget> ParseTextTarget(const std::string& text);

// The setting as stored; Serial when it is missing or cannot be read,
// Unknown (noted in the Debug list) when it names no target.
TextTarget ReadTextTarget(Terminal& t);

}  // namespace rx
