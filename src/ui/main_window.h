// frmMain: draws the terminal's form with Qt Widgets and feeds keys, clicks,
// the 100 ms tick and resizes back into the logic. No decisions are made here.
#pragma once

#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <map>

#include "shell/form.h"
#include "shell/terminal.h"

namespace rx {

class frmMain : public QWidget {
  Q_OBJECT

 public:
  explicit frmMain(QWidget* parent = nullptr);

  // Builds one widget per control and starts the tick.
  void Attach(Terminal* terminal);
  // Brings every widget in line with the form.
  void Refresh();

  QWidget* WidgetOf(const Control* control) const;
  // A notice of the window's own, beside the guide line: which device is connected.
  void ShowBanner(const QString& text);
  // The session is ending or the process was told to end: close without
  // asking and never switch the PC off.
  void CloseBySystem();
  // Starts the unload once, whatever way the program is ending; unloaded()
  // follows when the port is closed (at most about half a second later).
  void UnloadOnce();
  // The event loop has ended before an unload could run: unload at once.
  void UnloadNow();

  // The key index a Qt key event stands for, -1 for none.
  static int KeyIndexOf(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text);

 signals:
  void unloaded();

 protected:
  bool event(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  struct Drawn {
    QWidget* widget = nullptr;
    Control last;  // what was drawn the last time
    std::uint64_t listFirst = 0, listEnd = 0;  // list boxes: the running numbers shown
    bool first = true;
  };

  void Build();
  void Draw(const Control& control, Drawn& drawn);
  void OnClicked(const Control* control);
  int Pixels(int twips) const;

  Terminal* terminal_ = nullptr;
  std::map<const Control*, Drawn> drawn_;
  QTimer timer_;
  int twipsPerPixel_ = 15;
  QString lastTitle_;
  QLabel* banner_ = nullptr;
  bool systemClosing_ = false;
  bool unloading_ = false;
  bool unloaded_ = false;
};

}  // namespace rx
