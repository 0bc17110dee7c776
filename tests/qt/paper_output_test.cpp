// The program's --print through the real parts: a PDF read back by poppler,
// and a cupsd of the test's own whose backend keeps what it is handed.
#include <cups/cups.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <fstream>

#include "platform/qt/qt_page_printer.h"
#include "support/event_wait.h"
#include "support/page_printer_contract.h"
#include "support/program_run.h"
#include "support/silent_server.h"
#include "support/terminal_driver.h"

namespace rx {
namespace {

using testing::Outcome;
using testing::PdfLines;
using testing::PdfPages;
using testing::RunProgram;

// A data file of count records; the lines its PDF must show.
std::vector<std::string> WriteRecords(const QString& path, int count) {
  const std::string name = QFileInfo(path).fileName().toStdString();
  std::vector<std::string> lines = testing::WriteRecordFile(path.toStdString(), count);
  lines.insert(lines.begin(), {"RX-710KP DATA", "FILE NAME :", name});
  lines.insert(lines.end(), {"FILE END :", name});
  return lines;
}

// The PDF holds every line in order on numbered pages; what cannot be printed
// is told with its exit code and leaves no file.
TEST(PrintCommand, WritesThePdfOrSaysWhyNot) {
  QTemporaryDir dir;
  const QString file = dir.filePath("CN241433.C08");
  const std::vector<std::string> expected = WriteRecords(file, 150);
  const Outcome done = RunProgram(RX710KP_PROGRAM, {"--print", file, "--to", "pdf:" + dir.filePath("out.pdf")});
  ASSERT_EQ(done.code, 0) << done.err.toStdString();
  std::vector<std::string> marks;
  EXPECT_EQ(PdfLines(dir.filePath("out.pdf"), &marks), expected);
  const int pages = PdfPages(dir.filePath("out.pdf"));
  EXPECT_GE(pages, 2);
  ASSERT_EQ(static_cast<int>(marks.size()), pages);
  for (int page = 1; page <= pages; ++page)
    EXPECT_EQ(marks[page - 1], "page " + std::to_string(page) + " / " + std::to_string(pages));

  // A wrong command line reads and writes nothing: a FILE that is not a regular one is refused
  // at once, and whatever stands where the PDF goes, but a file, stays as it was.
  const QString odd = dir.filePath("odd");
  ASSERT_TRUE(QDir(dir.path()).mkdir("odd") && QDir(odd).mkdir("folder"));
  ASSERT_EQ(mkfifo(qPrintable(odd + "/fifo"), 0600), 0);
  ASSERT_TRUE(QFile::link(file, odd + "/link.pdf") && QFile::link(odd + "/fifo", odd + "/fifo-link"));
  const bool root = geteuid() == 0;  // a device of the test's own, like the null device
  ASSERT_TRUE(!root || mknod(qPrintable(odd + "/device"), S_IFCHR | 0666, makedev(1, 3)) == 0);
  QFile data(file);
  ASSERT_TRUE(data.open(QIODevice::ReadOnly));
  const QByteArray bytes = data.readAll();
  const QString pdf = "pdf:" + dir.filePath("a.pdf");
  testing::ExpectRefused(RX710KP_PROGRAM, {
      {{"--print", file, "--to", "pdf"}, 2, "unknown print target"},  // the setting's word, no path
      {{"--print", file, "--to", "pdf:"}, 2, "unknown print target"},
      {{"--to", "printer"}, 2, "--to goes with --print"}, {{"--print", ""}, 2, "--print names nothing"},
      {{"--data-dir", ""}, 2, "--data-dir names nothing"},
      {{"--port-path", "", "--list-ports"}, 2, "--port-path names nothing"},
      {{"--print", file, "--print", file, "--to", pdf}, 2, "--print given twice"},
      {{"--print", file, "--list-ports", "--to", pdf}, 2, "--print and --list-ports exclude each other"},
      {{"--print", file, "--port-path", "/dev/null"}, 2, "--port-path and --print exclude each other"},
      {{"--simulate", "--simulate-relay"}, 2, "--simulate and --simulate-relay exclude each other"},
      {{"--print", dir.filePath("missing"), "--to", pdf}, 1, "cannot read"},
      {{"--print", file, "--to", "pdf:" + dir.filePath("no/such/dir/a.pdf")}, 1, "cannot write"},
      {{"--print", file, "--to", "pdf:" + file}, 1, "is that file itself"},
      {{"--print", file, "--to", "pdf:" + odd + "/link.pdf"}, 1, "is that file itself"},
      {{"--print", file, "--to", "pdf:" + odd + "/fifo"}, 1, "FIFO"},
      {{"--print", file, "--to", "pdf:" + odd + "/fifo-link"}, 1, "FIFO"},
      {{"--print", file, "--to", "pdf:" + odd + "/folder"}, 1, "folder"},
      {{"--print", file, "--to", "pdf:" + odd + (root ? "/device" : "/fifo")}, 1, root ? "character device" : "FIFO"},
      {{"--print", odd, "--to", pdf}, 1, "is a directory"},  // a FIFO or a device as FILE: ResultsCommand
  });
  data.seek(0);
  EXPECT_EQ(data.readAll(), bytes);
  EXPECT_TRUE(QFileInfo(odd + "/link.pdf").isSymLink());
  // No temporary or half-written file is left beside the data file and the PDF.
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"CN241433.C08", "out.pdf"}));
  struct stat st{};
  auto kind = [&](const char* name) { return lstat(qPrintable(odd + name), &st) ? 0u : st.st_mode & S_IFMT; };
  EXPECT_EQ(std::vector<unsigned>({kind("/fifo"), kind("/fifo-link"), kind("/folder"), kind("/device")}),
            std::vector<unsigned>({S_IFIFO, S_IFLNK, S_IFDIR, root ? S_IFCHR : 0u}));
}

