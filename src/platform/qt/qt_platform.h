// Every platform service on Qt, for a program built around the window: the
// terminal itself, and the tools and probes that build it the same way.
#pragma once

#include <functional>
#include <string>

#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_page_printer.h"
#include "platform/qt/qt_process_services.h"
#include "platform/qt/qt_serial_port.h"
#include "platform/qt/qt_services.h"
#include "shell/terminal.h"

namespace rx {

struct QtPlatform {
  // pathFor maps a port number to its device file.
  QtPlatform(QWidget* window, std::function<std::string(int)> pathFor)
      : messages(window), desktop(window), port(std::move(pathFor)) {}

  Platform Services() { return Services(messages, power); }
  // With a message box and a power-off of the caller's own (a probe that
  // must neither block on a dialog nor switch the machine off).
  Platform Services(MessageBox& messageBox, PowerOff& powerOff) {
    return Platform{settings, clock, messageBox, beeper,   events,
                    desktop,  instance, port,    printer,  launcher, powerOff};
  }

  QtSettingsStore settings;
  QtClock clock;
  QtMessageBox messages;
  QtBeeper beeper;
  QtEventLoop events;
  QtDesktop desktop;
  QtSingleInstance instance;
  QtSerialPort port;
  QtPagePrinter printer;
  QtProgramLauncher launcher;
  LogindPowerOff power;
};

}  // namespace rx
