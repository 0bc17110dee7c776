// The desktop's "リザルト表を作成": the operator picks a results file (or a
// 1st and a 2nd run to combine) in Qt's own file dialog on the data folder;
// its sheet is written as a PDF beside the (1st-run) file and opened in the
// desktop's viewer. The dialog, the job and every box run on the event loop
// (open(), never exec()); what goes wrong is told in a box, and SIGTERM,
// SIGINT and SIGHUP end the flow at any point, leaving no PDF.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/results_job.h"
#include "platform/qt/qt_message_box.h"

class QFileDialog;

namespace rx {

class CommandJobRunner;

// What the chosen files make: one results file its own sheet, a 1st and a
// 2nd run their sum (the 1st run first), into FILE.results.pdf beside the
// first; anything else is refused and why is told.
struct ResultsChoice {
  std::optional<ResultsRequest> request;
  std::string refusal;
};
ResultsChoice ChooseResults(const std::vector<std::filesystem::path>& files, const std::string& printed);

// Opens pdf in the desktop's PDF viewer; false when none took it.
bool OpenInPdfViewer(const QString& pdf);

class ResultsChooser : public QObject {
 public:
  // ended runs once: 0 made and opened, or cancelled; 1 refused or failed
  // (after the operator closed the box that says why); 128 + N for signal N.
  ResultsChooser(QString dataDir, PagePrinter& printer, std::function<bool(const QString& pdf)> openPdf,
                 std::function<void(int status)> ended, QObject* parent = nullptr);
  ~ResultsChooser() override;
  ResultsChooser(const ResultsChooser&) = delete;
  ResultsChooser& operator=(const ResultsChooser&) = delete;

  // Opens the file dialog and returns at once.
  void Start();
  // Ends the flow as a signal does, with that status: the dialog or box
  // closed, the job dropped.
  void End(int status);

 private:
  void Chosen(const QStringList& files);
  void Ran(int status);
  void Tell(const QString& text, MessageIcon icon, int status);
  void CatchSignals();
  void DropDialog();

  QString dataDir_;
  PagePrinter& printer_;
  std::function<bool(const QString&)> openPdf_;
  std::function<void(int)> ended_;
  QPointer<QFileDialog> dialog_;
  QtMessageBox box_;
  QString pdf_;                              // where the sheet goes
  std::unique_ptr<ResultsJob> job_;          // outlives its runner
  std::unique_ptr<CommandJobRunner> runner_;
  bool over_ = false;  // ended was told
};

}  // namespace rx
