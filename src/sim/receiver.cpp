#include "sim/receiver.h"

#include "sim/fields.h"

namespace rx::sim {

namespace {
// A segment this long without ETX cannot become a frame any more.
constexpr std::size_t kSegmentLimit = 64;
// A printer cuts a line that never ends.
constexpr std::size_t kTextLimit = 1024;
}  // namespace

void Receiver::CloseSegment(std::vector<Received>& out) {
  if (segment_.size() == kFrameSize && segment_.back() == kEtx) {
    // Text bytes that came before a frame were line noise, not a printout.
    if (!text_.empty()) out.push_back({Received::Kind::Junk, std::move(text_)});
    text_.clear();
    out.push_back({Received::Kind::Frame, segment_.substr(1, kBodySize)});
  } else if (!segment_.empty()) {
    out.push_back({Received::Kind::Junk, segment_});
  }
  segment_.clear();
  inFrame_ = false;
}

std::vector<Received> Receiver::Feed(std::string_view bytes) {
  std::vector<Received> out;
  for (char c : bytes) {
    if (c == kXon) {
      out.push_back({Received::Kind::Xon, {}});
    } else if (c == kXoff) {
      out.push_back({Received::Kind::Xoff, {}});
    } else if (c == kStx) {
      if (inFrame_) CloseSegment(out);
      inFrame_ = true;
      segment_.assign(1, c);
    } else if (inFrame_) {
      segment_ += c;
      if (c == kEtx || segment_.size() >= kSegmentLimit) CloseSegment(out);
    } else if (c == '\n') {
      if (!text_.empty() && text_.back() == '\r') text_.pop_back();
      out.push_back({Received::Kind::TextLine, std::move(text_)});
      text_.clear();
    } else if (c != kEtx) {
      text_ += c;
      if (text_.size() >= kTextLimit) {
        out.push_back({Received::Kind::TextLine, std::move(text_)});
        text_.clear();
      }
    }
  }
  return out;
}

}  // namespace rx::sim
