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

TEST(ResultsChoice, OneResultsFileItselfOrAFirstRunPlusASecondRun) {
  DataFolder data;
  ASSERT_EQ(mkfifo(data.Path("SN241600.C08").c_str(), 0600), 0);
  ASSERT_TRUE(std::filesystem::create_directory(data.Path("FN241700.C08")));
  const struct { std::vector<const char*> chosen; const char* first; const char* plus; const char* refused; } cases[] = {
      {{"FN241433.C08"}, "FN241433.C08", nullptr, nullptr},
      {{"SN241433.C08"}, "SN241433.C08", nullptr, nullptr},
      {{"FN241433.C08", "SN241433.C08"}, "FN241433.C08", "SN241433.C08", nullptr},
      {{"SN241433.C08", "FN241433.C08"}, "FN241433.C08", "SN241433.C08", nullptr},
      {{"FN241433.C08", "FN241500.C08"}, nullptr, nullptr, "both chosen files hold １本目リザルト: choose one"},
      {{"SN241433.C08", "SN241433.C08"}, nullptr, nullptr, "both chosen files hold ２本目リザルト: choose one"},
      {{"FN241433.C08", "SN241433.C08", "FN241500.C08"}, nullptr, nullptr, "3 files chosen: choose one"},
      {{}, nullptr, nullptr, "0 files chosen"},
      {{"SN241600.C08"}, nullptr, nullptr, "SN241600.C08 is no regular file"},
      {{"FN241700.C08"}, nullptr, nullptr, "FN241700.C08 is no regular file"},
      {{"FN999999.C08"}, nullptr, nullptr, "cannot read"},
      {{"FN241433.C08", "CN241433.C08"}, nullptr, nullptr, ""},  // what a file of another kind is told
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.chosen.empty() ? "none" : c.chosen.back());
    std::vector<std::filesystem::path> files;
    for (const char* name : c.chosen) files.push_back(data.Path(name));
    const ResultsChoice choice = ChooseResults(files, "2026-12-07 21:50");
    ASSERT_EQ(choice.request.has_value(), c.first != nullptr) << choice.refusal;
    if (!c.first) {
      EXPECT_NE(choice.refusal.find(c.refused), std::string::npos) << choice.refusal;
      EXPECT_TRUE(*c.refused || choice.refusal == NotAResultsFile(files.back())) << choice.refusal;
      continue;
    }
    EXPECT_EQ(choice.request->first.string(), data.Path(c.first).string());
    EXPECT_EQ(choice.request->plus.value_or("").string(), c.plus ? data.Path(c.plus).string() : "");
    EXPECT_EQ(choice.request->pages.kind, PageTarget::Kind::Pdf);
    EXPECT_EQ(choice.request->pages.name, data.Path(c.first).string() + ".results.pdf");
    EXPECT_EQ(choice.request->printed, "2026-12-07 21:50");
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
