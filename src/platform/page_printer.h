// Laying text lines out on pages for a printer of the desktop or a PDF file.
// A document is opened, filled a page at a time and then handed over whole,
// or discarded so that nothing of it reaches the printer or the disk.
#pragma once

#include <span>
#include <string>

namespace rx {

struct PageTarget {
  enum class Kind { DefaultPrinter, Printer, Pdf };
  Kind kind = Kind::DefaultPrinter;
  std::string name;  // the printer's name, or the PDF file's path
};

class PagePrinter {
 public:
  virtual ~PagePrinter() = default;
  // False and why when the target cannot take a document (no such printer,
  // a stopped one, one refusing jobs, a PDF folder that cannot be written).
  virtual bool Open(const PageTarget& target, const std::string& title, std::string* reason) = 0;
  // Lines that fit below the page header of the open document.
  virtual int LinesPerPage() = 0;
  // Page page of pages, headed by the title and "page n / m".
  virtual bool PrintPage(int page, int pages, std::span<const std::string> lines,
                         std::string* reason) = 0;
  // Hands the document to the printer, or puts the PDF in place.
  virtual bool Finish(std::string* reason) = 0;
  // Drops the open document.
  virtual void Discard() = 0;
};

}  // namespace rx
