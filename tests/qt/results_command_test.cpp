// The program's --results and --csv as a crew runs them: the sheet read back
// by poppler, the CSV by Python's csv module, bad input refused with the
// input left as it was.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <csignal>
#include <fstream>
#include <map>

#include "support/event_wait.h"
#include "support/program_run.h"
#include "support/silent_server.h"

namespace rx {
namespace {

using testing::Outcome;
using testing::PdfLines;
using testing::RunProgram;

void Write(const QString& path, const std::vector<std::string>& lines) {
  std::ofstream out(path.toStdString(), std::ios::binary);
  for (const std::string& line : lines) out << line << "\r\n";
}

// Every row of a CSV file as Python's csv module reads it.
std::vector<std::vector<std::string>> CsvRows(const QString& path) {
  const Outcome read = RunProgram("python3", {"-c",
                                              "import csv, json, sys\n"
                                              "with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:\n"
                                              "  print(json.dumps(list(csv.reader(f, strict=True))))",
                                              path});
  std::vector<std::vector<std::string>> rows;
  for (const QJsonValue& row : QJsonDocument::fromJson(read.out.toUtf8()).array()) {
    rows.emplace_back();
    for (const QJsonValue& field : row.toArray()) rows.back().push_back(field.toString().toStdString());
  }
  return rows;
}

struct ResultsCommand : ::testing::Test {
  QTemporaryDir dir;
  const QString first = dir.filePath("F1071200.C08");
  const QString second = dir.filePath("S1071330.C08");
  void SetUp() override {
    // Block 1: cut hundredths (.7190 shows .71), a tie below the hundredths,
    // the next rank skipped, a zero time; block 2 (listed first in the file):
    // hours, a Bib No. twice; a line that is no record.
    Write(first, {"20010010000000", "20020100000000", "10480004127190", "10120004130500", "10330004130599",
                  "10550004200000", "10610000000000", "not a record", "20010011000000"});
    // The same competitors' 2nd run: 048 and 012 sum from four decimals; 033 has none; 055 no time.
    Write(second, {"10480004000050", "10120003599999", "10550000000000", "10610004000000"});
  }
};

TEST_F(ResultsCommand, TheSheetRanksEachBlockAsACrewPostsIt) {
  const Outcome done = RunProgram(RX710KP_PROGRAM, {"--results", first, "--to", "pdf:" + dir.filePath("r.pdf")});
  ASSERT_EQ(done.code, 0) << done.err.toStdString();
  EXPECT_TRUE(done.err.contains("1 line that is no record was passed over")) << done.err.toStdString();
  std::vector<std::string> marks, headings;
  EXPECT_EQ(PdfLines(dir.filePath("r.pdf"), &marks, &headings),
            std::vector<std::string>({"ブロック 1", "順位 Bib No. タイム トップ差", "1 048 4:12.71",
                                      "2 012 4:13.05 +0.34", "2 033 4:13.05 +0.34", "4 055 4:20.00 +7.29",
                                      "061 － タイムなし", "ブロック 2", "順位 Bib No. タイム トップ差",
                                      "1 001* 10:00.00", "2 001* 11:00.00 +1:00.00", "3 002 1:00:00.00 +50:00.00",
                                      "* 同じ Bib No. が２回以上あります"}));
  ASSERT_EQ(marks, std::vector<std::string>({"page 1 / 1"}));
  EXPECT_TRUE(QRegularExpression("^１本目リザルト F1071200\\.C08 \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d$")
                  .match(QString::fromStdString(headings[0])).hasMatch()) << headings[0];

  // 999 competitors in one block: every page full but the last, the block's heading again on each.
  std::vector<std::string> many;
  for (int i = 1, t = 60001; i <= 999; ++i, ++t)  // 10:00.01, 10:00.02, ...
    many.push_back(QString::asprintf("3%03d00%02d%02d%02d00", i, t / 6000, t / 100 % 60, t % 100).toStdString());
  Write(first, many);
  ASSERT_TRUE(QDir(dir.path()).mkdir("config"));  // the setting's PDF: beside the file
  std::ofstream(dir.filePath("config/TARVO Application.ini").toStdString()) << "[RX-710KP]\r\nTextOutput=PDF\r\n";
  qputenv("XDG_CONFIG_HOME", dir.filePath("config").toUtf8());
  ASSERT_EQ(RunProgram(RX710KP_PROGRAM, {"--results", first}).code, 0);
  marks.clear();
  const std::vector<std::string> lines = PdfLines(first + ".results.pdf", &marks);
  const int pages = testing::PdfPages(first + ".results.pdf");
  EXPECT_GE(pages, 10);
  ASSERT_EQ(static_cast<int>(marks.size()), pages);
  EXPECT_EQ(marks.back(), "page " + std::to_string(pages) + " / " + std::to_string(pages));
  int rank = 0, continued = 0;
  for (const std::string& line : lines) {
    continued += line == "ブロック 3（続き）";
    if (std::isdigit(static_cast<unsigned char>(line[0]))) {
      EXPECT_EQ(line.substr(0, line.find(' ')), std::to_string(++rank)) << line;
    }
  }
  EXPECT_TRUE(rank == 999 && continued == pages - 1) << rank << " " << continued;
}

// Two runs: sums of the full times (048: 4:12.7190 + 4:00.0050 is 8:12.72, where the shown times
// would add up to 8:12.71), the unclassified after; the same table as CSV, field for field.
TEST_F(ResultsCommand, TwoRunsAddUpFromTheFullTimesOnPaperAndInCsv) {
  const Outcome done = RunProgram(RX710KP_PROGRAM, {"--results", first, "--plus", second, "--to", "pdf:" + dir.filePath("r.pdf")});
  ASSERT_EQ(done.code, 0) << done.err.toStdString();
  std::vector<std::string> headings;
  const std::vector<std::string> lines = PdfLines(dir.filePath("r.pdf"), nullptr, &headings);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 7),
            std::vector<std::string>({"ブロック 1", "順位 Bib No. １本目 ２本目 合計 トップ差",
                                      "1 048 4:12.71 4:00.00 8:12.72", "2 012 4:13.05 3:59.99 8:13.04 +0.32",
                                      "033 4:13.05 － － １本のみ", "055 4:20.00 － － タイムなし",
                                      "061 － 4:00.00 － タイムなし"}));
  EXPECT_EQ(headings[0].substr(0, headings[0].rfind(' ', headings[0].rfind(' ') - 1)),
            "１本目リザルト＋２本目リザルト F1071200.C08 + S1071330.C08");

