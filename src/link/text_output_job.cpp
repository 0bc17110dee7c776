#include "link/text_output_job.h"

#include <algorithm>

#include "link/output_lines.h"

namespace rx {

TextSink::Put PageSink::Write(std::span<const std::string> lines, int first, int total, std::string* reason) {
  const int pages = std::max(1, (total + perPage_ - 1) / perPage_);
  return printer_.PrintPage(first / perPage_ + 1, pages, lines, reason) ? Put::Taken : Put::Failed;
}

TextOutputJob::Stand TextOutputJob::Asked(PrintCall call) {
  return call == PrintCall::Pending ? Stand::Waiting : Stand::Failed;
}

TextOutputJob::Stand TextOutputJob::Step(std::string* reason) {
  switch (phase_) {
    case Phase::Open:
      phase_ = Phase::Opening;  // from here on a stop drops
      if (const PrintCall call = sink_.Open(reason); call != PrintCall::Done) return Asked(call);
      break;
    case Phase::Opening:
      if (const PrintCall call = sink_.Poll(reason); call != PrintCall::Done) return Asked(call);
      break;
    case Phase::Lines: return Lines(reason);
    case Phase::Finishing: {
      const PrintCall call = sink_.Poll(reason);
      if (call != PrintCall::Done) return Asked(call);
      phase_ = Phase::Over;
      return Stand::Done;
    }
    case Phase::Over: return Stand::Done;
  }
  // Open: the first lines go in the same step.
  atOnce_ = std::max(1, sink_.LinesAtOnce());
  if (onOpened) onOpened(atOnce_);
  phase_ = Phase::Lines;
  return Lines(reason);
}

TextOutputJob::Stand TextOutputJob::Lines(std::string* reason) {
  const int count = static_cast<int>(records_.size());
  const int total = framed_ ? OutputLineCount(count) : count;
  const int end = std::min(total, next_ + atOnce_);
  const int done = std::clamp(next_ - kHeaderLines, 0, count);
  if (onRecord && done < count && end > kHeaderLines) onRecord(count - done, records_[done]);
  std::vector<std::string> lines;
  for (int index = next_; index < end; ++index)
    lines.push_back(framed_ ? OutputLine(name_, records_, index) : records_[index]);
  switch (sink_.Write(lines, next_, total, reason)) {
    case TextSink::Put::Taken: break;
    case TextSink::Put::NoRoom: return Stand::NoRoom;
    case TextSink::Put::Failed: return Stand::Failed;
  }
  if ((next_ = end) < total) return Stand::Working;
  // The last lines taken: handed over at once.
  phase_ = Phase::Finishing;
  const PrintCall call = sink_.Finish(reason);
  if (call != PrintCall::Done) return Asked(call);
  phase_ = Phase::Over;
  return Stand::Done;
}

void TextOutputJob::Stop() {
  if (phase_ != Phase::Open && phase_ != Phase::Over) sink_.Drop(next_);
  phase_ = Phase::Over;
}

}  // namespace rx
