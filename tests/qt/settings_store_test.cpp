// Settings in the real INI file, in a configuration directory of our own.
#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "platform/qt/qt_services.h"
#include "shell/settings.h"
#include "shell/startup.h"
#include "support/fake_platform.h"

namespace rx {
namespace {

class IniSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(config.isValid());
    previous = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    // Qt reads XDG_CONFIG_HOME once per process; tell it again for each test.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config.path());
  }
  void TearDown() override { qputenv("XDG_CONFIG_HOME", previous); }

  QString IniPath() const { return config.path() + "/TARVO Application.ini"; }
  void Store(const QString& key, const QString& value) {
    QSettings ini(IniPath(), QSettings::IniFormat);
    ini.setValue("RX-710KP/" + key, value);
  }
  QStringList Keys() const {
    QSettings ini(IniPath(), QSettings::IniFormat);
    return ini.allKeys();
  }
  QString Value(const QString& key) const {
    QSettings ini(IniPath(), QSettings::IniFormat);
    return ini.value("RX-710KP/" + key).toString();
  }

  // Loads a terminal whose settings are the real store; the rest are fakes.
  void Load() {
    testing::FakePlatform fakes;
    Platform services{store,         fakes.clock,    fakes.messages, fakes.beeper,
                      fakes.events,  fakes.desktop,  fakes.instance, fakes.port,
                      fakes.launcher, fakes.power};
    Terminal terminal(services, (config.path() + "/data").toStdString());
    ASSERT_TRUE(Form_Load(terminal));
    bestFrame = terminal.form.BestFrame;
    portNo = terminal.form.PortNo;
  }

  QTemporaryDir config;
  QByteArray previous;
  QtSettingsStore store;
  bool bestFrame = false;
  int portNo = 0;
};

// The first start leaves the six keys with their defaults; a later start
// writes the default back over an empty or unreadable value.
TEST_F(IniSettingsTest, TheSixKeysWithDefaultsAndGarbageWrittenBack) {
  Load();
  QStringList keys = Keys();
  keys.sort();
  EXPECT_EQ(keys, QStringList({"RX-710KP/BestFrame", "RX-710KP/Debug", "RX-710KP/DualAdd",
                               "RX-710KP/PortNo", "RX-710KP/PrintFrame", "RX-710KP/SerialSend"}));
  EXPECT_EQ(Value("PortNo"), "3");
  EXPECT_EQ(Value("Debug"), "False");
  EXPECT_EQ(Value("BestFrame"), "True");
  EXPECT_EQ(Value("SerialSend"), "False");
  QFile file(IniPath());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().startsWith("[RX-710KP]"));

  Store("BestFrame", "");
  Store("PortNo", "COM3");
  Load();
  EXPECT_TRUE(bestFrame);
  EXPECT_EQ(portNo, 3);
  EXPECT_EQ(Value("BestFrame"), "True");
  EXPECT_EQ(Value("PortNo"), "3");
  EXPECT_EQ(Keys().size(), 6);
}

TEST(QtSingleInstance, ASecondHolderIsRefusedUntilTheFirstEnds) {
  QTemporaryDir runtime;
  QByteArray previous = qgetenv("XDG_RUNTIME_DIR");
  qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
  QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  {
    QtSingleInstance first;
    EXPECT_TRUE(first.LockPath().startsWith(runtime.path()));
    EXPECT_TRUE(first.TryAcquire());
    EXPECT_TRUE(first.TryAcquire());  // asking again is harmless
    QtSingleInstance second;
    EXPECT_FALSE(second.TryAcquire());
  }
  QtSingleInstance third;
  EXPECT_TRUE(third.TryAcquire());
  qputenv("XDG_RUNTIME_DIR", previous);
}

}  // namespace
}  // namespace rx
