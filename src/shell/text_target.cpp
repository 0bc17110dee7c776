#include "shell/text_target.h"

#include "shell/diagnostics.h"
#include "shell/settings.h"

namespace rx {

std::optional<TextTarget> ParseTextTarget(const std::string& text) {
  std::string word = Lower(text.substr(0, text.find(':')));
  bool named = text.find(':') != std::string::npos;
  if (word == "printer" && named) {
    std::string name = text.substr(text.find(':') + 1);
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
  if (!target && !text.empty())
    ReportFault(t, "TextOutput=" + text + " names no target; the text output stays serial");
  return target.value_or(TextTarget{});
}

}  // namespace rx
