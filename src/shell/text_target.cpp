#include "shell/text_target.h"

#include "shell/diagnostics.h"
#include "shell/settings.h"

namespace rx {

std::optional<TextTarget> ParseTextTarget(const std::string& stored) {
  const std::string text = Trim(stored);
  std::string word = Lower(text.substr(0, text.find(':')));
  bool named = text.find(':') != std::string::npos;
  if (word == "printer" && named) {
    std::string name = Trim(text.substr(text.find(':') + 1));
    if (name.empty()) return std::nullopt;
    return TextTarget{TextTarget::Kind::Printer, name};
  }
  if (named) return std::nullopt;
  if (word == "serial") return TextTarget{};
  if (word == "printer") return TextTarget{TextTarget::Kind::DefaultPrinter, ""};
  if (word == "pdf") return TextTarget{TextTarget::Kind::Pdf, ""};
  return std::nullopt;
}

TextTarget ReadTextTarget(Terminal& t) {
  // Read straight from the store: ReadSetting would write the default back.
  std::string text;
  try {
    text = t.platform.settings.Read(kApplication, kSection, "TextOutput");
  } catch (...) {
    return {};
  }
  std::optional<TextTarget> target = ParseTextTarget(text);
  if (target || text.empty()) return target.value_or(TextTarget{});
  ReportFault(t, "TextOutput=" + text + " names no target: the text output fails with 1011");
  return TextTarget{TextTarget::Kind::Unknown, text};
}

}  // namespace rx
