// Modal questions and notices for the few start and exit conditions.
#pragma once

#include <string>

namespace rx {

enum class MessageButtons { Ok, OkCancel, YesNoCancel };
enum class MessageIcon { Error, Warning };
enum class MessageAnswer { Ok, Cancel, Yes, No };

class MessageBox {
 public:
  virtual ~MessageBox() = default;
  virtual MessageAnswer Show(const std::string& text, MessageButtons buttons,
                             MessageIcon icon) = 0;
};

}  // namespace rx
