#include "link/results_job.h"

#include <algorithm>

#include "data/memories.h"
#include "data/results.h"
#include "data/results_sheet.h"
#include "link/data_file_reader.h"
#include "link/file_print.h"
#include "link/text_output_job.h"
#include "link/whole_file.h"

namespace rx {

namespace {

// The memories whose files can be ranked: their records are run times.
constexpr Memory kRanked[] = {Memory::FirstRun, Memory::SecondRun};

const MemoryRow* RankedRowOf(const std::filesystem::path& file) {
  const MemoryRow* row = MemoryRowOf(file);
  return row && std::find(std::begin(kRanked), std::end(kRanked), row->memory) != std::end(kRanked) ? row
                                                                                                     : nullptr;
}

}  // namespace

std::optional<std::string> ResultsTitleOf(const std::filesystem::path& file) {
  if (const MemoryRow* row = RankedRowOf(file)) return row->title;
  return std::nullopt;
}

std::string NotAResultsFile(const std::filesystem::path& file) {
  return file.filename().string() +
         " is no results file: sheets are made of 1st-run results (F... files) and 2nd-run results (S... files)";
}

ResultsJob::ResultsJob(PagePrinter& printer, ResultsRequest request)
    : printer_(printer), request_(std::move(request)) {}

ResultsJob::~ResultsJob() { Stop(); }

void ResultsJob::Stop() {
  for (auto& reader : readers_) reader->Close();
  if (job_) job_->Stop();
  if (phase_ != Phase::Over && reason_.empty()) reason_ = "stopped";
  phase_ = Phase::Over;
}

std::string ResultsJob::Notice() const { return PassedOverNotice(passedOver_); }

ResultsJob::Stand ResultsJob::Step() {
  switch (phase_) {
    case Phase::Check: return Check();
    case Phase::Read: return Read();
    case Phase::Print: {
      const Stand stand = StepPaperJob(*job_, &reason_);
      if (stand == Stand::Failed) return Fail(reason_);
      if (stand == Stand::Done) phase_ = Phase::Over;
      return stand;
    }
    case Phase::Over: break;
  }
  return reason_.empty() ? Stand::Done : Stand::Failed;
}

std::vector<std::filesystem::path> ResultsJob::Inputs() const {
  std::vector<std::filesystem::path> inputs{request_.first};
  if (request_.plus) inputs.push_back(*request_.plus);
  return inputs;
}

// The kinds of the files, and no output onto an input.
ResultsJob::Stand ResultsJob::Check() {
  const std::vector<std::filesystem::path> inputs = Inputs();
  for (const auto& input : inputs)
    if (!RankedRowOf(input)) return Fail(NotAResultsFile(input));
  if (request_.plus && (RankedRowOf(request_.first)->memory != Memory::FirstRun ||
                        RankedRowOf(*request_.plus)->memory != Memory::SecondRun))
    return Fail("two runs are combined from a 1st-run results file (F...) and, after --plus, a 2nd-run one (S...)");
  const bool pdf = !request_.csv && request_.pages.kind == PageTarget::Kind::Pdf;
  const std::filesystem::path output = request_.csv ? *request_.csv : std::filesystem::path(request_.pages.name);
  for (const auto& input : inputs)
    if ((pdf || request_.csv) && SameFile(output, input))
      return Fail("the output " + output.string() + " is " + input.string() + " itself; it is left as it is");
  for (const auto& input : inputs) readers_.push_back(std::make_unique<DataFileReader>(input));
  phase_ = Phase::Read;
  return Stand::Working;
}

// The files one after the other, a block per step.
ResultsJob::Stand ResultsJob::Read() {
  for (auto& reader : readers_) {
    switch (reader->Step()) {
      case DataFileReader::Stand::Working: return Stand::Working;
      case DataFileReader::Stand::Failed: return Fail(reader->File().string() + ": " + reader->Reason());
      case DataFileReader::Stand::Done: break;
    }
  }
  return Lay();
}

// The table ranked; then the CSV written, or the sheet laid out once the
// printer tells its page.
ResultsJob::Stand ResultsJob::Lay() {
  std::vector<std::vector<RunRecord>> runs;
  for (auto& reader : readers_) {
    runs.push_back(RunRecordsOf(*reader, &passedOver_));
    if (runs.back().empty()) return Fail(reader->File().string() + ": it holds no record lines");
  }
  std::vector<RankedBlock> blocks = runs.size() == 2 ? RankCombined(runs[0], runs[1]) : RankRun(runs[0]);
  const int count = static_cast<int>(runs.size());
  readers_.clear();  // their lines are no longer needed
  if (request_.csv) {
    if (!WriteWholeFile(*request_.csv, ResultsCsv(blocks, count), Inputs(), &reason_)) return Fail(reason_);
    phase_ = Phase::Over;
    return Stand::Done;
  }
  std::string title = *ResultsTitleOf(request_.first);
  std::string names = request_.first.filename().string();
  if (request_.plus) {
    title += "＋" + *ResultsTitleOf(*request_.plus);
    names += " + " + request_.plus->filename().string();
  }
  sink_ = std::make_unique<PageSink>(printer_, request_.pages, title + "　" + names + "　" + request_.printed);
  job_ = std::make_unique<TextOutputJob>(lines_, *sink_);
  job_->onOpened = [this, blocks = std::move(blocks), count](int perPage) {
    lines_ = SheetLines(blocks, count, perPage);
  };
  phase_ = Phase::Print;
  return Stand::Working;
}

}  // namespace rx
