#include "platform/qt/qt_page_printer.h"

#include <cups/cups.h>

#include <sys/socket.h>
#include <sys/stat.h>

#include "data/path_kind.h"

#include <QDir>
#include <QFontMetrics>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTemporaryFile>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>

namespace rx {

// A call to CUPS on its worker thread: what it is given, how it ended.
struct PrintWork {
  using Clock = std::chrono::steady_clock;
  explicit PrintWork(int mostMs) : deadlineMs(mostMs), deadline(Clock::now() + std::chrono::milliseconds(mostMs)) {}
  bool Late(Clock::duration after = {}) const { return Clock::now() >= deadline + after; }
  // Seen by libcups at its next wait slice; a wait it does not slice ends
  // with the connection, shut here.
  void Cancel() {
    cancelled = true;
    std::atomic_ref<int>(cancel).store(1);
    std::lock_guard lock(mutex);
    if (http) ::shutdown(httpGetFd(http), SHUT_RDWR);
  }

  const int deadlineMs;
  const Clock::time_point deadline;
  std::string printer, file, title;  // the queue ("" the default one); the document handed over
  int cancel = 0;                    // libcups looks at it while it connects
  std::atomic<bool> cancelled{false};

  std::mutex mutex;  // guards what follows
  http_t* http = nullptr;  // the connection while it is open
  std::condition_variable ended;
  bool finished = false;
  bool done = false;
  std::string reason;
  QString found;   // the queue's own name
  QSizeF pageMm;   // its default paper, when it tells one
};

namespace {

constexpr int kResolution = 300;  // dots per inch of the layout
constexpr double kMarginMm = 15;
constexpr int kFontPoints = 10;
constexpr double kWaitSliceS = 0.1;  // how soon a waiting call sees a cancel or the deadline
constexpr auto kLongestExitWait = std::chrono::milliseconds(500);
constexpr auto kLateAnswer = std::chrono::seconds(2);  // a worker's own bounded waits end within it

using Call = std::function<bool(http_t*, PrintWork&, std::string*)>;

int KeepWaiting(http_t*, void* data) {
  const PrintWork& work = *static_cast<const PrintWork*>(data);
  return !work.cancelled && !work.Late();
}

std::string Silent(int deadlineMs) {
  return "the print service did not answer within " +
         (deadlineMs % 1000 ? std::to_string(deadlineMs) + " ms" : std::to_string(deadlineMs / 1000) + " s");
}

// A connection of this thread's own, every wait on it bounded by KeepWaiting.
http_t* Connect(PrintWork& work, std::string* reason) {
  const std::string server = cupsServer();
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(work.deadline - PrintWork::Clock::now());
  http_t* http = httpConnect2(server.c_str(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                              std::max<int>(1, left.count()), &work.cancel);
  if (!http) {
    *reason = "the print service is not running: nothing answers at " + server +
              " (it is started with: sudo systemctl start cups)";
    return nullptr;
  }
  httpSetTimeout(http, kWaitSliceS, KeepWaiting, &work);
  return http;
}

void Run(const std::shared_ptr<PrintWork>& work, const Call& call) {
  std::string reason;
  bool done = false;
  if (http_t* http = Connect(*work, &reason)) {
    {
      std::lock_guard lock(work->mutex);
      work->http = http;
    }
    done = !work->cancelled && call(http, *work, &reason);
    std::lock_guard lock(work->mutex);
    work->http = nullptr;
    httpClose(http);
  }
  if (!done && work->Late()) reason = Silent(work->deadlineMs);
  std::lock_guard lock(work->mutex);
  work->done = done;
  work->reason = reason;
  work->finished = true;
  work->ended.notify_all();
}

std::shared_ptr<PrintWork> Start(std::shared_ptr<PrintWork> work, Call call) {
  std::thread([work, call = std::move(call)] { Run(work, call); }).detach();
  return work;
}

// Asks the queue (the default one when work.printer is "") whether it would
// take a job now, and for its default paper. Plain requests on this
// connection: the library's own look-ups would open others, unbounded.
bool CheckPrinter(http_t* http, PrintWork& work, std::string* reason) {
  std::string name = work.printer;
  if (name.empty()) {
    const char* found = cupsGetDefault2(http);
    if (!found) {
      *reason = std::string("there is no default printer (") + cupsLastErrorString() + ")";
      return false;
    }
    name = found;
  }
  ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/printers/%s",
                   name.c_str());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
  static const char* const kAsked[] = {"printer-state", "printer-is-accepting-jobs", "media-default"};
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr, kAsked);
  ipp_t* response = cupsDoRequest(http, request, "/");
  if (!response || cupsLastError() > IPP_STATUS_OK_CONFLICTING) {
    *reason = (cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND ? "there is no printer named "
                                                              : "the print service cannot tell about the printer ") +
              name + " (" + cupsLastErrorString() + ")";
    ippDelete(response);
    return false;
  }
  ipp_attribute_t* state = ippFindAttribute(response, "printer-state", IPP_TAG_ENUM);
  ipp_attribute_t* accepting = ippFindAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
  ipp_attribute_t* media = ippFindAttribute(response, "media-default", IPP_TAG_ZERO);
  if (state && ippGetInteger(state, 0) == IPP_PSTATE_STOPPED)
    *reason = "the printer " + name + " is stopped";
  else if (accepting && !ippGetBoolean(accepting, 0))
    *reason = "the printer " + name + " does not accept jobs";
  const char* mediaName = media ? ippGetString(media, 0, nullptr) : nullptr;
  pwg_media_t* paper = mediaName ? pwgMediaForPWG(mediaName) : nullptr;
  if (mediaName && !paper) paper = pwgMediaForLegacy(mediaName);
  std::lock_guard lock(work.mutex);
  work.found = QString::fromStdString(name);
  if (paper && paper->width > 0 && paper->length > 0) work.pageMm = QSizeF(paper->width / 100.0, paper->length / 100.0);
  ippDelete(response);
  return reason->empty();
}

bool HandOver(http_t* http, PrintWork& work, std::string* reason) {
  ipp_t* request = ippNewRequest(IPP_OP_PRINT_JOB);
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/printers/%s",
                   work.printer.c_str());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, work.title.c_str());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr, "application/pdf");
  ipp_t* response = cupsDoFileRequest(http, request, "/", work.file.c_str());
  const bool done = response && cupsLastError() <= IPP_STATUS_OK_CONFLICTING;
  if (!done) *reason = "the printer " + work.printer + " refused the job: " + cupsLastErrorString();
  ippDelete(response);
  return done;
}