  ASSERT_EQ(RunProgram(RX710KP_PROGRAM, {"--results", first, "--plus", second, "--csv", dir.filePath("r.csv")}).code, 0);
  const auto rows = CsvRows(dir.filePath("r.csv"));
  ASSERT_GE(rows.size(), 6u);
  EXPECT_EQ(std::vector(rows.begin(), rows.begin() + 6), (std::vector<std::vector<std::string>>{
      {"rank", "block", "Bib No.", "1st run", "2nd run", "total", "gap", "note"},
      {"1", "1", "048", "4:12.71", "4:00.00", "8:12.72", "", ""},
      {"2", "1", "012", "4:13.05", "3:59.99", "8:13.04", "+0.32", ""},
      {"", "1", "033", "4:13.05", "", "", "", "１本のみ"},
      {"", "1", "055", "4:20.00", "", "", "", "タイムなし"},
      {"", "1", "061", "", "4:00.00", "", "", "タイムなし"}}));
}

// Any data file as CSV beside it, relay and timeless ones too; what is no record is counted.
TEST_F(ResultsCommand, EveryDataFileReadsBackAsCsvFieldForField) {
  const QString relay = dir.filePath("Y1071500.C08"), untimed = dir.filePath("G1071500.C08");
  Write(relay, {"K0070012345678", "K0070100000001", "x,\"y\""});
  Write(untimed, {"0123          ", "9999"});
  const Outcome done = RunProgram(RX710KP_PROGRAM, {"--csv", relay});
  EXPECT_TRUE(done.code == 0 && done.err.contains("1 line that is no record was passed over")) << done.err.toStdString();
  EXPECT_EQ(CsvRows(relay + ".csv"), (std::vector<std::vector<std::string>>{
                                         {"memory", "block", "block letter", "Bib No.", "time", "seconds"},
                                         {"リザルト", "20", "K", "007", "00:12:34.5678", "754.5678"},
                                         {"リザルト", "20", "K", "007", "01:00:00.0001", "3600.0001"}}));
  ASSERT_EQ(RunProgram(RX710KP_PROGRAM, {"--csv", untimed, "--to", dir.filePath("g.csv")}).code, 0);
  EXPECT_EQ(CsvRows(dir.filePath("g.csv")).back(), std::vector<std::string>({"", "0", "0", "123", "", ""}));
}

