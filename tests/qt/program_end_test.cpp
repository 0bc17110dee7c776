// The program itself (program_probe: the window, its message boxes and
// services as the program builds them) ended by real signals while it asks a
// question: whether to stop an output into a held line, or whether to switch
// the PC off (opened through the window's close box) during a read.
#include <pwd.h>
#include <signal.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <mutex>

#include "sim/protocol.h"
#include "sim/replies.h"
#include "support/event_wait.h"
#include "support/far_end.h"

namespace rx {
namespace {

using testing::FarEnd;

// A device that sends the records of a read one every few milliseconds from
// a thread of its own: the read still runs when the test ends the program.
class SlowDevice {
 public:
  explicit SlowDevice(FarEnd& far) : far_(far) {
    for (int bib = 1; bib <= 999; ++bib) {
      char number[4];
      std::snprintf(number, sizeof number, "%03d", bib);
      device_.Memory().Put(sim::MemoryKind::Course, '1', number, std::to_string(1000100000 + bib));
    }
    far.Start([this](FarEnd&, const std::string& burst) {
      std::lock_guard lock(mutex_);
      device_.Receive(burst);
    });
    feeder_ = std::thread([this] {
      while (!stop_) {
        std::string frame;
        {
          std::lock_guard lock(mutex_);
          if (!device_.Paused()) frame = device_.NextFrame();
        }
        far_.Send(frame);
        std::this_thread::sleep_for(std::chrono::milliseconds(4));
      }
    });
  }
  ~SlowDevice() {
    stop_ = true;
    feeder_.join();
    far_.Stop();
  }

 private:
  FarEnd& far_;
  std::mutex mutex_;
  sim::DeviceProtocol device_;
  std::atomic<bool> stop_{false};
  std::thread feeder_;
};

class ProgramEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    const QString root = home.path();
    ASSERT_TRUE(QDir(root).mkpath("config") && QDir(root).mkpath("run") && QDir(root).mkpath("RX-710"));
    QFile::setPermissions(root + "/run", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    std::ofstream((root + "/config/TARVO Application.ini").toStdString()) << "[RX-710KP]\nSerialSend=True\n";
    // More than the pty takes unread: the output waits for the held line.
    std::ofstream file((root + "/RX-710/FN241433.C08").toStdString(), std::ios::binary);
    for (int i = 0; i < 3000; ++i) file << (1 + i / 1000) * 1000 + i % 1000 << 1000481234 + i << "\r\n";
    lockPath = root + QString("/run/rx710kp-%1.lock").arg(getuid());
  }
  void TearDown() override {
    if (probe.state() != QProcess::NotRunning) {
      probe.kill();  // QProcess signals only its own child
      probe.waitForFinished(5000);
    }
  }

  // Starts the probe on port; runAs (a program and its arguments) runs it as
  // another user.
  void Start(const char* mode, const QString& port, QStringList runAs = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.insert("XDG_CONFIG_HOME", home.path() + "/config");
    env.insert("XDG_RUNTIME_DIR", home.path() + "/run");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    probe.setProcessEnvironment(env);
    output.clear();
    QStringList arguments = runAs + QStringList{PROGRAM_PROBE, mode, port, home.path() + "/RX-710"};
    probe.start(arguments.takeFirst(), arguments);
    ASSERT_TRUE(probe.waitForStarted(10000));
  }
  // Runs until the program asks its question (the output's "asking", the
  // read's "closing asked").
  void StartAsking(const char* mode, FarEnd& far, const char* asked) {
    ASSERT_NO_FATAL_FAILURE(Start(mode, QString::fromStdString(far.Path())));
    ASSERT_SOON(Said(asked) || Said("error") || probe.state() == QProcess::NotRunning, 20000);
    ASSERT_TRUE(Said(asked)) << output.toStdString();
    ASSERT_TRUE(QFile::exists(lockPath));
  }
  // The signal to the probe, checked to be our running child; the program
  // must end as its orderly close ends it: exit code 0, the lock freed, the
  // PC left on.
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
  bool Said(const QString& text) {
    output += QString::fromUtf8(probe.readAllStandardOutput());
    return output.contains(text);
  }

