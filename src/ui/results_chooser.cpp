#include "ui/results_chooser.h"

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>
#include <utility>

#include "data/memories.h"
#include "ui/command_job_runner.h"
#include "ui/program_end.h"

namespace rx {

namespace {

const QString kCannotMake = QString::fromUtf8("リザルト表を作成できません");
const char* const kHowToChoose = "choose one results file, or a 1st-run (F) and a 2nd-run (S) file to combine";

// Qt's own dialog tells a typed name that is not there in a box run by an
// event loop of its own; this one tells it in a box that opens and returns.
// Read-only: no file is renamed or deleted from here.
class ResultsDialog : public QFileDialog {
 public:
  explicit ResultsDialog(const QString& folder) : QFileDialog(nullptr, QString::fromUtf8("リザルト表を作成"), folder) {
    setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::ReadOnly);
    setFileMode(QFileDialog::ExistingFiles);
    // The data files' own 8.3 names: no CSV or sheet made beside them.
    setNameFilters({QString::fromUtf8("１本目・２本目リザルト (F???????.??? S???????.??\?)"),
                    QString::fromUtf8("すべてのファイル (*)")});
    resize(760, 480);  // the names, sizes and dates readable at once
  }
  void accept() override {
    for (const QString& file : selectedFiles()) {
      if (QFileInfo::exists(file)) continue;
      auto* box = new QMessageBox(QMessageBox::Warning, windowTitle(), file + ": no such file", QMessageBox::Ok, this);
      box->setAttribute(Qt::WA_DeleteOnClose);
      return box->open();
    }
    QFileDialog::accept();
  }
};

}  // namespace

ResultsChoice ChooseResults(const std::vector<std::filesystem::path>& files, const std::string& printed) {
  namespace fs = std::filesystem;
  if (files.empty() || files.size() > 2) return {{}, std::to_string(files.size()) + " files chosen: " + kHowToChoose};
  std::string titles[2];
  for (std::size_t i = 0; i < files.size(); ++i) {
    std::error_code error;
    const fs::file_status status = fs::status(files[i], error);
    if (error) return {{}, "cannot read " + files[i].string() + ": " + error.message()};
    if (!fs::is_regular_file(status)) return {{}, files[i].string() + " is no regular file"};
    std::optional<std::string> title = ResultsTitleOf(files[i]);
    if (!title) return {{}, NotAResultsFile(files[i])};
    titles[i] = *title;
  }
  ResultsRequest request;
  request.first = files[0];
  if (files.size() == 2) {
    const std::string firstRun = RowOf(Memory::FirstRun)->title, secondRun = RowOf(Memory::SecondRun)->title;
    const bool inOrder = titles[0] == firstRun && titles[1] == secondRun;
    if (!inOrder && !(titles[0] == secondRun && titles[1] == firstRun))
      return {{}, "both chosen files hold " + titles[0] + ": " + kHowToChoose};
    request.first = files[inOrder ? 0 : 1];
    request.plus = files[inOrder ? 1 : 0];
  }
  request.pages = {PageTarget::Kind::Pdf, request.first.string() + ".results.pdf"};
  request.printed = printed;
  return {std::move(request), {}};
}

bool OpenInPdfViewer(const QString& pdf) { return QDesktopServices::openUrl(QUrl::fromLocalFile(pdf)); }

ResultsChooser::ResultsChooser(QString dataDir, PagePrinter& printer, std::function<bool(const QString& pdf)> openPdf,
                               std::function<void(int status)> ended, QObject* parent)
    : QObject(parent),
      dataDir_(std::move(dataDir)),
      printer_(printer),
      openPdf_(std::move(openPdf)),
      ended_(std::move(ended)) {}

ResultsChooser::~ResultsChooser() {
  if (job_ && !over_) job_->Stop();
  DropDialog();
}

void ResultsChooser::Start() {
  // Between the dialog and a box no window is open: that ends nothing here.
  QApplication::setQuitOnLastWindowClosed(false);
  CatchSignals();
  auto* dialog = new ResultsDialog(dataDir_);
  dialog_ = dialog;
  connect(dialog, &QDialog::finished, this, [this, dialog](int result) {
    dialog_ = nullptr;
    dialog->deleteLater();
    if (result != QDialog::Accepted) return End(0);
    Chosen(dialog->selectedFiles());
  });
  dialog->open();
}

// At once, with the box it may show over it: End never runs inside a call of the dialog's.
void ResultsChooser::DropDialog() {
  if (!dialog_) return;
  dialog_->disconnect(this);
  delete dialog_.data();
}

void ResultsChooser::CatchSignals() {
  OnTerminationSignals(this, [this](int signal) { End(128 + signal); });
}

void ResultsChooser::Chosen(const QStringList& files) {
  std::vector<std::filesystem::path> paths;
  for (const QString& file : files) paths.emplace_back(QFile::encodeName(file).toStdString());
  const QString now = QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm");
  ResultsChoice choice = ChooseResults(paths, now.toStdString());
  if (!choice.request)
    return Tell(kCannotMake + "\n" + QString::fromStdString(choice.refusal), MessageIcon::Error, 1);
  pdf_ = QFile::decodeName(QByteArray::fromStdString(choice.request->pages.name));
  job_ = std::make_unique<ResultsJob>(printer_, std::move(*choice.request));
  // The runner takes the signals while the job runs and drops the job at one.
  runner_ = std::make_unique<CommandJobRunner>(*job_, [this](int status) { Ran(status); });
  runner_->Start();
}

void ResultsChooser::Ran(int status) {
  if (over_) return;
  if (status >= 128) return End(status);  // a signal: the runner dropped the job
  CatchSignals();  // back from the runner, for the box that may follow
  if (status == 1) return Tell(kCannotMake + "\n" + QString::fromStdString(job_->Reason()), MessageIcon::Error, 1);
  QString notice = QString::fromStdString(job_->Notice());
  if (!openPdf_(pdf_)) {
    notice.prepend("the PDF was written to " + pdf_ + " but no PDF viewer opened it" + (notice.isEmpty() ? "" : "\n"));
    return Tell(notice, MessageIcon::Warning, 1);
  }
  if (!notice.isEmpty()) return Tell(notice, MessageIcon::Warning, 0);
  End(0);
}

void ResultsChooser::Tell(const QString& text, MessageIcon icon, int status) {
  box_.Ask(text.toStdString(), MessageButtons::Ok, icon, [this, status](MessageAnswer) { End(status); });
}

void ResultsChooser::End(int status) {
  if (std::exchange(over_, true)) return;
  if (runner_) runner_->End(status);  // drops the job unless it is over already
  box_.Dismiss();
  DropDialog();
  ended_(status);
}

}  // namespace rx
