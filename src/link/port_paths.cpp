#include "link/port_paths.h"

#include <filesystem>
#include <system_error>

namespace rx {

std::string DevicePathForPort(int number, const std::string& pathTemplate) {
  return DevicePathForPort(number, pathTemplate, [](const std::string& path) {
    std::error_code ignored;
    return std::filesystem::exists(path, ignored);
  });
}

std::string DevicePathForPort(int number, const std::string& pathTemplate,
                              const std::function<bool(const std::string&)>& exists) {
  if (!pathTemplate.empty()) {
    std::string path = pathTemplate;
    for (std::size_t at = path.find("{n}"); at != std::string::npos; at = path.find("{n}", at))
      path.replace(at, 3, std::to_string(number));
    return path;
  }
  if (number == 1 || number == 2) return "/dev/ttyS" + std::to_string(number - 1);
  if (number < 3) return "";
  std::string usb = "/dev/ttyUSB" + std::to_string(number - 3);
  if (exists(usb)) return usb;
  std::string acm = "/dev/ttyACM" + std::to_string(number - 3);
  return exists(acm) ? acm : usb;
}

}  // namespace rx
