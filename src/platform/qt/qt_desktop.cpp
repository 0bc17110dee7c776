#include "platform/qt/qt_desktop.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace rx {

namespace {

QScreen* ScreenOf(QWidget* window) {
  QScreen* screen = window != nullptr ? window->screen() : nullptr;
  return screen != nullptr ? screen : QGuiApplication::primaryScreen();
}

}  // namespace

int TwipsPerPixel(double logicalDotsPerInch) {
  if (logicalDotsPerInch <= 0) return 15;
  int perPixel = static_cast<int>(1440.0 / logicalDotsPerInch);
  return perPixel > 0 ? perPixel : 1;
}

PixelRect QtDesktop::WorkArea() {
  QScreen* screen = ScreenOf(window_);
  if (screen == nullptr) return {0, 0, 1024, 768};
  QRect area = screen->availableGeometry();
  return {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
}

int QtDesktop::TwipsPerPixelX() {
  QScreen* screen = ScreenOf(window_);
  return TwipsPerPixel(screen != nullptr ? screen->logicalDotsPerInchX() : 96);
}

int QtDesktop::TwipsPerPixelY() {
  QScreen* screen = ScreenOf(window_);
  return TwipsPerPixel(screen != nullptr ? screen->logicalDotsPerInchY() : 96);
}

int QtDesktop::ScreenWidthTwips() {
  QScreen* screen = ScreenOf(window_);
  return (screen != nullptr ? screen->geometry().width() : 1024) * TwipsPerPixelX();
}

WindowState QtDesktop::GetWindowState() {
  Qt::WindowStates state = window_->windowState();
  if (state & Qt::WindowMinimized) return WindowState::Minimized;
  if (state & (Qt::WindowMaximized | Qt::WindowFullScreen)) return WindowState::Maximized;
  return WindowState::Normal;
}

void QtDesktop::SetWindowState(WindowState state) {
  switch (state) {
    case WindowState::Normal: window_->setWindowState(Qt::WindowNoState); break;
    case WindowState::Minimized: window_->setWindowState(Qt::WindowMinimized); break;
    case WindowState::Maximized: window_->setWindowState(Qt::WindowMaximized); break;
  }
}

void QtDesktop::MoveWindow(int left, int top, int width, int height) {
  int x = TwipsPerPixelX(), y = TwipsPerPixelY();
  window_->move(left / x, top / y);
  window_->resize(width / x, height / y);
}

void QtDesktop::CloseWindow() {
  // Queued, so the key that asked for it finishes before the close question.
  QMetaObject::invokeMethod(window_, &QWidget::close, Qt::QueuedConnection);
}

}  // namespace rx
