// frmMain: draws the terminal's form with Qt Widgets and feeds keys, clicks,
// the 100 ms tick and resizes back into the logic. No decisions are made here.
//
// The form is laid out in twips for a 1024-pixel-wide panel. The window draws
// it scaled uniformly to its client area ("fit": aspect kept, centred, fonts
// with it), so on a larger screen every text and key is larger; Ctrl+0
// switches to the unscaled view and back. Every control is a real widget at
// its scaled place, so clicks land on the control they hit.
#pragma once

#include <QLabel>
#include <QRect>
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
  // A notice of the window's own, in a place of its own below the status line
  // (below the traffic list when that shows): which device is connected.
  void ShowBanner(const QString& text);
  QWidget* Banner() const { return banner_; }

  // Fit (the default) or the unscaled view; Ctrl+0 switches.
  void SetFitToWindow(bool fit);
  bool FitToWindow() const { return fit_; }
  // Pixels per design pixel in the current view.
  double Scale() const { return scale_; }
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
    double points = 0;  // the font's size in the unscaled view
    bool first = true;
  };

  void Build();
  void Draw(const Control& control, Drawn& drawn);
  void OnClicked(const Control* control);
  // Twips of the layout to pixels of the window, in the current view.
  int Pixels(int twips) const;
  QRect PlaceOf(const Control& control) const;
  void ApplyFont(QWidget* widget, double points, bool bold) const;
  // Recomputes the scale and the panel's origin, then places everything anew.
  void Relayout();
  void PlaceBanner();

  Terminal* terminal_ = nullptr;
  std::map<const Control*, Drawn> drawn_;
  QTimer timer_;
  int twipsPerPixel_ = 15;
  bool fit_ = true;
  double scale_ = 1.0;
  QPoint origin_;  // where the panel's top-left corner is drawn
  QString lastTitle_;
  QLabel* banner_ = nullptr;
  bool systemClosing_ = false;
  bool unloading_ = false;
  bool unloaded_ = false;
};

}  // namespace rx
