// The six persistent settings: read once at start, a missing value written
// back with its default.
#pragma once

#include <optional>
#include <string>

#include "shell/terminal.h"

namespace rx {

std::string ReadSetting(Terminal& t, const std::string& application, const std::string& section,
                        const std::string& key, const std::string& fallback);

// A Boolean setting. A stored text that is neither True nor False counts as
// missing: the default is used and written back.
bool ReadBooleanSetting(Terminal& t, const std::string& key, bool fallback);

// PortNo: a number 1-255, otherwise treated as missing.
int ReadPortSetting(Terminal& t);
std::optional<int> ParsePort(const std::string& text);

// The text in lower case (ASCII): settings are read without regard to case.
std::string Lower(std::string text);
// Without the blanks and tabs around it: a hand-edited "Debug = True" is meant.
std::string Trim(const std::string& text);

void WriteSetting(Terminal& t, const std::string& key, const std::string& value);

// The text form of a Boolean as the store keeps it.
std::string BooleanText(bool value);

}  // namespace rx
