// panel_shot: the terminal's window drawn by the program itself, against the
// built-in simulated device, keys pressed as given, saved as a PNG. Run by
// scripts/screenshots for the README; any window size.
//
//   panel_shot OUT.png WIDTHxHEIGHT [KEY,KEY,...] [WAIT_MS]
#include <QApplication>
#include <QFile>
#include <QFont>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "console/dispatcher.h"
#include "link/port_paths.h"
#include "platform/qt/qt_platform.h"
#include "shell/startup.h"
#include "sim/pty_device.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: panel_shot OUT.png WIDTHxHEIGHT [KEY,KEY,...] [WAIT_MS] [KEEP_DATA_DIR]\n");
    return 2;
  }
  // A home of its own: no settings or data of the user's are touched.
  QTemporaryDir home;
  qputenv("HOME", home.path().toLocal8Bit());
  qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
  qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());

  // The offscreen platform's screen is made the size asked for, so the window
  // fills it as it fills a real work area.
  const QStringList size = QString::fromLocal8Bit(argv[2]).split('x');
  const QString screenFile = home.path() + "/screen.json";
  QFile screen(screenFile);
  if (!screen.open(QIODevice::WriteOnly)) return 1;
  screen.write(QString(R"({"screens": [{"name": "panel", "x": 0, "y": 0, "width": %1, "height": %2,
                                       "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                   .arg(size.value(0).toInt())
                   .arg(size.value(1).toInt())
                   .toUtf8());
  screen.close();
  qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screenFile).toLocal8Bit());

  rx::sim::PtyDevice simulator{rx::sim::Options{}};
  std::string error;
  if (!simulator.Start(&error)) {
    std::fprintf(stderr, "panel_shot: the simulated device could not start: %s\n", error.c_str());
    return 1;
  }
  QApplication app(argc, argv);
  QApplication::setFont(QFont(QStringLiteral("IPAGothic")));
  const QString out = QString::fromLocal8Bit(argv[1]);
  const QStringList keys =
      argc > 3 ? QString::fromLocal8Bit(argv[3]).split(',', Qt::SkipEmptyParts) : QStringList();
  const int waitMs = argc > 4 ? QString::fromLocal8Bit(argv[4]).toInt() : 300;

  rx::frmMain window;
  rx::QtPlatform services(&window, [path = simulator.SlavePath()](int) { return path; });
  rx::Terminal terminal(services.Services(), (home.path() + "/RX-710").toStdString());
  if (!rx::Form_Load(terminal)) return 1;
  window.Attach(&terminal);
  window.ShowBanner(QString::fromUtf8("◆ シミュレータ接続中 (simulated RX-710)"));
  window.show();

  for (const QString& key : keys) {
    rx::lblKey_Click(terminal, key.toInt());
    window.Refresh();
  }
  QTimer::singleShot(waitMs, &app, [&] {
    window.Refresh();
    // The data files the keys made, kept for what comes next (a results sheet).
    if (argc > 5)
      for (const QFileInfo& file : QDir(home.path() + "/RX-710").entryInfoList(QDir::Files))
        QFile::copy(file.filePath(), QString::fromLocal8Bit(argv[5]) + "/" + file.fileName());
    if (!window.grab().save(out)) {
      std::fprintf(stderr, "panel_shot: cannot write %s\n", qPrintable(out));
      app.exit(1);
      return;
    }
    app.exit(0);
  });
  return app.exec();
}
