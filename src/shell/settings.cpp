#include "shell/settings.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "shell/diagnostics.h"

namespace rx {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string Trim(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

namespace {

std::optional<bool> ParseBoolean(const std::string& text) {
  std::string word = Lower(Trim(text));
  if (word == "true") return true;
  if (word == "false") return false;
  return std::nullopt;
}

}  // namespace

std::optional<int> ParsePort(const std::string& stored) {
  const std::string text = Trim(stored);
  if (text.empty() || text.size() > 3) return std::nullopt;
  if (!std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); }))
    return std::nullopt;
  int value = std::stoi(text);
  if (value < 1 || value > 255) return std::nullopt;
  return value;
}

std::string BooleanText(bool value) { return value ? "True" : "False"; }

namespace {

// The terminal works on with the value in memory; the operator's next start
// would meet the old one, so the fault is told once, where it can be found.
void Store(Terminal& t, const std::string& application, const std::string& section,
           const std::string& key, const std::string& value) {
  if (t.platform.settings.Write(application, section, key, value) || t.settingsFaultReported)
    return;
  t.settingsFaultReported = true;
  ReportFault(t, "the settings cannot be stored (" + key + "=" + value +
                     "): is the settings file read-only?");
}

}  // namespace

std::string ReadSetting(Terminal& t, const std::string& application, const std::string& section,
                        const std::string& key, const std::string& fallback) {
  std::string value = t.platform.settings.Read(application, section, key);
  if (value.empty()) {
    value = fallback;
    Store(t, application, section, key, value);
  }
  return value;
}

bool ReadBooleanSetting(Terminal& t, const std::string& key, bool fallback) {
  std::string text = ReadSetting(t, kApplication, kSection, key, BooleanText(fallback));
  if (auto value = ParseBoolean(text)) return *value;
  WriteSetting(t, key, BooleanText(fallback));
  return fallback;
}

int ReadPortSetting(Terminal& t) {
  std::string text = ReadSetting(t, kApplication, kSection, "PortNo", std::to_string(kDefaultPortNo));
  if (auto value = ParsePort(text)) return *value;
  WriteSetting(t, "PortNo", std::to_string(kDefaultPortNo));
  return kDefaultPortNo;
}

void WriteSetting(Terminal& t, const std::string& key, const std::string& value) {
  Store(t, kApplication, kSection, key, value);
}

}  // namespace rx
