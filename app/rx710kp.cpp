// rx710kp: the operator terminal of the RX-710 timing device.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFont>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "link/file_print.h"
#include "link/port_access.h"
#include "link/port_paths.h"
#include "platform/qt/qt_page_printer.h"
#include "platform/qt/qt_platform.h"
#include "shell/settings.h"
#include "shell/startup.h"
#include "shell/terminal.h"
#include "shell/text_target.h"
#include "shell/version.h"
#include "sim/pty_device.h"
#include "ui/main_window.h"
#include "ui/program_end.h"

namespace {

struct Options {
  QString dataDirectory;
  std::string portPath;
  bool simulate = false;
  bool relayMode = false;
  bool listPorts = false;
  std::string printFile;  // --print: lay out this file and end, no window
  std::optional<rx::TextTarget> printTo;
  int exitCode = -1;  // set when the program should end at once
};

// The bytes an option was given (its last value, as the parser takes it): a
// path need not be text in any encoding.
std::string OptionBytes(int argc, char** argv, std::string_view option, const QString& value) {
  for (int i = argc - 1; i > 0; --i) {
    std::string_view argument = argv[i];
    if (argument.starts_with(option) && argument.size() > option.size() && argument[option.size()] == '=')
      argument.remove_prefix(option.size() + 1);
    else if (argv[i - 1] != option)
      continue;
    if (QString::fromLocal8Bit(argument.data(), qsizetype(argument.size())) == value)
      return std::string(argument);
  }
  return value.toLocal8Bit().toStdString();
}

Options ParseOptions(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);

  QCommandLineParser parser;
  parser.setApplicationDescription("Operator terminal for the RX-710 timing device.");
  QCommandLineOption dataDir("data-dir", "Directory of the data files (default ~/RX-710).", "DIR");
  QCommandLineOption portPath("port-path",
                              "Device file of the port; {n} in it stands for the port number.",
                              "TEMPLATE");
  QCommandLineOption simulate("simulate",
                              "Talk to a simulated RX-710 with a demo race instead of a real one.");
  QCommandLineOption simulateRelay("simulate-relay",
                                   "As --simulate, with the simulated RX-710 in relay mode.");
  QCommandLineOption listPorts("list-ports",
                               "List ports 1-16 and PortNo: device file, whether it exists and "
                               "you may use it (why not, what to do), its by-id names; then end.");
  QCommandLineOption print("print",
                           "Print FILE's text output (header, record lines, trailer) and end, "
                           "without the window: exit 0 when the printer took it or the PDF was "
                           "written, 1 when not (FILE not a regular file, a PDF that would replace "
                           "it, a print service silent for 20 s), 128 + N when signal N ended it.",
                           "FILE");
  QCommandLineOption to("to",
                        "With --print: 'printer' (the default printer), 'printer:NAME' or "
                        "'pdf:PATH'. Default: the TextOutput setting, else the default printer.",
                        "TARGET");
  QCommandLineOption help({"h", "help"}, "Show this help and end.");
  QCommandLineOption version("version", "Show the version and end.");
  parser.addOptions({dataDir, portPath, simulate, simulateRelay, listPorts, print, to, help, version});

  Options options;
  auto fail = [&](const QString& message) {
    std::fprintf(stderr, "rx710kp: %s\nTry 'rx710kp --help'.\n", qPrintable(message));
    options.exitCode = 2;
    return options;
  };
  if (!parser.parse(arguments)) return fail(parser.errorText());
  if (!parser.positionalArguments().isEmpty())
    return fail("unexpected argument '" + parser.positionalArguments().first() + "'");
  // Nothing given twice (which one would count?), nothing empty (an unset
  // variable in a script), no two ways of running at once.
  const QStringList given = parser.optionNames();
  for (const QString& name : given)
    if (given.count(name) > 1) return fail("--" + name + " given twice");
  for (const QCommandLineOption* option : {&dataDir, &portPath, &print, &to})
    if (parser.isSet(*option) && parser.value(*option).isEmpty())
      return fail("--" + option->names().first() + " names nothing");
  const QCommandLineOption* const modes[] = {&print, &listPorts, &simulate, &simulateRelay};
  const struct { const QCommandLineOption* option; std::vector<const QCommandLineOption*> with; } belongs[] = {
      {&to, {&print}},
      {&portPath, {nullptr, &listPorts}},
  };
  const QCommandLineOption* mode = nullptr;  // none: the window on a real device
  for (const QCommandLineOption* option : modes) {
    if (!parser.isSet(*option)) continue;
    if (mode) return fail("--" + mode->names().first() + " and --" + option->names().first() + " exclude each other");
    mode = option;
  }
  for (const auto& rule : belongs) {
    if (!parser.isSet(*rule.option) || std::find(rule.with.begin(), rule.with.end(), mode) != rule.with.end())
      continue;
    return fail("--" + rule.option->names().first() + (mode ? " and --" + mode->names().first() + " exclude each other"
                                                               : QString(" goes with --print")));
  }
  if (parser.isSet(help)) {
    std::printf("%s", qPrintable(parser.helpText().replace("<executable_name>", "rx710kp")));
    options.exitCode = 0;
    return options;
  }
  if (parser.isSet(version)) {
    std::printf("rx710kp %s\n", rx::kVersionText);
    options.exitCode = 0;
    return options;
  }
  if (parser.isSet(print)) {
    options.printFile = OptionBytes(argc, argv, "--print", parser.value(print));
    if (parser.isSet(to)) {
      const QString target = parser.value(to);
      options.printTo = rx::ParseTextTarget(OptionBytes(argc, argv, "--to", target), rx::TargetSpelling::Option);
      if (!options.printTo) return fail("unknown print target '" + target + "' (printer, printer:NAME or pdf:PATH)");
    }
  }
  options.dataDirectory =
      parser.isSet(dataDir) ? parser.value(dataDir) : QDir::homePath() + "/RX-710";
  options.relayMode = parser.isSet(simulateRelay);
  options.listPorts = parser.isSet(listPorts);
  options.simulate = parser.isSet(simulate) || options.relayMode;
  if (parser.isSet(portPath)) {
    std::string path = OptionBytes(argc, argv, "--port-path", parser.value(portPath));
    options.portPath =
        path.starts_with("~/") ? QDir::homePath().toLocal8Bit().toStdString() + path.substr(1) : path;
  }
  return options;
}

