// Questions and notices for the few start and exit conditions. A box opens
// and returns at once: the answer arrives later, as an event of its own, so
// replies, ticks and signals go on being handled while the operator reads.
#pragma once

#include <functional>
#include <string>

namespace rx {

enum class MessageButtons { Ok, OkCancel, YesNoCancel };
enum class MessageIcon { Error, Warning };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// What Esc on a box chooses, and what closing it from outside answers.
inline MessageAnswer EscapeAnswer(MessageButtons buttons) {
  return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

class MessageBox {
 public:
  using Answered = std::function<void(MessageAnswer)>;

  virtual ~MessageBox() = default;
  // Opens a box; answered runs once, with the operator's answer. A box still
  // open is dismissed first: one box at a time.
  virtual void Ask(const std::string& text, MessageButtons buttons, MessageIcon icon,
                   Answered answered) = 0;
  // Closes the open box as Esc would: its answered runs now with the escape
  // answer. Nothing happens when no box is open.
  virtual void Dismiss() = 0;
  virtual bool Asking() const = 0;
};

}  // namespace rx
