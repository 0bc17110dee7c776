// rx710kp: the operator terminal of the RX-710 timing device.
#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QDir>
#include <QFont>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "link/csv_export.h"
#include "link/file_print.h"
#include "link/results_job.h"
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
#include "ui/command_job_runner.h"
#include "ui/main_window.h"
#include "ui/program_end.h"
#include "ui/results_chooser.h"

namespace {

struct Options {
  QString dataDirectory;
  std::string portPath;
  bool simulate = false;
  bool relayMode = false;
  bool listPorts = false;
  bool chooseResults = false;
  std::string printFile;  // --print: lay out this file and end, no window
  std::optional<rx::TextTarget> printTo;
  std::string resultsFile;  // --results: its sheet, then end
  std::optional<std::string> plusFile;
  std::string csvFile;           // --csv FILE: its CSV, then end
  std::optional<std::string> csvTo;  // where the CSV goes (--csv's --to, or --results' --csv)
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
  QCommandLineOption results("results",
                             "Make the results sheet of FILE, a 1st-run (F...) or 2nd-run (S...) results "
                             "file, and end: per block, rank, Bib No., time cut to hundredths (equal times "
                             "share a rank) and the gap to the leader; no-time records last. Exit statuses "
                             "as for --print; another kind of file exits 1.",
                             "FILE");
  QCommandLineOption plus("plus",
                          "With --results F_FILE: add this 2nd-run results file; each Bib No. with both "
                          "runs is ranked on their sum, the others are listed after.",
                          "S_FILE");
  QCommandLineOption csv("csv",
                         "Write FILE, any data file, as CSV (UTF-8, a head row: memory, block, block "
                         "letter, Bib No., time, seconds) to FILE.csv or --to PATH, and end. With "
                         "--results: write the sheet's table to this path instead of pages.",
                         "FILE");
  QCommandLineOption chooseResults("choose-results",
                                   "Choose 1st- and 2nd-run result files in a dialog; their sheet is made "
                                   "as a PDF beside them and opened in the desktop's PDF viewer.");
  QCommandLineOption to("to",
                        "With --print or --results: 'printer' (the default printer), 'printer:NAME' or "
                        "'pdf:PATH'. Default: the TextOutput setting, else the default printer (a PDF "
                        "beside FILE as FILE.pdf, FILE.results.pdf). With --csv FILE: the CSV's path.",
                        "TARGET");
  QCommandLineOption help({"h", "help"}, "Show this help and end.");
  QCommandLineOption version("version", "Show the version and end.");
  parser.addOptions({dataDir, portPath, simulate, simulateRelay, listPorts, print, results, plus, csv,
                     chooseResults, to, help, version});

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
  for (const QCommandLineOption* option : {&dataDir, &portPath, &print, &results, &plus, &csv, &to})
    if (parser.isSet(*option) && parser.value(*option).isEmpty())
      return fail("--" + option->names().first() + " names nothing");
  // With --results, --csv names where its table goes rather than a mode.
  const bool csvOfResults = parser.isSet(results) && parser.isSet(csv);
  const QCommandLineOption* const modes[] = {&print, &results, csvOfResults ? nullptr : &csv, &chooseResults,
                                             &listPorts, &simulate, &simulateRelay};
  const struct { const QCommandLineOption* option; std::vector<const QCommandLineOption*> with; } belongs[] = {
      {&to, {&print, &results, &csv}},
      {&plus, {&results}},
      {&portPath, {nullptr, &listPorts}},
  };
  const QCommandLineOption* mode = nullptr;  // none: the window on a real device
  for (const QCommandLineOption* option : modes) {
    if (!option || !parser.isSet(*option)) continue;
    if (mode) return fail("--" + mode->names().first() + " and --" + option->names().first() + " exclude each other");
    mode = option;
  }
  for (const auto& rule : belongs) {
    if (!parser.isSet(*rule.option) || std::find(rule.with.begin(), rule.with.end(), mode) != rule.with.end())
      continue;
    return fail("--" + rule.option->names().first() +
                (mode ? " and --" + mode->names().first() + " exclude each other"
                      : " goes with --" + rule.with.front()->names().first()));
  }
  if (csvOfResults && parser.isSet(to)) return fail("--to and --csv exclude each other with --results");
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
  if (parser.isSet(results)) {
    options.resultsFile = OptionBytes(argc, argv, "--results", parser.value(results));
    if (parser.isSet(plus)) options.plusFile = OptionBytes(argc, argv, "--plus", parser.value(plus));
    if (csvOfResults) options.csvTo = OptionBytes(argc, argv, "--csv", parser.value(csv));
  } else if (parser.isSet(csv)) {
    options.csvFile = OptionBytes(argc, argv, "--csv", parser.value(csv));
    options.csvTo = parser.isSet(to) ? OptionBytes(argc, argv, "--to", parser.value(to)) : options.csvFile + ".csv";
  }
  if (parser.isSet(print) || (parser.isSet(results) && !csvOfResults)) {
    if (parser.isSet(to)) {
      const QString target = parser.value(to);
      options.printTo = rx::ParseTextTarget(OptionBytes(argc, argv, "--to", target), rx::TargetSpelling::Option);
      if (!options.printTo) return fail("unknown print target '" + target + "' (printer, printer:NAME or pdf:PATH)");
    }
  }
  if (parser.isSet(print)) options.printFile = OptionBytes(argc, argv, "--print", parser.value(print));
  options.dataDirectory =
      parser.isSet(dataDir) ? parser.value(dataDir) : QDir::homePath() + "/RX-710";
  options.relayMode = parser.isSet(simulateRelay);
  options.listPorts = parser.isSet(listPorts);
  options.chooseResults = parser.isSet(chooseResults);
  options.simulate = parser.isSet(simulate) || options.relayMode;
  if (parser.isSet(portPath)) {
    std::string path = OptionBytes(argc, argv, "--port-path", parser.value(portPath));
    options.portPath =
        path.starts_with("~/") ? QDir::homePath().toLocal8Bit().toStdString() + path.substr(1) : path;
  }
  return options;
}

// The page target of --print or --results: --to, else the TextOutput
// setting (a PDF beside file), else the default printer.
std::optional<rx::PageTarget> PageTargetFor(const Options& options, const std::string& file, std::string* reason) {
  std::optional<rx::TextTarget> target = options.printTo;
  if (!target) {
    const std::string text = rx::QtSettingsStore().Read(rx::kApplication, rx::kSection, "TextOutput");
    target = rx::ParseTextTarget(text, rx::TargetSpelling::Setting);
    if (!target && !text.empty()) {
      *reason = "TextOutput=" + text + " names no target";
      return std::nullopt;
    }
  }
  return rx::ToPageTarget(target.value_or(rx::TextTarget{}), file);
}

// "2026-12-07 21:50", as the sheet's heading says when it was made.
std::string PrintedAt() {
  return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString();
}

// --print, --results and --csv: one job without the window, a step per turn
// of the event loop, so SIGTERM, SIGINT and SIGHUP end it at once (128 + the
// signal) whatever it waits for, and leave no PDF or CSV.
int RunCommand(int argc, char** argv, const Options& options) {
  // No window: the layout needs fonts, not a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const std::string& file =
      !options.printFile.empty() ? options.printFile : !options.resultsFile.empty() ? options.resultsFile : options.csvFile;
  std::string what = !options.csvFile.empty() ? "write the CSV of" : !options.resultsFile.empty() ? "make the results sheet of" : "print";
  auto told = [&](const std::string& reason) {
    std::fprintf(stderr, "rx710kp: cannot %s %s: %s\n", what.c_str(), file.c_str(), reason.c_str());
    return 1;
  };
  std::unique_ptr<rx::QtPagePrinter> printer;
  std::unique_ptr<rx::CommandJob> job;
  if (!options.csvFile.empty()) {
    job = std::make_unique<rx::CsvExport>(file, *options.csvTo);
  } else {
    std::optional<rx::PageTarget> pages;
    if (!options.csvTo) {
      std::string reason;
      pages = PageTargetFor(options, options.printFile.empty() ? file + ".results" : file, &reason);
      if (!pages) return told(reason);
    }
    printer = std::make_unique<rx::QtPagePrinter>();  // a CSV of the table does not use it
    if (!options.printFile.empty()) {
      job = std::make_unique<rx::FilePrint>(*printer, *pages, file);
    } else {
      rx::ResultsRequest request{file, options.plusFile, pages.value_or(rx::PageTarget{}), options.csvTo, PrintedAt()};
      job = std::make_unique<rx::ResultsJob>(*printer, std::move(request));
    }
  }
  int status = 0;
  rx::CommandJobRunner runner(*job, [&](int ended) {
    status = ended;
    QCoreApplication::exit(ended);
  });
  runner.Start();
  app.exec();
  if (status == 1) return told(job->Reason());
  if (status == 0 && !job->Notice().empty()) std::fprintf(stderr, "rx710kp: %s: %s\n", file.c_str(), job->Notice().c_str());
  return status;
}

// The desktop's "リザルト表を作成": files chosen in a dialog, their sheet as a
// PDF beside them, opened in the PDF viewer; what goes wrong in a box.
int ChooseResults(int argc, char** argv, const Options& options) {
  QApplication app(argc, argv);
  QApplication::setFont(QFont(QStringLiteral("IPAGothic")));
  QGuiApplication::setDesktopFileName(rx::kDesktopId);
  rx::QtPagePrinter printer;
  rx::ResultsChooser chooser(options.dataDirectory, printer, rx::OpenInPdfViewer,
                             [](int status) { QCoreApplication::exit(status); });
  chooser.Start();
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
  if (!options.printFile.empty() || !options.resultsFile.empty() || !options.csvFile.empty())
    return RunCommand(argc, argv, options);
  if (options.chooseResults) return ChooseResults(argc, argv, options);

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
