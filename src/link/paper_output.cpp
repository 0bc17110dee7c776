#include "link/paper_output.h"

#include <algorithm>
#include <filesystem>
#include <utility>
#include <vector>

#include "data/data_file.h"
#include "link/error_line.h"
#include "link/file_print.h"
#include "link/frames.h"
#include "link/jobs.h"
#include "link/output_lines.h"
#include "link/queue_load.h"
#include "link/replies.h"
#include "shell/diagnostics.h"

namespace rx {

namespace {

constexpr int kPrintPollMs = 50;  // how often a call the print service has not answered is looked at

int PageCount(int lines, int perPage) { return std::max(1, (lines + perPage - 1) / perPage); }

std::vector<std::string> PageLines(const std::string& name, const std::vector<std::string>& records,
                                   int page, int perPage) {
  std::vector<std::string> lines;
  int end = std::min(OutputLineCount(static_cast<int>(records.size())), (page + 1) * perPage);
  for (int index = page * perPage; index < end; ++index) lines.push_back(OutputLine(name, records, index));
  return lines;
}

void Reset(PaperOutput& paper) {
  PagePrinter* printer = paper.printer;
  paper = {};
  paper.printer = printer;
}

void Finish(Terminal& t, bool complete);

void Fail(Terminal& t, const std::string& reason) {
  ReportFault(t, "cannot print " + t.link.paper.name + ": " + reason);
  ShowError(t, Errors::CannotPrint);
  Finish(t, false);
}

// What a finished, stopped or failed output leaves behind.
void Finish(Terminal& t, bool complete) {
  Form& f = t.form;
  PaperOutput& paper = t.link.paper;
  if (!complete && paper.active) paper.printer->Discard();
  Reset(paper);
  f.RecordCount = 0;
  f.Records = {};
  if (f.KeyMode == Mode::ErrorShown) return;  // the operator's Esc leaves
  f.KeyMode = Mode::Normal;
  // A stopped output has already left its screen; a finished one leaves it now.
  if (complete) Owner(t).Done(t);
}

// The document is open: its pages are counted and laid out from the next turn.
void Opened(Terminal& t) {
  PaperOutput& paper = t.link.paper;
  paper.perPage = std::max(1, paper.printer->LinesPerPage());
  paper.pages = PageCount(OutputLineCount(t.form.RecordCount), paper.perPage);
  ContinuePaperOutput(t);
}

void Handed(Terminal& t, PrintCall call, const std::string& reason) {
  PaperOutput& paper = t.link.paper;
  if (call == PrintCall::Pending) {
    paper.waiting = PaperOutput::Waiting::Finish;
    return PostLinkTurn(t, kPrintPollMs);
  }
  if (call == PrintCall::Failed) {
    paper.active = false;  // handed over or not, there is nothing left to discard
    ReportFault(t, "cannot print " + paper.name + ": " + reason);
    ShowError(t, Errors::CannotPrint);
  }
  Finish(t, true);
}

std::filesystem::path PdfBeside(const std::filesystem::path& dataFile) {
  return dataFile.string() + ".pdf";
}

}  // namespace

void PaperTextOutput(Terminal& t, const TextOutputRequest& request, ExchangeEvents& owner,
                     const TextTarget& target) {
  t.link.owner = &owner;
  t.form.KeyMode = Mode::Busy;  // while a large file is read in; Esc then goes back as on the prompt
  StartQueueLoad(t, true, request.fileName, request.onlyBlock, [request, target](Terminal& t) {
    Form& f = t.form;
    PaperOutput& paper = t.link.paper;
    f.RecordIndex = 0;
    Owner(t).Started(t);
    Reset(paper);
    paper.name = request.fileName;
    PageTarget page;
    if (target.kind == TextTarget::Kind::Pdf)
      page = {PageTarget::Kind::Pdf, PdfBeside(t.dataDirectory / paper.name).string()};
    else if (target.kind == TextTarget::Kind::Printer)
      page = {PageTarget::Kind::Printer, target.printer};
    if (target.kind == TextTarget::Kind::Unknown)
      return Fail(t, "TextOutput=" + target.printer + " names no target");
    // A PDF that is a link to its own data file would replace the data.
    if (page.kind == PageTarget::Kind::Pdf && SameFile(page.name, t.dataDirectory / paper.name))
      return Fail(t, "the PDF " + page.name + " is that file itself; it is left as it is");
    std::string reason = "no printing on this system";
    const PrintCall call = paper.printer ? paper.printer->Open(page, paper.name, &reason) : PrintCall::Failed;
    if (call == PrintCall::Failed) return Fail(t, reason);
    paper.active = true;
    if (call == PrintCall::Done) return Opened(t);
    paper.waiting = PaperOutput::Waiting::Open;
    PostLinkTurn(t, kPrintPollMs);
  });
}

void ContinuePaperOutput(Terminal& t) {
  Form& f = t.form;
  PaperOutput& paper = t.link.paper;
  if (!paper.active) return;
  // Nothing is laid out while the operator decides whether to stop.
  if (f.KeyMode == Mode::AbortConfirm) return;
  if (f.KeyMode != Mode::Busy) return Finish(t, false);
  f.WaitMs = 0;  // our own work is no silence of a device
  std::string reason;
  if (paper.waiting != PaperOutput::Waiting::Nothing) {
    const PrintCall call = paper.printer->Poll(&reason);
    if (call == PrintCall::Pending) return PostLinkTurn(t, kPrintPollMs);
    const auto was = std::exchange(paper.waiting, PaperOutput::Waiting::Nothing);
    if (was == PaperOutput::Waiting::Finish) return Handed(t, call, reason);
    return call == PrintCall::Done ? Opened(t) : Fail(t, reason);
  }
  int done = std::clamp(paper.page * paper.perPage - kHeaderLines, 0, f.RecordCount);
  if (done < f.RecordCount)
    Owner(t).Progress(t, SendProgress{f.RecordCount - done, ParseRecordLine(f.Records[done])});
  std::vector<std::string> lines = PageLines(paper.name, f.Records, paper.page, paper.perPage);
  if (!paper.printer->PrintPage(paper.page + 1, paper.pages, lines, &reason)) return Fail(t, reason);
  if (++paper.page < paper.pages) return PostLinkTurn(t, 0);  // keys and the tick come in between
  const PrintCall call = paper.printer->Finish(&reason);
  Handed(t, call, reason);
}

void EndPaperOutput(Terminal& t) {
  if (t.link.paper.active) Finish(t, false);
}

}  // namespace rx