// A print server that takes the connection and never answers fails the call at the printer's
// deadline, one that is not there at once; neither holds the caller, nor does an abandoned call.
TEST(PagePrinter, ASilentOrMissingPrintServiceFailsTheCallWithoutHoldingTheCaller) {
  QTemporaryDir dir;
  testing::SilentServer silent(dir.filePath("silent.sock").toStdString());
  ASSERT_TRUE(silent.listening);
  const struct { const char* server; const char* said; } cases[] = {
      {"silent.sock", "the print service did not answer within 300 ms"},
      {"none.sock", "the print service is not running"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.server);
    qputenv("CUPS_SERVER", dir.filePath(c.server).toUtf8());
    QtPagePrinter printer(300);
    std::string reason;
    ASSERT_EQ(printer.Open({PageTarget::Kind::DefaultPrinter, ""}, "t", &reason), PrintCall::Pending);
    printer.Discard();  // abandoned while it waits
    EXPECT_EQ(printer.Poll(&reason), PrintCall::Done);
    ASSERT_EQ(printer.Open({PageTarget::Kind::Printer, "Office"}, "t", &reason), PrintCall::Pending);
    PrintCall call = PrintCall::Pending;
    ASSERT_SOON((call == PrintCall::Pending ? call = printer.Poll(&reason) : call) != PrintCall::Pending, 20000);
    EXPECT_EQ(call, PrintCall::Failed);
    EXPECT_NE(reason.find(c.said), std::string::npos) << reason;
  }
  WriteRecords(dir.filePath("F.C08"), 3);  // and the program tells it the same way
  const Outcome told = RunProgram(RX710KP_PROGRAM, {"--print", dir.filePath("F.C08"), "--to", "printer:PDF"});
  EXPECT_TRUE(told.code == 1 && told.err.contains("not running") && told.err.contains("sudo systemctl start cups"));
  qunsetenv("CUPS_SERVER");
}

