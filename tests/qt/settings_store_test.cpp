// The settings in the real INI file, in a configuration directory of our own.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/qt/qt_services.h"
#include "shell/startup.h"
#include "support/terminal_driver.h"

namespace rx {
namespace {

struct IniSettings : ::testing::Test {
  void SetUp() override { qputenv("XDG_CONFIG_HOME", config.path().toUtf8()); }
  void TearDown() override { qputenv("XDG_CONFIG_HOME", previous); }
  QTemporaryDir config;
  const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
  const std::string folder = config.path().toStdString(), path = folder + "/TARVO Application.ini";
  QtSettingsStore store;
};

// The first start leaves the six keys with their defaults; a later start
// writes the default back over an empty or unreadable value. The file is one
// the store of earlier versions reads and writes alike.
TEST_F(IniSettings, TheSixKeysWithDefaultsAndGarbageWrittenBack) {
  auto load = [&](bool serialSend, bool bestFrame, int portNo) {
    testing::FakePlatform fakes;
    Platform services{store, fakes.clock, fakes.messages, fakes.beeper, fakes.events, fakes.desktop, fakes.instance,
                      fakes.port, fakes.printer, fakes.launcher, fakes.power};
    Terminal terminal(services, folder + "/data");
    ASSERT_TRUE(Form_Load(terminal));
    EXPECT_EQ(std::tuple(terminal.form.SerialSend, terminal.form.BestFrame, terminal.form.PortNo),
              std::tuple(serialSend, bestFrame, portNo));
    const QSettings ini(QString::fromStdString(path), QSettings::IniFormat);
    QStringList stored;
    for (const QString& key : ini.allKeys()) stored << key + "=" + ini.value(key).toString();
    stored.sort();
    EXPECT_EQ(stored.join(' '), QString("RX-710KP/BestFrame=%1 RX-710KP/Debug=False RX-710KP/DualAdd=False "
                                        "RX-710KP/PortNo=%2 RX-710KP/PrintFrame=True RX-710KP/SerialSend=%3")
                                    .arg(bestFrame ? "True" : "False").arg(portNo).arg(serialSend ? "TRUE" : "False"));
  };
  load(false, true, 3);
  EXPECT_EQ(testing::ContentOf(path).rfind("[RX-710KP]", 0), 0u);
  {
    QSettings ini(QString::fromStdString(path), QSettings::IniFormat);
    ini.setValue("RX-710KP/BestFrame", "");
    ini.setValue("RX-710KP/PortNo", "COM3");
    ini.setValue("RX-710KP/SerialSend", "TRUE");
  }
  load(true, true, 3);
}

// What a hand wrote reads back as written, and a write changes no other byte
// nor the file's mode. Anything but a writable regular file is left as it is.
TEST_F(IniSettings, ValuesAsWrittenOtherLinesKeptAndOnlyAWritableFileReplaced) {
  const std::string hand = "; mine\r\n[Other]\r\nTextOutput=keep\r\n[RX-710KP]\r\nTextOutput=Printer:Office,2F\r\n"
                           "Junk line\r\nDebug=PDF\\";
  std::ofstream(path, std::ios::binary) << hand;
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  EXPECT_EQ(store.Read(kApplication, kSection, "TextOutput"), "Printer:Office,2F");
  EXPECT_EQ(store.Read(kApplication, kSection, "Debug"), "PDF\\");
  EXPECT_TRUE(store.Write(kApplication, kSection, "BestFrame", "False"));
  EXPECT_EQ(testing::ContentOf(path), hand + "\r\nBestFrame=False\r\n");
  EXPECT_EQ(QFile::permissions(QString::fromStdString(path)) & 0x7077, 0x6040);  // 640, in Qt's hex digits

  ASSERT_EQ(chmod(path.c_str(), 0444), 0);  // made read-only, even for root
  const std::string kept = testing::ContentOf(path);
  auto refused = [&](const char* what) {
    EXPECT_FALSE(store.Write(kApplication, kSection, "BestFrame", "True")) << what;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1) << what << ": left beside it";
  };
  refused("a read-only file");
  EXPECT_EQ(testing::ContentOf(path), kept);
  ASSERT_EQ(unlink(path.c_str()), 0);
  ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
  EXPECT_EQ(store.Read(kApplication, kSection, "Debug"), "");  // no wait for a writer
  refused("a fifo");
  ASSERT_EQ(unlink(path.c_str()), 0);
  ASSERT_EQ(symlink((folder + "/gone").c_str(), path.c_str()), 0);
  refused("a dangling link");
  ASSERT_EQ(unlink(path.c_str()), 0);
  ASSERT_EQ(mkdir(path.c_str(), 0755), 0);
  refused("a directory");
  ASSERT_EQ(rmdir(path.c_str()), 0);
  std::ofstream(path) << kept;
  qputenv("XDG_CONFIG_HOME", (config.path() + "/TARVO Application.ini/x").toUtf8());
  refused("a folder that cannot be made");
  EXPECT_EQ(testing::ContentOf(path), kept);
  qputenv("XDG_CONFIG_HOME", config.path().toUtf8());  // a link to the file is followed, and kept
  ASSERT_EQ(rename(path.c_str(), (folder + "/real").c_str()), 0);
  ASSERT_EQ(symlink("real", path.c_str()), 0);
  EXPECT_TRUE(store.Write(kApplication, kSection, "BestFrame", "True"));
  EXPECT_EQ(store.Read(kApplication, kSection, "BestFrame"), "True");
  EXPECT_TRUE(QFileInfo(QString::fromStdString(path)).isSymLink());
}

}  // namespace
}  // namespace rx
