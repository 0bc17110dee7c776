// Where the text output of a data file goes: the serial line as ever, or a
// printer of the desktop, or a PDF. Kept in the TextOutput setting, which is
// read only, never written: a store without it holds the same six keys as
// before, and the output stays serial. A text that names no target is no
// silent serial output: that output fails. The command line's --to names a
// target in the same words, with the PDF's path after "pdf:".
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/page_printer.h"
#include "shell/terminal.h"

namespace rx {

struct TextTarget {
  enum class Kind { Serial, DefaultPrinter, Printer, Pdf, Unknown };
  Kind kind = Kind::Serial;
  // Printer: the queue's name; Pdf: its path (none: beside the data file);
  // Unknown: the text as stored.
  std::string name;
};

enum class TargetSpelling {
  Setting,  // "Serial", "Printer", "Printer:NAME" or "PDF", blanks around ignored
  Option,   // --to: "printer", "printer:NAME" or "pdf:PATH", as given
};

// The target text names (the words in any case); nothing for any other text.
std::optional<TextTarget> ParseTextTarget(const std::string& text, TargetSpelling spelling);

// The pages' target for the output of dataFile: a PDF without a path goes
// beside it as dataFile.pdf; Serial (the command line's print of a setting
// that keeps the window's output serial) is the default printer.
PageTarget ToPageTarget(const TextTarget& target, const std::filesystem::path& dataFile);

// The setting as stored; Serial when it is missing or cannot be read,
// Unknown (noted in the Debug list) when it names no target.
TextTarget ReadTextTarget(Terminal& t);

}  // namespace rx
