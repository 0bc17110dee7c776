#include "data/edit_screen_resets.h"

#include "data/alpine_edit.h"
#include "data/relay_edit.h"

namespace rx {

namespace {

class EditScreenResets : public EditScreens {
 public:
  explicit EditScreenResets(Terminal& t) : t_(t) {}
  void ResetAlpineEdit() override { OpenAlpineEdit(t_, false); }
  void ResetRelayEdit() override { OpenRelayEdit(t_); }

 private:
  Terminal& t_;
};

}  // namespace

std::shared_ptr<EditScreens> MakeEditScreenResets(Terminal& t) {
  return std::make_shared<EditScreenResets>(t);
}

}  // namespace rx
