// Per-user store of text values addressed by application, section and key.
#pragma once

#include <string>

namespace rx {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored text, or "" when there is none.
  virtual std::string Read(const std::string& application, const std::string& section,
                           const std::string& key) = 0;
  // False when the value could not be stored (a read-only file, a directory
  // in its place).
  virtual bool Write(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& value) = 0;
};

}  // namespace rx
