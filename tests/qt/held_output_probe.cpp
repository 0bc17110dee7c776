// The terminal built as app/rx710kp.cpp builds it (window, Qt services, the
// end through SIGTERM and unloaded), driven to a serial text output into a
// held line and left asking whether to stop it: for the tests of how the
// program ends.
//
//   held_output_probe PTY DATA-DIR
//
// Prints "asking N" (N: characters held in the output queue) once the stop
// question is open, and "message: TEXT" or "error: TEXT" for what the
// operator would see. Message boxes and switching off are stand-ins: a test
// must neither block on a dialog nor switch the machine off.

#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "console/dispatcher.h"
#include "platform/qt/qt_platform.h"
#include "shell/startup.h"
#include "ui/main_window.h"
#include "ui/program_end.h"

namespace {

void Say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

class PrintedMessages : public rx::MessageBox {
 public:
  rx::MessageAnswer Show(const std::string& text, rx::MessageButtons, rx::MessageIcon) override {
    Say("message: " + text);
    return rx::MessageAnswer::Ok;
  }
};

class NoPowerOff : public rx::PowerOff {
 public:
  bool Request() override {
    Say("power off");
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: held_output_probe PTY DATA-DIR\n");
    return 2;
  }
  const std::string portPath = argv[1];
  const std::string dataDirectory = argv[2];

  QApplication app(argc, argv);
  rx::frmMain window;
  PrintedMessages messages;
  NoPowerOff power;
  rx::QtPlatform services(&window, [portPath](int) { return portPath; });
  rx::Terminal terminal(services.Services(messages, power), dataDirectory);

  if (!rx::Form_Load(terminal)) return 0;
  window.Attach(&terminal);

  rx::InstallProgramEnd(app, window);
  window.show();

  // Sub-menu item 3, the first file, all blocks, confirmed.
  auto press = [&](std::initializer_list<int> keys) {
    for (int key : keys) rx::lblKey_Click(terminal, key);
    window.Refresh();
  };
  QTimer::singleShot(0, &window, [&] {
    press({rx::Keys::Clear, 3, rx::Keys::Enter, rx::Keys::Enter, 1, rx::Keys::Enter, rx::Keys::Enter});
  });
  // Esc once the output waits for room; the question then stays open.
  QTimer watch;
  watch.setTimerType(Qt::PreciseTimer);
  bool asked = false;
  QObject::connect(&watch, &QTimer::timeout, &window, [&] {
    const rx::Form& f = terminal.form;
    if (f.KeyMode == rx::Mode::Busy && terminal.link.output.active && services.port.OutputQueueCount() > 100)
      press({rx::Keys::Esc});
    if (f.KeyMode == rx::Mode::AbortConfirm && !asked) {
      asked = true;
      Say("asking " + std::to_string(services.port.OutputQueueCount()));
    } else if (f.KeyMode == rx::Mode::ErrorShown) {
      Say("error: " + f.lblError.caption);
      watch.stop();
    }
  });
  watch.start(2);
  return app.exec();
}