// What cannot be made is told with its exit code; the inputs stay byte for byte, nothing is left
// half-written, and a signal while the print service is silent ends it with 143.
TEST_F(ResultsCommand, BadInputIsRefusedAndTheInputLeftAsItWas) {
  const QString course = dir.filePath("C1071200.C08"), empty = dir.filePath("F1071201.C08");
  Write(course, {"10480004127190"});
  Write(empty, {"nothing here"});
  ASSERT_EQ(mkfifo(qPrintable(dir.filePath("F.fifo")), 0600), 0);
  std::map<QString, QByteArray> inputs;
  auto contents = [](const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable");
  };
  for (const QString& input : {first, second, course, empty}) inputs[input] = contents(input);
  const QString pdf = "pdf:" + dir.filePath("r.pdf");
  testing::ExpectRefused(RX710KP_PROGRAM, {
      {{"--results", course, "--to", pdf}, 1, "1st-run results (F... files) and 2nd-run results (S... files)"},
      {{"--results", second, "--plus", first, "--to", pdf}, 1, "after --plus, a 2nd-run one"},
      {{"--results", first, "--to", "pdf:" + first}, 1, "itself"},
      {{"--results", first, "--plus", second, "--csv", second}, 1, "itself"},
      {{"--csv", first, "--to", first}, 1, "itself"},
      {{"--results", empty, "--to", pdf}, 1, "holds no record lines"},
      {{"--results", dir.filePath("F.fifo"), "--to", pdf}, 1, "is a FIFO"},
      {{"--csv", "/dev/zero"}, 1, "is a character device"},
      {{"--csv", first, "--to", dir.path()}, 1, "a directory is there"},
      {{"--csv", first, "--to", dir.filePath("gone/F.csv")}, 1, "cannot write"},
      {{"--results", first, "--print", first}, 2, "exclude each other"},
      {{"--csv", first, "--list-ports"}, 2, "exclude each other"},
      {{"--plus", second}, 2, "--plus goes with --results"},
      {{"--results", first, "--csv", dir.filePath("r.csv"), "--to", pdf}, 2, "--to and --csv exclude each other"},
      {{"--results", first, "--plus", ""}, 2, "--plus names nothing"},
  });

  // A signal while the print service is silent, or while the desktop's chooser shows its dialog,
  // ends the work with 128 + the signal.
  testing::SilentServer silent(dir.filePath("cups.sock").toStdString());
  ASSERT_TRUE(silent.listening);
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("CUPS_SERVER", dir.filePath("cups.sock"));
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  pollfd asked{silent.fd, POLLIN, 0};
  auto catchesInt = [](qint64 pid) {  // SigCgt bit 1: its SIGINT handler is in place
    QFile status("/proc/" + QString::number(pid) + "/status");
    const QByteArray text = status.open(QIODevice::ReadOnly) ? status.readAll() : QByteArray();
    const qsizetype at = text.indexOf("SigCgt:");
    return at >= 0 && (text.mid(at + 7, 17).trimmed().toULongLong(nullptr, 16) >> 1 & 1);
  };
  const struct { QStringList arguments; int signal; bool asksThePrintService; } runs[] = {
      {{"--results", first, "--plus", second, "--to", "printer:Office"}, SIGTERM, true},
      {{"--choose-results", "--data-dir", dir.path()}, SIGINT, false}};
  for (const auto& run : runs) {
    QProcess making;
    making.setProcessEnvironment(environment);
    making.start(RX710KP_PROGRAM, run.arguments);
    ASSERT_TRUE(testing::Eventually([&] {
      return run.asksThePrintService ? poll(&asked, 1, 0) > 0 : catchesInt(making.processId());
    }, 30000));
    ASSERT_TRUE(making.state() == QProcess::Running && making.processId() > 1);  // our own live child
    ASSERT_EQ(kill(static_cast<pid_t>(making.processId()), run.signal), 0);
    if (!making.waitForFinished(30000)) making.kill(), making.waitForFinished();
    EXPECT_TRUE(making.exitStatus() == QProcess::NormalExit && making.exitCode() == 128 + run.signal);
  }

  for (const auto& [input, bytes] : inputs) EXPECT_EQ(contents(input), bytes) << input.toStdString();
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden, QDir::Name),
            QStringList({"C1071200.C08", "F.fifo", "F1071200.C08", "F1071201.C08", "S1071330.C08", "cups.sock"}));
}

}  // namespace
}  // namespace rx