// --print: the text output of one file, a step per turn of the event loop, so
// SIGTERM, SIGINT and SIGHUP end it at once (128 + the signal) whatever it
// waits for, and leave no PDF.
int PrintFile(int argc, char** argv, const Options& options) {
  // No window: the layout needs fonts, not a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const std::string& file = options.printFile;
  // The default printer unless --to or the setting says otherwise.
  std::optional<rx::TextTarget> target = options.printTo;
  if (!target) {
    const std::string text = rx::QtSettingsStore().Read(rx::kApplication, rx::kSection, "TextOutput");
    target = rx::ParseTextTarget(text, rx::TargetSpelling::Setting);
    if (!target && !text.empty()) {
      std::fprintf(stderr, "rx710kp: cannot print %s: TextOutput=%s names no target\n", file.c_str(),
                   text.c_str());
      return 1;
    }
  }
  rx::QtPagePrinter printer;
  rx::FilePrint print(printer, rx::ToPageTarget(target.value_or(rx::TextTarget{}), file), file);
  QTimer step;
  step.setSingleShot(true);
  bool over = false;  // the first end counts: a signal after the hand-over changes nothing
  auto end = [&](int code) {
    if (std::exchange(over, true)) return;
    step.stop();
    print.Stop();
    QCoreApplication::exit(code);
  };
  rx::OnTerminationSignals(&app, [&](int signal) { end(128 + signal); });
  QObject::connect(&step, &QTimer::timeout, &app, [&] {
    switch (print.Step()) {
      case rx::FilePrint::Stand::Working: return step.start(0);
      case rx::FilePrint::Stand::Waiting: return step.start(20);  // the print service's answer
      case rx::FilePrint::Stand::Done: return end(0);
      case rx::FilePrint::Stand::Failed:
        std::fprintf(stderr, "rx710kp: cannot print %s: %s\n", file.c_str(), print.Reason().c_str());
        return end(1);
    }
  });
  step.start(0);
  return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
  rx::CatchTerminationSignals();
  Options options = ParseOptions(argc, argv);
  if (options.exitCode >= 0) return options.exitCode;
  if (options.listPorts) {
    const auto portNo = rx::ParsePort(rx::QtSettingsStore().Read(rx::kApplication, rx::kSection, "PortNo"));
    std::printf("%s", rx::ListPorts(portNo.value_or(rx::kDefaultPortNo), options.portPath, rx::LoginName(),
                                    rx::InspectDeviceFile).c_str());
    return 0;
  }
  if (!options.printFile.empty()) return PrintFile(argc, argv, options);

  // The simulated device answers on a pseudo-terminal from its own thread;
  // every port number leads to it.
  std::unique_ptr<rx::sim::PtyDevice> simulator;
  if (options.simulate) {
    rx::sim::Options device;
    device.relayMode = options.relayMode;
    simulator = std::make_unique<rx::sim::PtyDevice>(device);
    std::string error;
    if (!simulator->Start(&error)) {
      std::fprintf(stderr, "rx710kp: the simulated device could not start: %s\n", error.c_str());
      return 1;
    }
    options.portPath = simulator->SlavePath();
  }

  QApplication app(argc, argv);
  QApplication::setFont(QFont(QStringLiteral("IPAGothic")));
  // The desktop matches the window to its entry (and icon) by this id.
  QGuiApplication::setDesktopFileName(rx::kDesktopId);

  rx::frmMain window;
  rx::QtPlatform services(&window, [path = options.portPath](int number) {
    return rx::DevicePathForPort(number, path);
  });
  rx::Terminal terminal(services.Services(), options.dataDirectory.toStdString());

  // A second copy shows its notice until it is closed or a signal ends it.
  if (!rx::Form_Load(terminal, [] { QCoreApplication::exit(0); })) {
    rx::OnTerminationSignals(&app, [] { QCoreApplication::exit(0); });
    return app.exec();
  }
  window.Attach(&terminal);
  if (simulator)
    window.ShowBanner(QString::fromUtf8("◆ シミュレータ接続中 (simulated RX-710%1, %2)")
                          .arg(options.relayMode ? ", relay mode" : "")
                          .arg(QString::fromStdString(simulator->SlavePath())));

  rx::InstallProgramEnd(app, window);
  window.show();
  return app.exec();
}
