// Pages on Qt: laid out with QPainter into a PDF, which is either put in
// place (a PDF target) or handed to CUPS (a printer). The document is written
// to a temporary file first, so a stopped or failed output leaves nothing.
// CUPS is asked on a thread of its own, over a connection of its own whose
// every wait is bounded, so a silent print server never holds the window.
#pragma once

#include <QFont>
#include <QSizeF>
#include <QString>
#include <memory>

#include "platform/page_printer.h"

class QIODevice;
class QPainter;
class QPdfWriter;
class QSaveFile;
class QTemporaryFile;

namespace rx {

struct PrintWork;

class QtPagePrinter : public PagePrinter {
 public:
  // A print server silent for deadlineMs fails the call.
  explicit QtPagePrinter(int deadlineMs = 20000);
  ~QtPagePrinter() override;

  PrintCall Open(const PageTarget& target, const std::string& title, std::string* reason) override;
  int LinesPerPage() override;
  bool PrintPage(int page, int pages, std::span<const std::string> lines,
                 std::string* reason) override;
  PrintCall Finish(std::string* reason) override;
  PrintCall Poll(std::string* reason) override;
  void Discard() override;

 private:
  bool OpenPdf(const std::string& path, std::string* reason);
  bool OpenSpool(const QSizeF& pageMm, std::string* reason);
  bool StartDocument(QIODevice* device, const QSizeF& pageMm, std::string* reason);
  PrintCall WriteOut(std::string* reason);
  void Abandon();
  void Close();

  const int deadlineMs_;
  std::shared_ptr<PrintWork> work_;        // the pending call to CUPS, if any
  bool handingOver_ = false;               // the pending call hands the spool over
  bool closing_ = false;                   // finished: the next Poll writes the document out
  std::unique_ptr<QSaveFile> pdf_;         // a PDF target: renamed into place when whole
  std::unique_ptr<QTemporaryFile> spool_;  // a printer: the document CUPS is given
  std::unique_ptr<QPdfWriter> writer_;
  std::unique_ptr<QPainter> painter_;
  QString printer_;
  QString title_;
  QFont font_;
  int lineHeight_ = 0;
  int headerHeight_ = 0;
};

}  // namespace rx