// SIGTERM while a long print runs (its PDF in the making open) ends it with
// 143 and leaves no PDF.
TEST(PrintCommand, ASignalEndsALongPrintAndLeavesNoPdf) {
  QTemporaryDir dir;
  const std::string file = dir.filePath("FN241433.C08").toStdString();
  {
    std::ofstream out(file, std::ios::binary);
    char line[32];
    for (int i = 0; i < 1000000; ++i) out.write(line, std::snprintf(line, sizeof line, "1001%010d\r\n", i));
  }
  QProcess printing;
  printing.start(RX710KP_PROGRAM, {"--print", QString::fromStdString(file), "--to", "pdf:" + dir.filePath("big.pdf")});
  ASSERT_TRUE(printing.waitForStarted());
  const std::string fds = "/proc/" + std::to_string(printing.processId()) + "/fd";
  auto holdsPdf = [&] {  // the document under way
    std::error_code gone;
    for (const auto& fd : std::filesystem::directory_iterator(fds, gone)) {
      const std::string target = std::filesystem::read_symlink(fd.path(), gone).string();
      if (target.starts_with(dir.path().toStdString() + "/") && target != file) return true;
    }
    return false;
  };
  ASSERT_TRUE(testing::Eventually(holdsPdf, 30000));
  ASSERT_TRUE(printing.state() == QProcess::Running && printing.processId() > 1);  // our own live child
  ASSERT_EQ(kill(static_cast<pid_t>(printing.processId()), SIGTERM), 0);
  if (!printing.waitForFinished(30000)) printing.kill(), printing.waitForFinished();
  EXPECT_EQ(printing.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(printing.exitCode(), 143);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"FN241433.C08"}));
}

// A cupsd on its own socket and folders with queues "Office" (its backend keeps each document),
// "Stopped" and "Closed". Start() says why it cannot start (it needs root and cupsd).
struct OwnCupsd {
  std::string Start() {
    std::string why = StartCupsd();
    if (!why.empty()) return why;
    qputenv("CUPS_SERVER", socket.toUtf8());
    cupsSetServer(socket.toUtf8().constData());  // libcups keeps the server it met first
    for (const char* queue : {"Office", "Stopped", "Closed"})
      EXPECT_EQ(RunProgram("lpadmin", {"-p", queue, "-E", "-v", "keep:" + Out(queue), "-m", "raw"}).code, 0);
    EXPECT_EQ(RunProgram("cupsdisable", {"Stopped"}).code, 0);
    EXPECT_EQ(RunProgram("cupsreject", {"Closed"}).code, 0);
    return "";
  }
  // Skipped where cupsd cannot start, unless CI requires it (RX_REQUIRE_CUPS).
  static bool Required() { return qEnvironmentVariableIsSet("RX_REQUIRE_CUPS"); }
  std::string StartCupsd() {
    if (!QFile::exists("/usr/sbin/cupsd")) return "no cupsd here (Debian package cups)";
    if (getuid() != 0) return "cupsd runs its jobs as user lp: the test needs root";
    const QString d = root.path();
    QFile::setPermissions(d, QFile::Permissions(0x7755));
    for (const char* sub : {"log", "spool", "cache", "state", "tmp", "out", "bin/backend"}) QDir(d).mkpath(sub);
    QFile::setPermissions(d + "/out", QFile::Permissions(0x7777));  // the backend writes here as lp
    for (const char* sub : {"filter", "daemon", "cgi-bin", "monitor", "notifier", "driver"})
      QFile::link(QString("/usr/lib/cups/") + sub, d + "/bin/" + sub);
    Write(d + "/bin/backend/keep", "#!/bin/sh\n[ $# -eq 0 ] && { echo 'direct keep \"Unknown\" \"Keep\"'; exit 0; }\n"
                                   "cat ${6:+\"$6\"} > \"${DEVICE_URI#keep:}\"\n");
    QFile::setPermissions(d + "/bin/backend/keep", QFile::Permissions(0x7555));
    Write(d + "/cupsd.conf", "Listen " + d + "/cups.sock\nBrowsing No\nDefaultAuthType None\n<Location />\nOrder allow,deny\n"
                             "Allow all\n</Location>\n<Policy default>\n<Limit All>\nOrder deny,allow\n</Limit>\n</Policy>\n");
    Write(d + "/cups-files.conf", QString("ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\nStateDir %1/state\n"
                                          "TempDir %1/tmp\nServerBin %1/bin\nErrorLog %1/log/error_log\nUser lp\n"
                                          "Group lp\nSystemGroup lpadmin\nFileDevice Yes\n").arg(d));
    socket = d + "/cups.sock";
    cupsd.start("/usr/sbin/cupsd", {"-f", "-c", d + "/cupsd.conf", "-s", d + "/cups-files.conf"});
    for (int i = 0; i < 200 && !QFile::exists(socket) && cupsd.state() != QProcess::NotRunning; ++i)
      QThread::msleep(100);
    return QFile::exists(socket) ? "" : "cupsd did not start: " + cupsd.readAllStandardError().toStdString();
  }
  ~OwnCupsd() {
    qunsetenv("CUPS_SERVER");
    cupsSetServer(nullptr);
    if (cupsd.state() != QProcess::NotRunning) cupsd.terminate(), cupsd.waitForFinished(10000);  // our own child; killed if it lingers
  }
  static void Write(const QString& path, const QString& text) { std::ofstream(path.toStdString()) << text.toStdString(); }
  QString Out(const char* queue) { return root.path() + "/out/" + queue + ".pdf"; }
  // The spooler works on its own time: the outcome is waited for, not timed.
  bool Arrived(const QString& path) {
    return testing::Eventually([&] { return QFileInfo(path).size() > 0 && PdfPages(path) > 0; }, 30000);
  }

