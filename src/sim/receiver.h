// Cuts the bytes from the terminal into frames, flow control and text lines.
// The line settings cannot be seen on a pty, so plain text output is known by
// its content: whatever arrives outside STX..ETX, in lines ending CR LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rx::sim {

struct Received {
  enum class Kind {
    Frame,     // data: the 20-character body
    Xon,
    Xoff,
    TextLine,  // data: the line without CR LF
    Junk,      // data: a cut segment that is not a frame, or noise before one
  };
  Kind kind;
  std::string data;
};

class Receiver {
 public:
  std::vector<Received> Feed(std::string_view bytes);

 private:
  void CloseSegment(std::vector<Received>& out);

  bool inFrame_ = false;
  std::string segment_;  // from STX on
  std::string text_;     // unfinished text line
};

}  // namespace rx::sim
