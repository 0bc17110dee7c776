#include "link/file_print.h"

namespace rx {

FilePrint::FilePrint(PagePrinter& printer, PageTarget target, std::filesystem::path file)
    : target_(std::move(target)),
      reader_(std::move(file)),
      sink_(printer, target_, reader_.File().filename().string()),
      job_(reader_.File().filename().string(), reader_.Records(), sink_) {}

FilePrint::~FilePrint() { Stop(); }

void FilePrint::Stop() {
  reader_.Close();
  if (phase_ == Phase::Print) job_.Stop();
  if (phase_ != Phase::Over && reason_.empty()) reason_ = "stopped";
  phase_ = Phase::Over;
}

CommandJob::Stand StepPaperJob(TextOutputJob& job, std::string* reason) {
  switch (job.Step(reason)) {
    case TextOutputJob::Stand::Working:
    case TextOutputJob::Stand::NoRoom: return CommandJob::Stand::Working;
    case TextOutputJob::Stand::Waiting: return CommandJob::Stand::Waiting;
    case TextOutputJob::Stand::Done: return CommandJob::Stand::Done;
    case TextOutputJob::Stand::Failed: break;
  }
  return CommandJob::Stand::Failed;
}

FilePrint::Stand FilePrint::Step() {
  switch (phase_) {
    // Nothing is printed over its own input. What else may stand where the
    // PDF goes is the printer's to refuse.
    case Phase::Check:
      if (target_.kind == PageTarget::Kind::Pdf && SameFile(target_.name, reader_.File()))
        return Fail("the PDF " + target_.name + " is that file itself; it is left as it is");
      phase_ = Phase::Read;
      return Stand::Working;
    case Phase::Read:
      switch (reader_.Step()) {
        case DataFileReader::Stand::Working: return Stand::Working;
        case DataFileReader::Stand::Failed: return Fail(reader_.Reason());
        case DataFileReader::Stand::Done: break;
      }
      if (reader_.Records().empty()) return Fail("it holds no record lines");
      phase_ = Phase::Print;
      return Stand::Working;
    case Phase::Print: {
      std::string reason;
      const Stand stand = StepPaperJob(job_, &reason);
      if (stand == Stand::Failed) return Fail(reason);
      if (stand == Stand::Done) phase_ = Phase::Over;
      return stand;
    }
    case Phase::Over: break;
  }
  return reason_.empty() ? Stand::Done : Stand::Failed;
}

}  // namespace rx
