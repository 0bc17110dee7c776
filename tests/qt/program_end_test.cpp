// The program itself (program_probe builds it as the program does) ended by
// real signals while it asks whether to stop an output or to switch off.
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstring>
#include <fstream>

#include "sim/pty_device.h"
#include "support/event_wait.h"
#include "support/far_end.h"
#include "support/silent_server.h"
#include "support/terminal_driver.h"

namespace rx {
namespace {

struct ProgramEnd : ::testing::Test {
  void SetUp() override {
    const QString root = home.path();
    ASSERT_TRUE(QDir(root).mkpath("config") && QDir(root).mkpath("run") && QDir(root).mkpath("RX-710"));
    QFile::setPermissions(root + "/run", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    std::ofstream((root + "/config/TARVO Application.ini").toStdString()) << "[RX-710KP]\nSerialSend=True\n";
    // More than the pty takes unread: the output waits for the held line.
    testing::WriteRecordFile((root + "/RX-710/FN241433.C08").toStdString(), 3000);
    lockPath = root + QString("/run/rx710kp-%1.lock").arg(getuid());
  }

  // Starts the probe, as another user when runAs says how.
  void Start(const char* mode, const std::string& port, QStringList runAs = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.insert("XDG_CONFIG_HOME", home.path() + "/config");
    env.insert("XDG_RUNTIME_DIR", home.path() + "/run");
    if (!cupsServer.isEmpty()) env.insert("CUPS_SERVER", cupsServer);
    probe.setProcessEnvironment(env);
    output.clear();
    runAs << PROGRAM_PROBE << mode << QString::fromStdString(port) << home.path() + "/RX-710";
    probe.start(runAs.takeFirst(), runAs);
    ASSERT_TRUE(probe.waitForStarted(10000));
  }
  void StartAsking(const char* mode, const std::string& port, const char* asked) {
    ASSERT_NO_FATAL_FAILURE(Start(mode, port));
    ASSERT_SOON(Said(asked) || Said("error") || probe.state() == QProcess::NotRunning, 20000);
    ASSERT_TRUE(Said(asked)) << output.toStdString();
    ASSERT_TRUE(QFile::exists(lockPath));
  }
  // Signals our running child, which must end as its orderly close does: exit
  // code 0, the lock freed, the PC left on.
  void ExpectOrderlyEndOn(int signal) {
    const qint64 pid = probe.processId();
    ASSERT_TRUE(probe.state() == QProcess::Running && pid > 1 && getpgid(static_cast<pid_t>(pid)) >= 0)
        << "no probe of ours to signal";
    ::kill(static_cast<pid_t>(pid), signal);
    ASSERT_SOON(probe.state() == QProcess::NotRunning, 20000);
    EXPECT_EQ(probe.exitStatus(), QProcess::NormalExit) << "ended by the signal itself";
    EXPECT_EQ(probe.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(lockPath));
    EXPECT_FALSE(Said("power off"));
  }
  bool Said(const QString& text) { return (output += QString::fromUtf8(probe.readAllStandardOutput())).contains(text); }

  QTemporaryDir home;
  QString lockPath, output;
  QString cupsServer;  // the print server the probe asks, when not the system's
  QProcess probe;
};

// Into a held line, then on paper through a print server that never answers:
// the window still asks whether to stop, and a signal ends it in order.
TEST_F(ProgramEnd, SigtermWhileAskingToStopAnOutputEndsInOrder) {
  std::atomic<bool> never{false};
  testing::FarEnd printer;
  printer.Start(testing::Holding(never));
  ASSERT_NO_FATAL_FAILURE(StartAsking("output", printer.Path(), "asking"));
  ExpectOrderlyEndOn(SIGTERM);
  cupsServer = home.path() + "/cups.sock";
  testing::SilentServer silent(cupsServer.toStdString());
  std::ofstream(home.path().toStdString() + "/config/TARVO Application.ini", std::ios::app) << "TextOutput=Printer:Office\n";
  ASSERT_TRUE(silent.listening);
  ASSERT_NO_FATAL_FAILURE(StartAsking("paper", "/nonexistent", "asking"));
  ExpectOrderlyEndOn(SIGTERM);
}

// A signal ends a read whose close question is open as the orderly close does:
// the device told to stop, the records whole; the line works for the next start.
TEST_F(ProgramEnd, ASignalWhileAskingToCloseEndsTheReadInOrder) {
  sim::Options options;  // at the line's own pace: the read still runs at the signal
  options.demoData = false;
  sim::PtyDevice device(options);
  device.EditMemory([](sim::DeviceMemory& m) {
    for (int bib = 100; bib < 1000; ++bib) m.Put(sim::MemoryKind::Course, '1', std::to_string(bib), "1000100000");
  });
  std::string error;
  ASSERT_TRUE(device.Start(&error)) << error;
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(sigabbrev_np(signal));
    ASSERT_NO_FATAL_FAILURE(StartAsking("read", device.SlavePath(), "closing asked"));
    ExpectOrderlyEndOn(signal);
    auto toldToStop = [&] {
      const std::vector<std::string> traffic = device.Traffic();
      const auto xon = std::find(traffic.rbegin(), traffic.rend(), "rx <XON>");
      return std::any_of(traffic.rbegin(), xon, [](const std::string& l) { return l.starts_with("rx <STX>CS"); });
    };
    EXPECT_TRUE(testing::Eventually(toldToStop, 10000));
  }
  std::size_t lines = 0;
  for (const QString& name : QDir(home.path() + "/RX-710").entryList({"C*"}, QDir::Files)) {
    std::ifstream in((home.path() + "/RX-710/" + name).toStdString(), std::ios::binary);
    for (std::string line; std::getline(in, line); ++lines) EXPECT_EQ(line.size(), 15u) << line;  // and LF
  }
  EXPECT_GE(lines, 20u);  // at least the 20 seen at the question
}

// As nobody, with USER=root, on a character device only root may open: the
// remedy names nobody. Only root can make the device and drop to nobody.
TEST_F(ProgramEnd, AReadOnADeviceFileThisUserMayNotOpenShows1002AndTellsTheRemedy) {
  const QString setpriv = QStandardPaths::findExecutable("setpriv");
  const passwd* nobody = getpwnam("nobody");
  if (geteuid() != 0 || setpriv.isEmpty() || nobody == nullptr)
    GTEST_SKIP() << "needs root, setpriv and a user nobody to make a device file nobody may not open";
  QStringList runAs = {setpriv, QString("--reuid=%1").arg(nobody->pw_uid),
                       QString("--regid=%1").arg(nobody->pw_gid), "--clear-groups", "--"};
  if (QProcess::execute(runAs[0], runAs.mid(1) + QStringList{"test", "-x", PROGRAM_PROBE}) != 0)
    GTEST_SKIP() << "nobody may not run " << PROGRAM_PROBE;
  const QString owner = QString("%1:%2").arg(nobody->pw_uid).arg(nobody->pw_gid);
  ASSERT_EQ(QProcess::execute("chown", {"-R", owner, home.path()}), 0);
  runAs << "env" << "USER=root";
  const QString device = home.path() + "/ttyUSB0";
  ASSERT_EQ(mknod(device.toLocal8Bit().constData(), S_IFCHR | 0600, makedev(1, 3)), 0) << std::strerror(errno);

  ASSERT_NO_FATAL_FAILURE(Start("read", device.toStdString(), runAs));
  ASSERT_SOON(Said("error") || probe.state() == QProcess::NotRunning, 20000);
  EXPECT_TRUE(Said("error: エラー：通信できません。USBケーブルの接続を確認してください（[Esc]：解除）"))
      << output.toStdString();
  const QString told = QString::fromUtf8(probe.readAllStandardError());
  EXPECT_TRUE(told.contains(device) && told.contains("sudo adduser nobody dialout")) << told.toStdString();
  ExpectOrderlyEndOn(SIGTERM);
}

}  // namespace
}  // namespace rx
