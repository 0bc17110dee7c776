// The settings in the real INI file, in a configuration directory of our own.
#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "platform/qt/qt_services.h"
#include "shell/startup.h"
#include "support/fake_platform.h"

namespace rx {
namespace {

// The first start leaves the six keys with their defaults; a later start
// writes the default back over an empty or unreadable value.
TEST(IniSettings, TheSixKeysWithDefaultsAndGarbageWrittenBack) {
  QTemporaryDir config;
  const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config.path());  // Qt reads the variable once
  const QString path = config.path() + "/TARVO Application.ini";
  QtSettingsStore store;
  auto load = [&](bool serialSend, bool bestFrame, int portNo) {
    testing::FakePlatform fakes;
    Platform services{store, fakes.clock, fakes.messages, fakes.beeper, fakes.events, fakes.desktop, fakes.instance,
                      fakes.port, fakes.launcher, fakes.power};
    Terminal terminal(services, (config.path() + "/data").toStdString());
    ASSERT_TRUE(Form_Load(terminal));
    EXPECT_EQ(terminal.form.SerialSend, serialSend);
    EXPECT_EQ(terminal.form.BestFrame, bestFrame);
    EXPECT_EQ(terminal.form.PortNo, portNo);
    const QSettings ini(path, QSettings::IniFormat);
    QStringList keys = ini.allKeys();
    keys.sort();
    EXPECT_EQ(keys, QStringList({"RX-710KP/BestFrame", "RX-710KP/Debug", "RX-710KP/DualAdd", "RX-710KP/PortNo",
                                 "RX-710KP/PrintFrame", "RX-710KP/SerialSend"}));
    EXPECT_EQ(ini.value("RX-710KP/PortNo").toString(), QString::number(portNo));
    EXPECT_EQ(ini.value("RX-710KP/BestFrame").toString(), bestFrame ? "True" : "False");
    EXPECT_EQ(ini.value("RX-710KP/Debug").toString(), "False");
  };
  load(false, true, 3);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().startsWith("[RX-710KP]"));
  {
    QSettings ini(path, QSettings::IniFormat);
    ini.setValue("RX-710KP/BestFrame", "");
    ini.setValue("RX-710KP/PortNo", "COM3");
    ini.setValue("RX-710KP/SerialSend", "TRUE");
  }
  load(true, true, 3);
  qputenv("XDG_CONFIG_HOME", previous);
}

}  // namespace
}  // namespace rx