bool MayWritePdf(const std::string& path, std::string* reason) {
  const std::string there = Occupant(path);
  if (!there.empty()) *reason = "cannot write " + path + ": " + there + " is there, not a file";
  return there.empty();
}

}  // namespace

// The face is looked up here, as the program starts: the first look-up reads
// the system's fonts, longer than a turn of the window's loop may take.
QtPagePrinter::QtPagePrinter(int deadlineMs) : deadlineMs_(deadlineMs) {
  // A fixed-width face with the Japanese glyphs, as the window uses.
  font_ = QFont(QStringLiteral("IPAGothic"));
  font_.setStyleHint(QFont::Monospace);
  font_.setPointSize(kFontPoints);
  QFontMetrics(font_).lineSpacing();  // loads it
}

// A call still waiting on CUPS sees the cancel within a wait slice; the
// program's end does not wait longer than that.
QtPagePrinter::~QtPagePrinter() {
  std::shared_ptr<PrintWork> work = work_;
  Discard();
  if (!work) return;
  std::unique_lock lock(work->mutex);
  work->ended.wait_for(lock, kLongestExitWait, [&] { return work->finished; });
}

PrintCall QtPagePrinter::Open(const PageTarget& target, const std::string& title, std::string* reason) {
  Discard();
  title_ = QString::fromStdString(title);
  if (target.kind == PageTarget::Kind::Pdf) return OpenPdf(target.name, reason) ? PrintCall::Done : PrintCall::Failed;
  auto work = std::make_shared<PrintWork>(deadlineMs_);
  work->printer = target.kind == PageTarget::Kind::Printer ? target.name : "";
  work_ = Start(work, CheckPrinter);
  return PrintCall::Pending;
}

