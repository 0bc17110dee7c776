// The desktop as Qt sees it, for one window.
#pragma once

#include "platform/desktop.h"

class QWidget;

namespace rx {

class QtDesktop : public Desktop {
 public:
  explicit QtDesktop(QWidget* window) : window_(window) {}
  PixelRect WorkArea() override;
  int TwipsPerPixelX() override;
  int TwipsPerPixelY() override;
  int ScreenWidthTwips() override;
  WindowState GetWindowState() override;
  void SetWindowState(WindowState state) override;
  void MoveWindow(int left, int top, int width, int height) override;
  void CloseWindow() override;

 private:
  QWidget* window_;
};

// 1440 twips to the logical inch, as a whole number of twips per pixel.
int TwipsPerPixel(double logicalDotsPerInch);

}  // namespace rx
