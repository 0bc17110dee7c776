#include "ui/program_end.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QPointer>
#include <QSessionManager>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>

#include "ui/main_window.h"

namespace rx {

namespace {

// The signal handler may only write a byte; the event loop reads it.
int terminationPipe[2] = {-1, -1};

void OnTerminationSignal(int signal) {
  int saved = errno;
  char byte = static_cast<char>(signal);  // which one, for an exit code of 128 + signal
  [[maybe_unused]] ssize_t ignored = write(terminationPipe[0], &byte, 1);
  errno = saved;
}

}  // namespace

bool CatchTerminationSignals() {
  if (terminationPipe[0] >= 0) return true;
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, terminationPipe) != 0)
    return false;
  struct sigaction action = {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
  return true;
}

namespace {

QPointer<QSocketNotifier> notifier;

}  // namespace

void OnTerminationSignals(QObject* context, std::function<void(int signal)> ended) {
  if (!CatchTerminationSignals()) return;
  delete notifier.data();
  notifier = new QSocketNotifier(terminationPipe[1], QSocketNotifier::Read, context);
  QObject::connect(notifier, &QSocketNotifier::activated, context, [ended = std::move(ended)] {
    char bytes[16];
    int first = 0;  // the signal that came first is the one that ends
    for (ssize_t got; (got = read(terminationPipe[1], bytes, sizeof bytes)) > 0;)
      if (first == 0) first = static_cast<unsigned char>(bytes[0]);
    ended(first);
  });
}

void OnTerminationSignals(QObject* context, std::function<void()> ended) {
  OnTerminationSignals(context, std::function<void(int)>([ended = std::move(ended)](int) { ended(); }));
}

void InstallProgramEnd(QApplication& app, frmMain& window) {
  OnTerminationSignals(&window, [&window] { window.CloseBySystem(); });
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                   [&window](QSessionManager&) { window.CloseBySystem(); });
  QApplication::setQuitOnLastWindowClosed(false);
  QObject::connect(&window, &frmMain::unloaded, &app, &QCoreApplication::quit, Qt::QueuedConnection);
  QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, [&window] { window.UnloadNow(); });
}

}  // namespace rx
