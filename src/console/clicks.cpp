#include "console/clicks.h"

#include "console/dispatcher.h"

namespace rx {

namespace {

// Index of control within the array, or -1.
template <std::size_t N>
int IndexIn(const std::array<Control, N>& set, const Control& control) {
  for (std::size_t i = 0; i < N; ++i)
    if (&set[i] == &control) return static_cast<int>(i);
  return -1;
}

}  // namespace

void Control_Click(Terminal& t, const Control& control) {
  Form& f = t.form;
  if (!control.enabled) return;
  int key = IndexIn(f.lblKey, control);
  if (key < 0) key = IndexIn(f.lblCap, control);
  if (key >= 0) lblKey_Click(t, key);
}

}  // namespace rx
