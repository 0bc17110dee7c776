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

// How a call that may wait on the print service stands.
enum class PrintCall { Done, Pending, Failed };

class PagePrinter {
 public:
  virtual ~PagePrinter() = default;
  // Starts a document. Failed and why when the target cannot take one (no
  // such printer, a stopped one, one refusing jobs, a PDF folder that cannot
  // be written). Pending while the print service is still being asked: the
  // caller polls with Poll() until it says Done or Failed. Never blocks.
  virtual PrintCall Open(const PageTarget& target, const std::string& title, std::string* reason) = 0;
  // Lines that fit below the page header of the open document.
  virtual int LinesPerPage() = 0;
  // Page page of pages, headed by the title and "page n / m".
  virtual bool PrintPage(int page, int pages, std::span<const std::string> lines,
                         std::string* reason) = 0;
  // Hands the document to the printer, or puts the PDF in place; Pending
  // while it is written out or the print service takes it (poll). Never blocks.
  virtual PrintCall Finish(std::string* reason) = 0;
  // Where the pending Open or Finish stands now (Done when none is pending).
  virtual PrintCall Poll(std::string* reason) = 0;
  // Drops the open document and abandons a pending call. Never blocks.
  virtual void Discard() = 0;
};

}  // namespace rx
