#include "platform/qt/qt_process_services.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QProcess>
#include <QStandardPaths>

namespace rx {

bool QtProgramLauncher::StartDetached(const std::string& program,
                                      const std::vector<std::string>& arguments) {
  QString executable = QStandardPaths::findExecutable(QString::fromStdString(program));
  if (executable.isEmpty()) return false;
  QStringList list;
  for (const std::string& argument : arguments) list << QString::fromStdString(argument);
  return QProcess::startDetached(executable, list);
}

bool LogindPowerOff::Request() {
  QDBusConnection bus = QDBusConnection::systemBus();
  if (!bus.isConnected()) return false;
  QDBusInterface manager("org.freedesktop.login1", "/org/freedesktop/login1",
                         "org.freedesktop.login1.Manager", bus);
  if (!manager.isValid()) return false;
  QDBusReply<QString> can = manager.call("CanPowerOff");
  // "challenge" means logind asks for the password itself; we do not answer for it.
  if (!can.isValid() || (can.value() != "yes" && can.value() != "challenge")) return false;
  QDBusMessage reply = manager.call("PowerOff", false);
  return reply.type() != QDBusMessage::ErrorMessage;
}

}  // namespace rx
