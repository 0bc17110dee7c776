#include "platform/qt/qt_services.h"

#include <unistd.h>

#include <chrono>

#include <QApplication>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

namespace rx {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

std::string QtSettingsStore::Read(const std::string& application, const std::string& section,
                                  const std::string& key) {
  QSettings settings(QSettings::IniFormat, QSettings::UserScope, Q(application));
  settings.beginGroup(Q(section));
  return settings.value(Q(key)).toString().toStdString();
}

bool QtSettingsStore::Write(const std::string& application, const std::string& section,
                            const std::string& key, const std::string& value) {
  QSettings settings(QSettings::IniFormat, QSettings::UserScope, Q(application));
  if (!settings.isWritable()) return false;
  settings.beginGroup(Q(section));
  settings.setValue(Q(key), Q(value));
  settings.endGroup();
  settings.sync();
  return settings.status() == QSettings::NoError;
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
