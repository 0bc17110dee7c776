#include "platform/qt/qt_page_printer.h"

#include <cups/cups.h>

#include <QDir>
#include <QFontMetrics>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#include <cstring>

namespace rx {

namespace {

constexpr int kResolution = 300;  // dots per inch of the layout
constexpr double kMarginMm = 15;
constexpr int kFontPoints = 10;

// The CUPS destination of a printer ("" the default one), checked that it
// would take a job now; its name, or "" and why not.
QString CheckedPrinter(const std::string& name, std::string* reason) {
  cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.empty() ? nullptr : name.c_str(), nullptr);
  if (!dest) {
    *reason = name.empty() ? std::string("there is no default printer")
                           : "there is no printer named " + name;
    *reason += std::string(" (") + cupsLastErrorString() + ")";
    return {};
  }
  QString found = QString::fromUtf8(dest->name);
  const char* state = cupsGetOption("printer-state", dest->num_options, dest->options);
  const char* accepting = cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
  if (state && std::strcmp(state, "5") == 0)
    *reason = "the printer " + found.toStdString() + " is stopped";
  else if (accepting && std::strcmp(accepting, "true") != 0)
    *reason = "the printer " + found.toStdString() + " does not accept jobs";
  else
    reason->clear();
  cupsFreeDests(1, dest);
  return reason->empty() ? found : QString();
}

}  // namespace

QtPagePrinter::QtPagePrinter() = default;

QtPagePrinter::~QtPagePrinter() { Discard(); }

PrintCall QtPagePrinter::Open(const PageTarget& target, const std::string& title, std::string* reason) {
  return OpenNow(target, title, reason) ? PrintCall::Done : PrintCall::Failed;
}

PrintCall QtPagePrinter::Poll(std::string*) { return PrintCall::Done; }

bool QtPagePrinter::OpenNow(const PageTarget& target, const std::string& title, std::string* reason) {
  Discard();
  title_ = QString::fromStdString(title);
  if (target.kind == PageTarget::Kind::Pdf) {
    pdf_ = std::make_unique<QSaveFile>(QString::fromStdString(target.name));
    if (!pdf_->open(QIODevice::WriteOnly)) {
      *reason = "cannot write " + target.name + ": " + pdf_->errorString().toStdString();
      pdf_.reset();
      return false;
    }
    return StartDocument(pdf_.get(), {}, reason);
  }
  printer_ = CheckedPrinter(target.kind == PageTarget::Kind::Printer ? target.name : "", reason);
  if (printer_.isEmpty()) return false;
  spool_ = std::make_unique<QTemporaryFile>(QDir::tempPath() + "/rx710kp-XXXXXX.pdf");
  if (!spool_->open()) {
    *reason = "cannot write a temporary file: " + spool_->errorString().toStdString();
    spool_.reset();
    return false;
  }
  return StartDocument(spool_.get(), printer_, reason);
}

bool QtPagePrinter::StartDocument(QIODevice* device, const QString& pageSizeFrom, std::string* reason) {
  writer_ = std::make_unique<QPdfWriter>(device);
  writer_->setTitle(title_);
  writer_->setCreator("rx710kp");
  writer_->setResolution(kResolution);
  QPageSize size(QPageSize::A4);
  if (!pageSizeFrom.isEmpty()) {
    QPageSize printers = QPrinterInfo::printerInfo(pageSizeFrom).defaultPageSize();
    if (printers.isValid()) size = printers;
  }
  writer_->setPageSize(size);
  writer_->setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
  painter_ = std::make_unique<QPainter>();
  if (!painter_->begin(writer_.get())) {
    *reason = "the pages cannot be laid out";
    Discard();
    return false;
  }
  // A fixed-width face with the Japanese glyphs, as the window uses.
  font_ = QFont(QStringLiteral("IPAGothic"));
  font_.setStyleHint(QFont::Monospace);
  font_.setPointSize(kFontPoints);
  painter_->setFont(font_);
  lineHeight_ = painter_->fontMetrics().lineSpacing();
  headerHeight_ = 2 * lineHeight_;
  return true;
}

int QtPagePrinter::LinesPerPage() {
  if (!writer_ || lineHeight_ <= 0) return 1;
  return std::max(1, (writer_->height() - headerHeight_) / lineHeight_);
}

bool QtPagePrinter::PrintPage(int page, int pages, std::span<const std::string> lines,
                              std::string* reason) {
  if (!painter_ || !painter_->isActive()) {
    *reason = "no document is open";
    return false;
  }
  if (page > 1 && !writer_->newPage()) {
    *reason = "a new page cannot be started";
    return false;
  }
  const int width = writer_->width();
  const int ascent = painter_->fontMetrics().ascent();
  QRect head(0, 0, width, lineHeight_);
  painter_->drawText(head, Qt::AlignLeft | Qt::AlignVCenter, title_);
  painter_->drawText(head, Qt::AlignRight | Qt::AlignVCenter, QString("page %1 / %2").arg(page).arg(pages));
  int rule = lineHeight_ + lineHeight_ / 3;
  painter_->drawLine(0, rule, width, rule);
  int y = headerHeight_;
  for (const std::string& line : lines) {
    painter_->drawText(QPoint(0, y + ascent), QString::fromStdString(line));
    y += lineHeight_;
  }
  return true;
}

PrintCall QtPagePrinter::Finish(std::string* reason) {
  return FinishNow(reason) ? PrintCall::Done : PrintCall::Failed;
}

bool QtPagePrinter::FinishNow(std::string* reason) {
  if (!painter_) {
    *reason = "no document is open";
    return false;
  }
  painter_->end();
  painter_.reset();
  writer_.reset();
  bool done = true;
  if (pdf_) {
    if (!pdf_->commit()) {
      *reason = "cannot write " + pdf_->fileName().toStdString() + ": " + pdf_->errorString().toStdString();
      done = false;
    }
  } else if (spool_) {
    spool_->flush();
    int job = cupsPrintFile(printer_.toUtf8().constData(), QFile::encodeName(spool_->fileName()).constData(),
                            title_.toUtf8().constData(), 0, nullptr);
    if (job == 0) {
      *reason = "the printer " + printer_.toStdString() + " refused the job: " + cupsLastErrorString();
      done = false;
    }
  }
  Close();
  return done;
}

void QtPagePrinter::Discard() {
  if (painter_ && painter_->isActive()) painter_->end();
  painter_.reset();
  writer_.reset();
  if (pdf_) pdf_->cancelWriting();
  Close();
}

void QtPagePrinter::Close() {
  pdf_.reset();    // uncommitted: its temporary file goes with it
  spool_.reset();  // removed; CUPS holds its own copy
  printer_.clear();
}

}  // namespace rx
