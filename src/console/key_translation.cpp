#include "console/key_translation.h"

#include "shell/form.h"

namespace rx {

int KeyIndexForKeyCode(int code) {
  switch (code) {
    case VirtualKeys::Left: return Keys::Left;
    case VirtualKeys::Up: return Keys::Up;
    case VirtualKeys::Right: return Keys::Right;
    case VirtualKeys::Down: return Keys::Down;
    case VirtualKeys::Insert: return Keys::Insert;
    case VirtualKeys::Delete: return Keys::Delete;
    default: return -1;
  }
}

int KeyIndexForCharacter(int code) {
  if (code >= '0' && code <= '9') return code - '0';
  switch (code) {
    case '.': return Keys::Point;
    case 13: return Keys::Enter;   // carriage return
    case 12: return Keys::Clear;   // form feed, Ctrl+L
    case 27: return Keys::Esc;
    case 9: return Keys::Esc;      // Tab
    case '-': return Keys::Insert;
    default: return -1;
  }
}

}  // namespace rx
