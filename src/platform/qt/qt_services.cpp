#include "platform/qt/qt_services.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>

#include <QApplication>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTimer>

#include "shell/settings_file.h"

namespace rx {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

namespace {

constexpr off_t kLargestSettingsFile = 1 << 20;  // more is no settings file of ours

std::string SettingsPath(const std::string& application) {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString() + "/" +
         application + ".ini";
}

enum class Found { Text, Missing, Unreadable };

// The file's whole text. Anything but a regular file of a sane size (a
// directory, a fifo that would block, a device) counts as unreadable.
Found ReadWhole(const std::string& path, std::string* text, mode_t* mode) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return errno == ENOENT ? Found::Missing : Found::Unreadable;
  struct stat status {};
  bool whole = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
  char buffer[8192];
  for (ssize_t n = 1; whole && n > 0;) {
    n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n > 0) text->append(buffer, static_cast<std::size_t>(n));
    whole = n >= 0 && text->size() <= static_cast<std::size_t>(kLargestSettingsFile);
  }
  ::close(fd);
  if (mode) *mode = status.st_mode & 07777;
  return whole ? Found::Text : Found::Unreadable;
}

// The file a link leads to is the one written; a dangling link is left alone.
bool Resolve(const std::string& path, std::string* target) {
  struct stat status {};
  *target = path;
  if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return true;
  char* real = ::realpath(path.c_str(), nullptr);
  if (!real) return false;
  *target = real;
  std::free(real);
  return true;
}

// A temporary file beside it, renamed over it: a full disk or a crash leaves
// the old file whole.
bool Replace(const std::string& path, const std::string& text, mode_t mode) {
  std::string temporary = path + ".XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return false;
  bool written = ::fchmod(fd, mode) == 0;
  for (std::size_t at = 0; written && at < text.size();) {
    const ssize_t n = ::write(fd, text.data() + at, text.size() - at);
    if (n < 0 && errno == EINTR) continue;
    written = n > 0;
    at += written ? static_cast<std::size_t>(n) : 0;
  }
  written = written && ::fsync(fd) == 0;
  written = ::close(fd) == 0 && written;
  if (written && ::rename(temporary.c_str(), path.c_str()) == 0) return true;
  ::unlink(temporary.c_str());
  return false;
}

}  // namespace

std::string QtSettingsStore::Read(const std::string& application, const std::string& section,
                                  const std::string& key) {
  std::string text;
  if (ReadWhole(SettingsPath(application), &text, nullptr) != Found::Text) return "";
  return FindSetting(text, section, key).value_or("");
}

bool QtSettingsStore::Write(const std::string& application, const std::string& section,
                            const std::string& key, const std::string& value) {
  const std::string path = SettingsPath(application);
  std::string target, text;
  if (!Resolve(path, &target)) return false;
  mode_t mode = 0;
  const Found found = ReadWhole(target, &text, &mode);
  if (found == Found::Unreadable) return false;  // never written over unread
  if (found == Found::Missing) {
    struct stat status {};
    if (::lstat(target.c_str(), &status) == 0) return false;  // there, but no file to read
    if (!QDir().mkpath(QFileInfo(Q(target)).absolutePath())) return false;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  } else if (::access(target.c_str(), W_OK) != 0 || (mode & 0222) == 0) {
    return false;  // a file made read-only is kept as it is, by root too
  }
  const std::optional<std::string> changed = SetSetting(text, section, key, value);
  if (!changed) return false;
  return *changed == text || Replace(target, *changed, mode);
}

DateTime QtClock::Now() {
  QDateTime now = QDateTime::currentDateTime();
  return {now.date().year(),   now.date().month(),  now.date().day(),
          now.time().hour(), now.time().minute(), now.time().second()};
}

std::string QtClock::ShortDate(const DateTime& when) {
  return QLocale::system()
      .toString(QDate(when.year, when.month, when.day), QLocale::ShortFormat)
      .toStdString();
}

long long QtClock::MonotonicMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void QtBeeper::Beep() { QApplication::beep(); }

void QtEventLoop::Post(int delayMs, std::function<void()> task) {
  QTimer::singleShot(delayMs > 0 ? delayMs : 0, Qt::PreciseTimer, &context_, std::move(task));
}

QtSingleInstance::QtSingleInstance() {
  lock_ = std::make_unique<QLockFile>(LockPath());
  // Only a dead owner makes a lock stale, never its age: a copy may run for days.
  lock_->setStaleLockTime(0);
}

QString QtSingleInstance::LockPath() const {
  QString directory = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (directory.isEmpty()) directory = QDir::tempPath();
  return directory + QString("/rx710kp-%1.lock").arg(getuid());
}

bool QtSingleInstance::TryAcquire() { return lock_->isLocked() || lock_->tryLock(0); }

}  // namespace rx
