// The text output laid out on pages for a printer or a PDF: where it stands
// between two turns of the event loop.
#pragma once

#include <string>

namespace rx {

class PagePrinter;

struct PaperOutput {
  PagePrinter* printer = nullptr;  // given by whoever builds the terminal; none: printing fails
  bool active = false;
  // A call the print service has not answered yet: polled a turn at a time.
  enum class Waiting { Nothing, Open, Finish } waiting = Waiting::Nothing;
  int page = 0;                    // the page to print next
  int pages = 0;
  int perPage = 0;
  std::string name;                // the file name the header and trailer carry
};

}  // namespace rx