PrintCall QtPagePrinter::Poll(std::string* reason) {
  if (std::exchange(closing_, false)) return WriteOut(reason);
  if (!work_) return PrintCall::Done;
  {
    std::lock_guard lock(work_->mutex);
    if (!work_->finished && !work_->Late(kLateAnswer)) return PrintCall::Pending;
  }
  const std::shared_ptr<PrintWork> work = std::move(work_);
  bool finished;
  {
    std::lock_guard lock(work->mutex);
    finished = work->finished;
  }
  if (!finished) {  // stuck in a wait the deadline did not reach: left to end on its own
    work->Cancel();
    handingOver_ = false;
    *reason = Silent(work->deadlineMs);
    Close();
    return PrintCall::Failed;
  }
  const bool handedOver = std::exchange(handingOver_, false);
  if (!work->done) *reason = work->reason;
  if (handedOver || !work->done) {
    Close();
    return work->done ? PrintCall::Done : PrintCall::Failed;
  }
  printer_ = work->found;
  return OpenSpool(work->pageMm, reason) ? PrintCall::Done : PrintCall::Failed;
}

bool QtPagePrinter::OpenPdf(const std::string& path, std::string* reason) {
  if (!MayWritePdf(path, reason)) return false;
  // A name Qt's files cannot spell byte for byte would be written under another.
  const QString name = QFile::decodeName(QByteArray::fromStdString(path));
  if (QFile::encodeName(name).toStdString() != path) {
    *reason = "cannot write " + path + ": the name is not text in this system's encoding";
    return false;
  }
  pdf_ = std::make_unique<QSaveFile>(name);
  if (!pdf_->open(QIODevice::WriteOnly)) {
    *reason = "cannot write " + path + ": " + pdf_->errorString().toStdString();
    pdf_.reset();
    return false;
  }
  return StartDocument(pdf_.get(), {}, reason);
}

bool QtPagePrinter::OpenSpool(const QSizeF& pageMm, std::string* reason) {
  spool_ = std::make_unique<QTemporaryFile>(QDir::tempPath() + "/rx710kp-XXXXXX.pdf");
  if (!spool_->open()) {
    *reason = "cannot write a temporary file: " + spool_->errorString().toStdString();
    Close();
    return false;
  }
  return StartDocument(spool_.get(), pageMm, reason);
}

bool QtPagePrinter::StartDocument(QIODevice* device, const QSizeF& pageMm, std::string* reason) {
  writer_ = std::make_unique<QPdfWriter>(device);
  writer_->setTitle(title_);
  writer_->setCreator("rx710kp");
  writer_->setResolution(kResolution);
  writer_->setPageSize(pageMm.isEmpty() ? QPageSize(QPageSize::A4) : QPageSize(pageMm, QPageSize::Millimeter));
  writer_->setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
  painter_ = std::make_unique<QPainter>();
  if (!painter_->begin(writer_.get())) {
    *reason = "the pages cannot be laid out";
    Discard();
    return false;
  }
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

// Writing the document out (its fonts above all) takes a few milliseconds:
// the next Poll does it, in a turn of its own rather than the last page's.
PrintCall QtPagePrinter::Finish(std::string* reason) {
  if (!painter_) {
    *reason = "no document is open";
    return PrintCall::Failed;
  }
  closing_ = true;
  return PrintCall::Pending;
}

PrintCall QtPagePrinter::WriteOut(std::string* reason) {
  painter_->end();
  painter_.reset();
  writer_.reset();
  if (spool_) {
    if (!spool_->flush()) {
      *reason = "cannot write a temporary file: " + spool_->errorString().toStdString();
      Close();
      return PrintCall::Failed;
    }
    auto work = std::make_shared<PrintWork>(deadlineMs_);
    work->printer = printer_.toStdString();
    work->file = QFile::encodeName(spool_->fileName()).toStdString();
    work->title = title_.toStdString();
    work_ = Start(work, HandOver);
    handingOver_ = true;
    return PrintCall::Pending;
  }
  // Something may have been put where the PDF goes since it was opened.
  const std::string path = QFile::encodeName(pdf_->fileName()).toStdString();
  std::string why;
  const bool done = MayWritePdf(path, &why) && pdf_->commit();
  if (!done) *reason = why.empty() ? "cannot write " + path + ": " + pdf_->errorString().toStdString() : why;
  if (!done) pdf_->cancelWriting();
  Close();
  return done ? PrintCall::Done : PrintCall::Failed;
}

void QtPagePrinter::Discard() {
  if (work_) work_->Cancel();
  work_.reset();
  handingOver_ = false;
  closing_ = false;
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
