#include "platform/qt/qt_process_services.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
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

namespace {

// logind answers at once or not at all; a closing program waits no longer.
constexpr int kLogindTimeoutMs = 3000;

// One call to logind's manager, answered on the event loop.
void CallLogind(const QString& method, const QVariantList& arguments,
                std::function<void(const QDBusMessage&)> answered) {
  QDBusConnection bus = QDBusConnection::systemBus();
  QDBusMessage call = QDBusMessage::createMethodCall(
      "org.freedesktop.login1", "/org/freedesktop/login1", "org.freedesktop.login1.Manager", method);
  call.setArguments(arguments);
  if (!bus.isConnected()) {
    answered(call.createErrorReply(QDBusError::Disconnected, "no system bus"));
    return;
  }
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, kLogindTimeoutMs));
  QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                   [answered = std::move(answered)](QDBusPendingCallWatcher* done) {
                     answered(done->reply());
                     done->deleteLater();
                   });
}

}  // namespace

void LogindPowerOff::Request(std::function<void(bool)> answered) {
  auto tell = [answered](bool switchedOff) {
    if (answered) answered(switchedOff);
  };
  CallLogind("CanPowerOff", {}, [tell](const QDBusMessage& can) {
    const QString value = can.arguments().value(0).toString();
    // "challenge" means logind asks for the password itself; we do not answer for it.
    if (can.type() != QDBusMessage::ReplyMessage || (value != "yes" && value != "challenge"))
      return tell(false);
    CallLogind("PowerOff", {false}, [tell](const QDBusMessage& reply) {
      tell(reply.type() == QDBusMessage::ReplyMessage);
    });
  });
}

}  // namespace rx
