// The terminal built as app/rx710kp.cpp builds it, driven by keys until it asks
// a question: "program_probe output|paper|read PTY DATA-DIR" says "asking N"
// when an output into a held line, or on paper waiting on the print service,
// asks whether to stop, "closing asked R" when the close box asks during a
// read; errors as "error: TEXT"; switching off says "power off".

#include <QApplication>
#include <QCloseEvent>
#include <QTimer>
#include <QWindow>
#include <cstdio>

#include "console/dispatcher.h"
#include "platform/qt/qt_page_printer.h"
#include "platform/qt/qt_platform.h"
#include "shell/startup.h"
#include "ui/main_window.h"
#include "ui/program_end.h"

namespace {

void Say(const std::string& line) { std::puts(line.c_str()), std::fflush(stdout); }

struct NoPowerOff : rx::PowerOff {
  void Request(std::function<void(bool)> answered) override {
    Say("power off");
    if (answered) answered(true);
  }
};

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc == 4 ? argv[1] : "";
  if (mode != "output" && mode != "paper" && mode != "read") return 2;
  rx::CatchTerminationSignals();
  QApplication app(argc, argv);
  rx::frmMain window;
  NoPowerOff power;
  rx::QtPlatform services(&window, [port = std::string(argv[2])](int) { return port; });
  rx::Terminal terminal(services.Services(services.messages, power), argv[3]);

  if (!rx::Form_Load(terminal, [] { QCoreApplication::exit(0); })) return app.exec();
  window.Attach(&terminal);

  rx::InstallProgramEnd(app, window);
  window.show();

  auto press = [&](std::initializer_list<int> keys) {
    for (int key : keys) rx::lblKey_Click(terminal, key);
    window.Refresh();
  };
  QTimer::singleShot(0, &window, [&] {
    if (mode != "read")  // sub-menu item 3, the first file, all blocks, confirmed
      press({rx::Keys::Clear, 3, rx::Keys::Enter, rx::Keys::Enter, 1, rx::Keys::Enter, rx::Keys::Enter});
    else  // the course memory, all blocks, confirmed
      press({1, rx::Keys::Enter, 4, rx::Keys::Enter, rx::Keys::Enter, rx::Keys::Enter});
  });
  QTimer watch;
  bool asked = false;
  QObject::connect(&watch, &QTimer::timeout, &window, [&] {
    const rx::Form& f = terminal.form;
    if (f.KeyMode == rx::Mode::ErrorShown) {
      Say("error: " + f.lblError.caption);
      watch.stop();
    } else if (mode != "read") {
      // Esc once the output waits for room or the print service; the question stays open.
      const bool waiting = mode == "paper" ? terminal.link.output.job && terminal.link.output.job->AwaitsService()
                                           : terminal.link.output.active && services.port.OutputQueueCount() > 100;
      if (f.KeyMode == rx::Mode::Busy && waiting) press({rx::Keys::Esc});
      if (f.KeyMode == rx::Mode::AbortConfirm && !asked) {
        asked = true;
        Say("asking " + std::to_string(services.port.OutputQueueCount()));
      }
    } else if (f.StoredCount >= 20 && !asked) {
      asked = true;
      QCloseEvent close;
      QCoreApplication::sendEvent(window.windowHandle(), &close);
      if (services.messages.Asking() && window.isVisible()) Say("closing asked " + std::to_string(f.StoredCount));
    }
  });
  watch.start(2);
  return app.exec();
}
