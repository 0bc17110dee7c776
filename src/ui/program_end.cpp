#include "ui/program_end.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <csignal>

#include "ui/main_window.h"

namespace rx {

namespace {

// The signal handler may only write a byte; the event loop reads it.
int terminationPipe[2] = {-1, -1};

void OnTerminationSignal(int) {
  char byte = 1;
  [[maybe_unused]] ssize_t ignored = write(terminationPipe[0], &byte, 1);
}

}  // namespace

void InstallProgramEnd(QApplication& app, frmMain& window) {
  if (socketpair(AF_UNIX, SOCK_STREAM, 0, terminationPipe) == 0) {
    auto* notifier = new QSocketNotifier(terminationPipe[1], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
      char byte;
      [[maybe_unused]] ssize_t ignored = read(terminationPipe[1], &byte, 1);
      window.CloseBySystem();
    });
    std::signal(SIGTERM, OnTerminationSignal);
  }
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                   [&window](QSessionManager&) { window.CloseBySystem(); });
  QApplication::setQuitOnLastWindowClosed(false);
  QObject::connect(&window, &frmMain::unloaded, &app, &QCoreApplication::quit, Qt::QueuedConnection);
  QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, [&window] { window.UnloadNow(); });
}

}  // namespace rx
