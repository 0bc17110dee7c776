#include "shell/text_target.h"

#include "shell/diagnostics.h"
#include "shell/settings.h"

namespace rx {

std::optional<TextTarget> ParseTextTarget(const std::string& given, TargetSpelling spelling) {
  const bool setting = spelling == TargetSpelling::Setting;
  const std::string text = setting ? Trim(given) : given;
  const std::size_t colon = text.find(':');
  const std::string word = Lower(text.substr(0, colon));
  std::optional<std::string> name;
  if (colon != std::string::npos) name = setting ? Trim(text.substr(colon + 1)) : text.substr(colon + 1);
  if (name && name->empty()) return std::nullopt;
  if (word == "printer")
    return name ? TextTarget{TextTarget::Kind::Printer, *name} : TextTarget{TextTarget::Kind::DefaultPrinter, ""};
  // The setting's PDF goes beside the data file; the option's names its path.
  if (word == "pdf" && name.has_value() != setting) return TextTarget{TextTarget::Kind::Pdf, name.value_or("")};
  if (word == "serial" && setting && !name) return TextTarget{};
  return std::nullopt;
}

PageTarget ToPageTarget(const TextTarget& target, const std::filesystem::path& dataFile) {
  switch (target.kind) {
    case TextTarget::Kind::Printer: return {PageTarget::Kind::Printer, target.name};
    case TextTarget::Kind::Pdf:
      return {PageTarget::Kind::Pdf, target.name.empty() ? dataFile.string() + ".pdf" : target.name};
    default: return {};
  }
}

TextTarget ReadTextTarget(Terminal& t) {
  // Read straight from the store: ReadSetting would write the default back.
  std::string text;
  try {
    text = t.platform.settings.Read(kApplication, kSection, "TextOutput");
  } catch (...) {
    return {};
  }
  std::optional<TextTarget> target = ParseTextTarget(text, TargetSpelling::Setting);
  if (target || text.empty()) return target.value_or(TextTarget{});
  ReportFault(t, "TextOutput=" + text + " names no target: the text output fails with 1011");
  return TextTarget{TextTarget::Kind::Unknown, text};
}

}  // namespace rx
