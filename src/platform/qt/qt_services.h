// Qt implementations of the small platform services.
#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

#include "platform/beeper.h"
#include "platform/clock.h"
#include "platform/event_loop.h"
#include "platform/settings_store.h"
#include "platform/single_instance.h"

namespace rx {

// An INI file, "$XDG_CONFIG_HOME/<application>.ini", one "[section]" per
// section, kept as written (shell/settings_file.h); a write replaces the file
// whole through a temporary file beside it, and only a writable regular file.
class QtSettingsStore : public SettingsStore {
 public:
  std::string Read(const std::string& application, const std::string& section,
                   const std::string& key) override;
  bool Write(const std::string& application, const std::string& section, const std::string& key,
             const std::string& value) override;
};

class QtClock : public Clock {
 public:
  DateTime Now() override;
  std::string ShortDate(const DateTime& when) override;
  long long MonotonicMs() override;
};

class QtBeeper : public Beeper {
 public:
  void Beep() override;
};

// Posted tasks are single-shot timers of an object of its own: they die with
// it, so none runs after the loop is gone.
class QtEventLoop : public EventLoop {
 public:
  void Post(int delayMs, std::function<void()> task) override;

 private:
  QObject context_;
};

// A lock file in the user's runtime directory. A lock left by a copy that
// crashed is recognised by its dead process and taken over.
class QtSingleInstance : public SingleInstance {
 public:
  QtSingleInstance();
  bool TryAcquire() override;
  QString LockPath() const;

 private:
  std::unique_ptr<QLockFile> lock_;
};

}  // namespace rx