  QTemporaryDir home;
  QString lockPath;
  QProcess probe;
  QString output;
};

TEST_F(ProgramEnd, SigtermWhileAskingToStopAnOutputIntoAHeldLineEndsInOrder) {
  for (int run = 0; run < 2; ++run) {  // the second start is no second copy
    SCOPED_TRACE(run);
    std::atomic<bool> never{false};
    FarEnd printer;
    ASSERT_TRUE(printer.Ready());
    printer.Start(testing::Holding(never));
    ASSERT_NO_FATAL_FAILURE(StartAsking("output", printer, "asking"));
    ExpectOrderlyEndOn(SIGTERM);
  }
}

// Each signal a user or the system sends ends a read whose close question is
// open as the orderly close does: the device let go and told to stop, the
// records kept whole, the lock freed, and the same line works for the next start.
class SignalWhileAskingToClose : public ProgramEnd, public ::testing::WithParamInterface<int> {};

TEST_P(SignalWhileAskingToClose, EndsTheReadInOrder) {
  FarEnd far;
  ASSERT_TRUE(far.Ready());
  {
    SlowDevice device(far);
    ASSERT_NO_FATAL_FAILURE(StartAsking("read", far, "closing asked"));
    ExpectOrderlyEndOn(GetParam());
    auto toldToStop = [&] {
      const std::string said = far.Received();
      const std::size_t xon = said.rfind(sim::kXon);
      return xon != std::string::npos && said.find(std::string(1, sim::kStx) + "CS", xon) != std::string::npos;
    };
    EXPECT_TRUE(testing::Eventually(toldToStop, 10000)) << sim::Visible(far.Received());
  }
  // At least the 20 records seen, each line whole: 14 characters and CR LF.
  std::size_t lines = 0;
  for (const QString& name : QDir(home.path() + "/RX-710").entryList({"C*"}, QDir::Files)) {
    std::ifstream in((home.path() + "/RX-710/" + name).toStdString(), std::ios::binary);
    for (std::string line; std::getline(in, line); ++lines) EXPECT_EQ(line.size(), 15u) << line;
  }
  EXPECT_GE(lines, 20u);

  SlowDevice again(far);
  ASSERT_NO_FATAL_FAILURE(StartAsking("read", far, "closing asked"));
  ExpectOrderlyEndOn(SIGTERM);
}

INSTANTIATE_TEST_SUITE_P(Signals, SignalWhileAskingToClose, ::testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const auto& info) { return std::string(sigabbrev_np(info.param)); });

// For real, as a user who may not open the port's device file: root runs the
// program as nobody on a file of root's; anyone else on a file of mode 000.
TEST_F(ProgramEnd, AReadOnADeviceFileThisUserMayNotOpenShows1002AndTellsTheRemedy) {
  QStringList runAs;
  if (geteuid() == 0) {
    const QString setpriv = QStandardPaths::findExecutable("setpriv");
    const passwd* nobody = getpwnam("nobody");
    if (setpriv.isEmpty() || nobody == nullptr) GTEST_SKIP() << "root without setpriv or a user nobody";
    runAs = {setpriv, QString("--reuid=%1").arg(nobody->pw_uid), QString("--regid=%1").arg(nobody->pw_gid),
             "--clear-groups", "--"};
    if (QProcess::execute(runAs[0], runAs.mid(1) + QStringList{"test", "-x", PROGRAM_PROBE}) != 0)
      GTEST_SKIP() << "nobody may not run " << PROGRAM_PROBE;
    ASSERT_EQ(QProcess::execute("chown", {"-R", QString("%1:%2").arg(nobody->pw_uid).arg(nobody->pw_gid),
                                          home.path()}), 0);
  }
  const QString device = home.path() + "/ttyUSB0";
  QFile file(device);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  file.setPermissions(geteuid() == 0 ? QFile::ReadOwner | QFile::WriteOwner : QFileDevice::Permissions());

  ASSERT_NO_FATAL_FAILURE(Start("read", device, runAs));
  ASSERT_SOON(Said("error") || probe.state() == QProcess::NotRunning, 20000);
  EXPECT_TRUE(Said("error: エラー：通信できません。USBケーブルの接続を確認してください（[Esc]：解除）"))
      << output.toStdString();
  EXPECT_TRUE(Said("message: シリアルポートのデバイスファイルを開けません：\n  " + device + "\n") && Said("dialout"))
      << output.toStdString();
  const QString stderrText = QString::fromUtf8(probe.readAllStandardError());
  EXPECT_TRUE(stderrText.contains(device) && stderrText.contains("sudo adduser ")) << stderrText.toStdString();
  ExpectOrderlyEndOn(SIGTERM);
}

}  // namespace
}  // namespace rx
