// The text of the settings file: "[section]" headers and "key=value" lines.
// A value is every byte after the first '=' up to the line's end, kept as it
// is written (commas, backslashes, quotes, blanks, bytes of any encoding); a
// change touches the one line of its key, every other byte stays.
#pragma once

#include <optional>
#include <string>

namespace rx {

// The value of the last "key=value" line under a "[section]" header (a
// section may be written more than once, the later line wins); nothing when
// there is none.
std::optional<std::string> FindSetting(const std::string& text, const std::string& section,
                                       const std::string& key);

// text with key set to value: the value of its line replaced, or a line added
// after the section's last key (the section added at the end when it has
// none), in the line end the file uses. Nothing when the value holds a line
// end, or the section or key is no name a header or key line can carry.
std::optional<std::string> SetSetting(const std::string& text, const std::string& section,
                                      const std::string& key, const std::string& value);

}  // namespace rx
