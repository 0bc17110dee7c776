#include "shell/settings_file.h"

#include <string_view>
#include <vector>

namespace rx {

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// One line of the file, as offsets into its text.
struct Line {
  std::size_t begin = 0, end = 0;  // the content, without CR LF or LF
  std::size_t next = 0;            // where the next line begins
  bool header = false;
  std::string section;       // the section the line is in (the header's own)
  std::size_t valueAt = 0;   // a key line: where its value begins
  std::string key;           // a key line's key; "" for any other line
};

std::vector<Line> Lines(const std::string& text) {
  std::vector<Line> lines;
  std::string section;
  for (std::size_t at = 0; at < text.size();) {
    Line line;
    line.begin = at;
    const std::size_t newline = text.find('\n', at);
    line.next = newline == std::string::npos ? text.size() : newline + 1;
    line.end = newline == std::string::npos ? text.size() : newline;
    if (newline != std::string::npos && line.end > at && text[line.end - 1] == '\r') --line.end;
    std::string_view content(text.data() + at, line.end - at);
    if (at == 0 && content.substr(0, kByteOrderMark.size()) == kByteOrderMark)
      content.remove_prefix(kByteOrderMark.size());
    const std::string_view trimmed = Trim(content);
    const std::size_t close = trimmed.find(']');
    if (!trimmed.empty() && trimmed[0] == '[' && close != std::string_view::npos) {
      line.header = true;
      section = std::string(trimmed.substr(1, close - 1));
    } else if (const std::size_t equals = content.find('=');
               equals != std::string_view::npos && !trimmed.empty() && trimmed[0] != ';' &&
               trimmed[0] != '#') {
      line.key = std::string(Trim(content.substr(0, equals)));
      line.valueAt = static_cast<std::size_t>(content.data() - text.data()) + equals + 1;
    }
    line.section = section;
    at = line.next;
    lines.push_back(std::move(line));
  }
  return lines;
}

const Line* Last(const std::vector<Line>& lines, const std::string& section, const std::string& key) {
  const Line* found = nullptr;
  for (const Line& line : lines)
    if (!line.header && !line.key.empty() && line.section == section && line.key == key) found = &line;
  return found;
}

bool Carries(const std::string& name, std::string_view forbidden) {
  return !name.empty() && name.find_first_of(forbidden) == std::string::npos &&
         Trim(name) == name && name.find_first_of("[;#") != 0;
}

}  // namespace

std::optional<std::string> FindSetting(const std::string& text, const std::string& section,
                                       const std::string& key) {
  const std::vector<Line> lines = Lines(text);
  const Line* line = Last(lines, section, key);
  if (!line) return std::nullopt;
  return text.substr(line->valueAt, line->end - line->valueAt);
}

std::optional<std::string> SetSetting(const std::string& text, const std::string& section,
                                      const std::string& key, const std::string& value) {
  using namespace std::string_literals;
  if (value.find_first_of("\r\n") != std::string::npos || !Carries(section, "\r\n]"s) ||
      !Carries(key, "\r\n="s))
    return std::nullopt;
  const std::vector<Line> lines = Lines(text);
  if (const Line* line = Last(lines, section, key)) {
    std::string changed = text;
    changed.replace(line->valueAt, line->end - line->valueAt, value);
    return changed;
  }
  const std::size_t firstEnd = text.find('\n');
  const std::string eol = firstEnd != std::string::npos && firstEnd > 0 && text[firstEnd - 1] == '\r'
                              ? "\r\n"
                              : "\n";
  // After the section's last key, or its header when it has none.
  const Line* after = nullptr;
  for (const Line& line : lines)
    if (line.section == section && (line.header || !line.key.empty()) &&
        (!after || after->header || !line.header))
      after = &line;
  // An unended last line is ended, a CR it ends in kept as its own.
  const std::string ending = !text.empty() && text.back() == '\r' ? "\r\n" : eol;
  std::string changed = text;
  if (after) {
    std::string added = key + "=" + value + eol;
    if (after->next == after->end) added.insert(0, ending);
    changed.insert(after->next, added);
    return changed;
  }
  if (!changed.empty() && changed.back() != '\n') changed += ending;
  if (!changed.empty()) changed += eol;
  return changed + "[" + section + "]" + eol + key + "=" + value + eol;
}

}  // namespace rx
