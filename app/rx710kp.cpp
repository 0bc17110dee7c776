// rx710kp: the operator terminal of the RX-710 timing device.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFont>
#include <cstdio>

#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_services.h"
#include "shell/startup.h"
#include "shell/terminal.h"
#include "ui/main_window.h"

namespace {

struct Options {
  QString dataDirectory;
  int exitCode = -1;  // set when the program should end at once
};

Options ParseOptions(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);

  QCommandLineParser parser;
  parser.setApplicationDescription("Operator terminal for the RX-710 timing device.");
  QCommandLineOption dataDir("data-dir", "Directory of the data files (default ~/RX-710).", "DIR");
  QCommandLineOption help({"h", "help"}, "Show this help and end.");
  QCommandLineOption version("version", "Show the version and end.");
  parser.addOptions({dataDir, help, version});

  Options options;
  if (!parser.parse(arguments)) {
    std::fprintf(stderr, "rx710kp: %s\nTry 'rx710kp --help'.\n", qPrintable(parser.errorText()));
    options.exitCode = 2;
    return options;
  }
  if (!parser.positionalArguments().isEmpty()) {
    std::fprintf(stderr, "rx710kp: unexpected argument '%s'\nTry 'rx710kp --help'.\n",
                 qPrintable(parser.positionalArguments().first()));
    options.exitCode = 2;
    return options;
  }
  if (parser.isSet(help)) {
    std::printf("%s", qPrintable(parser.helpText()));
    options.exitCode = 0;
    return options;
  }
  if (parser.isSet(version)) {
    std::printf("rx710kp %d.%d1\n", rx::kVersionMajor, rx::kVersionMinor);
    options.exitCode = 0;
    return options;
  }
  options.dataDirectory =
      parser.isSet(dataDir) ? parser.value(dataDir) : QDir::homePath() + "/RX-710";
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  Options options = ParseOptions(argc, argv);
  if (options.exitCode >= 0) return options.exitCode;

  QApplication app(argc, argv);
  QFont font(QStringLiteral("IPAGothic"));
  QApplication::setFont(font);

  rx::frmMain window;
  rx::QtSettingsStore settings;
  rx::QtClock clock;
  rx::QtMessageBox messages(&window);
  rx::QtBeeper beeper;
  rx::QtEventLoop events;
  rx::QtDesktop desktop(&window);
  rx::QtSingleInstance instance;
  rx::Platform platform{settings, clock, messages, beeper, events, desktop, instance};
  rx::Terminal terminal(platform, options.dataDirectory.toStdString());

  if (!rx::Form_Load(terminal)) return 0;
  window.Attach(&terminal);
  window.show();
  return app.exec();
}
