#include "shell/work_area.h"

namespace rx {

void FitToWorkArea(Terminal& t) {
  Desktop& desktop = t.platform.desktop;
  PixelRect area = desktop.WorkArea();
  int x = desktop.TwipsPerPixelX(), y = desktop.TwipsPerPixelY();
  // The area's own width and height: a panel on the left or at the top moves
  // its left or top edge away from the origin.
  desktop.MoveWindow(area.left * x, area.top * y, (area.right - area.left) * x,
                     (area.bottom - area.top) * y);
}

}  // namespace rx
