#include "link/port_access.h"

#include <cstdio>
#include <cstdlib>

#include "link/port_paths.h"

namespace rx {

std::string LoginName() {
  for (const char* name : {"USER", "LOGNAME"})
    if (const char* value = std::getenv(name); value && *value) return value;
  return "$USER";
}

std::string PortAccessText(const std::string& device, const std::string& user) {
  return "シリアルポートのデバイスファイルを開けません：\n  " + device + "\n" +
         "このアカウント（" + user + "）には、このファイルを使う権限がありません。\n" +
         "対処：次のコマンドでアカウントを dialout グループに加え、" +
         "ログアウトしてからログインし直してください。\n" +
         "  sudo adduser " + user + " dialout";
}

void TellPortAccess(Terminal& t, const std::string& device) {
  if (device.empty() || t.portAccessTold) return;
  t.portAccessTold = true;
  const std::string text = PortAccessText(device, LoginName());
  std::fprintf(stderr, "rx710kp: %s\n", text.c_str());
  t.platform.messages.Ask(text, MessageButtons::Ok, MessageIcon::Warning, {});
}

namespace {

std::string ModeText(unsigned mode) {
  std::string text = "rwxrwxrwx";
  for (int bit = 0; bit < 9; ++bit)
    if (!(mode & (0400u >> bit))) text[bit] = '-';
  return text;
}

std::string PortLines(int number, bool configured, const std::string& path, const DeviceFile& file,
                      const std::string& user) {
  const std::string indent(10, ' ');
  char head[16];
  std::snprintf(head, sizeof head, "%c COM%-4d ", configured ? '*' : ' ', number);
  std::string lines = head + path + ": ";
  if (!file.problem.empty()) return lines + "cannot be looked at (" + file.problem + ")\n";
  if (!file.exists) return lines + "missing\n";
  lines += file.usable ? "present, you may read and write it\n"
                       : "present, you may NOT read and write it (owner " + file.owner + ", group " +
                             file.group + ", mode " + ModeText(file.mode) + ")\n";
  if (!file.usable) {
    // Members of its group may use it, or only its owner; the device files
    // of serial adapters belong to dialout.
    if ((file.mode & 060) == 060)
      lines += indent + "group " + file.group + " may use it: sudo adduser " + user + " " + file.group +
               ", then log in again\n";
    else  // joining a group would not help: the file itself must let its group in
      lines += indent + "only its owner may use it: sudo chgrp dialout " + path +
               " && sudo chmod g+rw " + path + ", then sudo adduser " + user + " dialout\n";
  }
  for (const std::string& link : file.links) lines += indent + "also named " + link + "\n";
  return lines;
}

}  // namespace

std::string ListPorts(int portNo, const std::string& pathTemplate, const std::string& user,
                      const std::function<DeviceFile(const std::string&)>& inspect) {
  constexpr int kLastPort = 16;
  std::string out = "Serial ports (* the configured port, PortNo=" + std::to_string(portNo) + "):\n";
  auto exists = [&](const std::string& path) { return inspect(path).exists; };
  auto add = [&](int number) {
    const std::string path = DevicePathForPort(number, pathTemplate, exists);
    out += PortLines(number, number == portNo, path, inspect(path), user);
  };
  for (int number = 1; number <= kLastPort; ++number) add(number);
  if (portNo > kLastPort) add(portNo);
  return out;
}

}  // namespace rx
