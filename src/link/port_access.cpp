#include "link/port_access.h"

#include <pwd.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <vector>

#include "link/port_paths.h"

namespace rx {

std::string LoginName() {
  // $USER is whatever the caller's environment says (root under setpriv,
  // nothing at all under some service managers); the real user id is who
  // is refused.
  const uid_t uid = getuid();
  passwd entry{};
  passwd* found = nullptr;
  std::vector<char> buffer(16384);
  if (getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found && *found->pw_name)
    return found->pw_name;
  return std::to_string(uid);
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

// A path as shown: byte for byte, but a control character as \xNN so that a
// hostile name cannot break a line or steer the terminal.
std::string Visible(const std::string& path) {
  std::string shown;
  for (unsigned char c : path) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
    shown += c < 0x20 || c == 0x7f ? std::string(escaped) : std::string(1, static_cast<char>(c));
  }
  return shown;
}

// A path in a command to copy: quoted for the shell when it needs it.
std::string ShellWord(const std::string& path) {
  if (!path.empty() && path.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                              "0123456789/._+-:@,%=") == std::string::npos)
    return path;
  std::string quoted = "'";
  for (char c : Visible(path)) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

bool PrivilegedGroup(const std::string& group) {
  static constexpr std::array kPrivileged = {"0",   "root", "wheel", "sudo",  "admin",
                                             "adm", "disk", "kmem",  "shadow"};
  for (const char* name : kPrivileged)
    if (group == name) return true;
  return false;
}

std::string PortLines(int number, bool configured, const std::string& path, const DeviceFile& file,
                      const std::string& user) {
  const std::string indent(10, ' ');
  char head[16];
  std::snprintf(head, sizeof head, "%c COM%-4d ", configured ? '*' : ' ', number);
  std::string lines = head + Visible(path) + ": ";
  const std::string word = ShellWord(path);
  if (!file.problem.empty()) return lines + "cannot be looked at (" + file.problem + ")\n";
  if (!file.exists) return lines + "missing\n";
  if (file.kind != FileKind::CharDevice)
    return lines + "present, but " + KindText(file.kind) + ", not a serial device\n";
  lines += file.usable ? "present, you may read and write it\n"
                       : "present, you may NOT read and write it (owner " + file.owner + ", group " +
                             file.group + ", mode " + ModeText(file.mode) + ")\n";
  if (!file.usable) {
    // Members of its group may use it, or only its owner; the device files
    // of serial adapters belong to dialout. A group that gives powers over
    // the system is never one to join for a serial port.
    const std::string toDialout = "sudo adduser " + user + " dialout and log in again\n";
    if ((file.mode & 060) != 060)
      lines += indent + "only its owner may use it: sudo chgrp dialout " + word + " && sudo chmod g+rw " +
               word + ", then " + toDialout;
    else if (PrivilegedGroup(file.group))
      lines += indent + "its group " + file.group + " lets no ordinary user in: a udev rule giving it to " +
               "group dialout, or sudo chgrp dialout " + word + "; then " + toDialout;
    else
      lines += indent + "group " + file.group + " may use it: sudo adduser " + user + " " + file.group +
               ", then log in again\n";
  }
  for (const std::string& link : file.links) lines += indent + "also named " + Visible(link) + "\n";
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
