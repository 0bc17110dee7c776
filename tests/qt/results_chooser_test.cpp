// The desktop's results sheet: the real file dialog on a data folder, the job
// on a fake printer; what a choice makes, what is opened, told and ended with.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>

#include "support/event_wait.h"
#include "support/fake_platform.h"
#include "support/terminal_driver.h"
#include "ui/results_chooser.h"

namespace rx {
namespace {

template <class Window> Window* Showing() {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* window = qobject_cast<Window*>(widget); window && window->isVisible()) return window;
  return nullptr;
}

struct DataFolder {
  QTemporaryDir dir;
  DataFolder() {
    for (const char* name : {"FN241433.C08", "FN241500.C08", "SN241433.C08", "CN241433.C08"})
      testing::WriteRecordFile(Path(name), 3);
  }
  std::filesystem::path Path(const char* name) const { return dir.filePath(name).toStdString(); }
};

// What is made of the chosen files ("first + plus" beside the first), or what the refusal says.
TEST(ResultsChoice, OneResultsFileItselfOrAFirstRunPlusASecondRun) {
  DataFolder data;
  ASSERT_EQ(mkfifo(data.Path("SN241600.C08").c_str(), 0600), 0);
  const std::pair<std::vector<const char*>, std::string> cases[] = {
      {{"SN241433.C08"}, "SN241433.C08"}, {{"SN241433.C08", "FN241433.C08"}, "FN241433.C08 + SN241433.C08"},
      {{"FN241433.C08", "FN241500.C08"}, "both chosen files hold １本目リザルト: choose one"},
      {{"FN241433.C08", "SN241433.C08", "FN241500.C08"}, "3 files chosen: choose one"},
      {{}, "0 files chosen"}, {{"SN241600.C08"}, "SN241600.C08 is no regular file"}, {{"FN999999.C08"}, "cannot read"},
      {{"FN241433.C08", "CN241433.C08"}, NotAResultsFile(data.Path("CN241433.C08"))}};
  for (const auto& [chosen, made] : cases) {
    std::vector<std::filesystem::path> files;
    for (const char* name : chosen) files.push_back(data.Path(name));
    const ResultsChoice choice = ChooseResults(files, "2026-12-07 21:50");
    const std::optional<ResultsRequest>& r = choice.request;
    EXPECT_NE((r ? r->first.filename().string() + (r->plus ? " + " + r->plus->filename().string() : "")
                 : choice.refusal).find(made), std::string::npos) << made << ": " << choice.refusal;
    EXPECT_TRUE(!r || (r->pages.kind == PageTarget::Kind::Pdf && r->printed == "2026-12-07 21:50" &&
                       r->pages.name == r->first.string() + ".results.pdf")) << made;
  }
}

TEST(ResultsChooser, TheDialogsChoiceIsMadeAndOpenedOrWhyNotIsTold) {
  DataFolder data;
  const QString beside = data.dir.filePath("FN241433.C08.results.pdf");
  const struct { QStringList chosen; const char* refuse; bool viewer; const char* told; int status; bool made; } cases[] = {
      {{"FN241433.C08"}, "", true, nullptr, 0, true},
      {{"SN241433.C08", "FN241433.C08"}, "", true, nullptr, 0, true},
      {{"FN241433.C08", "FN241500.C08"}, "", true, "リザルト表を作成できません\nboth chosen files", 1, false},
      {{}, "", true, nullptr, 0, false},  // cancelled
      {{"FN241433.C08"}, "the disk is full", true, "リザルト表を作成できません\nthe disk is full", 1, false},
      {{"FN241433.C08"}, "", false, "the PDF was written to %1 but no PDF viewer opened it", 1, true},
      {{"FN999999.C08"}, "", true, "no such file", 143, false},  // told in the dialog, which a signal then ends
      {{"FN241433.C08"}, "", true, nullptr, 129, false},         // a signal while the print service is asked
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.chosen.join(' ').toStdString() + " " + std::to_string(c.status));
    testing::FakePagePrinter printer;
    printer.refuseOpen = c.refuse;
    printer.pendFor = c.status > 128 ? 1 << 30 : 0;
    QStringList opened;
    std::vector<int> ended;
    ResultsChooser chooser(
        data.dir.path(), printer, [&](const QString& pdf) { return opened << pdf, c.viewer; },
        [&](int status) { ended.push_back(status); });
    chooser.Start();
    QFileDialog* dialog = Showing<QFileDialog>();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->directory(), QDir(data.dir.path()));
    if (c.chosen.isEmpty()) dialog->reject();
    else dialog->findChild<QLineEdit*>("fileNameEdit")->setText('"' + c.chosen.join("\" \"") + '"'), QMetaObject::invokeMethod(dialog, "accept");
    if (c.told) {
      ASSERT_SOON(Showing<QMessageBox>(), 5000);
      EXPECT_TRUE(Showing<QMessageBox>()->text().contains(QString::fromUtf8(c.told).replace("%1", beside)))
          << Showing<QMessageBox>()->text().toStdString();
      if (c.status < 128) Showing<QMessageBox>()->accept();
    }
    if (c.status > 128) {
      ASSERT_SOON(c.told || printer.target.name == beside.toStdString(), 5000);
      chooser.End(c.status);
      EXPECT_FALSE(Showing<QFileDialog>() || Showing<QMessageBox>());
    }
    ASSERT_SOON(!ended.empty(), 10000);
    testing::RunFor(20);
    EXPECT_EQ(ended, std::vector<int>{c.status});
    EXPECT_EQ(printer.handedOver.size(), c.made ? 1u : 0u);
    EXPECT_EQ(opened, c.made ? QStringList{beside} : QStringList{});
  }
}

}  // namespace
}  // namespace rx
