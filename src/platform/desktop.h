// The desktop around the window: work area, twips per pixel, and the window's
// own placement and state.
#pragma once

namespace rx {

struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

enum class WindowState { Normal, Minimized, Maximized };

class Desktop {
 public:
  virtual ~Desktop() = default;
  // Work area of the screen in pixels, without panels and task bars.
  virtual PixelRect WorkArea() = 0;
  virtual int TwipsPerPixelX() = 0;
  virtual int TwipsPerPixelY() = 0;
  // Width of the whole screen, in twips.
  virtual int ScreenWidthTwips() = 0;
  virtual WindowState GetWindowState() = 0;
  virtual void SetWindowState(WindowState state) = 0;
  virtual void MoveWindow(int left, int top, int width, int height) = 0;  // twips
  // Asks the window to close, as its close box does.
  virtual void CloseWindow() = 0;
};

}  // namespace rx