  QTemporaryDir root{QDir::tempPath() + "/rx710kp-cups-XXXXXX"};
  QProcess cupsd;
  QString socket;
};

TEST(Cups, TheLinesComeOutOfTheSpoolerAndRefusalsAreTold) {
  OwnCupsd cups;
  if (const std::string why = cups.Start(); !why.empty()) {
    if (OwnCupsd::Required()) FAIL() << why;
    GTEST_SKIP() << why;
  }
  QTemporaryDir dir;
  const QString file = dir.filePath("CN241433.C08");
  const std::vector<std::string> expected = WriteRecords(file, 60);
  const Outcome done = RunProgram(RX710KP_PROGRAM, {"--print", file, "--to", "printer:Office"});
  ASSERT_EQ(done.code, 0) << done.err.toStdString();
  ASSERT_TRUE(cups.Arrived(cups.Out("Office")));
  EXPECT_EQ(PdfLines(cups.Out("Office")), expected);
  testing::ExpectRefused(RX710KP_PROGRAM, {  // a plain unknown name: the printer contract
      {{"--print", file, "--to", "printer:../admin"}, 1, "no printer named ../admin"},
      {{"--print", file, "--to", "printer:Stopped"}, 1, "is stopped"},
      {{"--print", file, "--to", "printer:Closed"}, 1, "does not accept jobs"}});
  EXPECT_FALSE(QFile::exists(cups.Out("Stopped")));
}

// The Qt printer into PDF files of a folder of its own, and into a queue of the test's cupsd.
struct PdfPaper {
  PagePrinter& Printer() { return printer; }
  std::string Start() { return ""; }
  bool Required() { return false; }
  PageTarget Target() { return {PageTarget::Kind::Pdf, dir.filePath("out.pdf").toStdString()}; }
  PageTarget Refusing() {  // the window's PDF where a FIFO stands (the command line refuses it before)
    EXPECT_TRUE(QDir(dir.path()).mkdir("sub") && mkfifo(qPrintable(dir.filePath("sub/out.pdf")), 0600) == 0);
    return {PageTarget::Kind::Pdf, dir.filePath("sub/out.pdf").toStdString()};
  }
  int Delivered() {  // the files in the folder, when each is a PDF with pages
    const QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    return std::all_of(files.begin(), files.end(), [&](auto& f) { return PdfPages(dir.filePath(f)); }) ? files.size() : -1;
  }
  bool Until(const std::function<bool()>& ready) { return testing::Eventually(ready, 30000); }
  QTemporaryDir dir;
  QtPagePrinter printer;
};
struct CupsPaper : OwnCupsd, PdfPaper {
  using OwnCupsd::Start, OwnCupsd::Required;
  PageTarget Target() { return {PageTarget::Kind::Printer, "Office"}; }
  PageTarget Refusing() { return {PageTarget::Kind::Printer, "Nowhere"}; }
  int Delivered() {  // the jobs the spooler has done, once none waits
    Until([] { return RunProgram("lpstat", {"-W", "not-completed", "-o"}).out.isEmpty(); });
    return static_cast<int>(RunProgram("lpstat", {"-W", "completed", "-o", "Office"}).out.count('\n'));
  }
};
using Papers = ::testing::Types<PdfPaper, CupsPaper>;
INSTANTIATE_TYPED_TEST_SUITE_P(Qt, PagePrinterContract, Papers);

}  // namespace
}  // namespace rx
