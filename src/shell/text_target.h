// Where the text output of a data file goes: the serial line as ever, or a
// printer of the desktop, or a PDF beside the data file. Kept in the
// TextOutput setting, which is read only, never written: a store without it
// holds the same six keys as before, and the output stays serial.
#pragma once

#include <optional>
#include <string>

#include "shell/terminal.h"

namespace rx {

struct TextTarget {
  enum class Kind { Serial, DefaultPrinter, Printer, Pdf };
  Kind kind = Kind::Serial;
  std::string printer;  // Printer: the queue's name
};

// "Serial", "Printer", "Printer:NAME" or "PDF" (the words in any case);
// nothing for any other text.
std::optional<TextTarget> ParseTextTarget(const std::string& text);

// The setting as stored; Serial when it is missing or cannot be read, a text
// that names no target noted in the Debug list.
TextTarget ReadTextTarget(Terminal& t);

}  // namespace rx
