#include "link/frames.h"

#include "data/time_values.h"
#include "link/device_port.h"

namespace rx {

namespace {

// Widths of the body's fields, in their order.
constexpr std::size_t kFamily = 2, kSelector = 2, kBib = 3, kTime = 12;
constexpr std::size_t kRecordDigits = 10;  // the time digits a record reply carries

std::string Fit(std::string_view text, std::size_t width) {
  std::string fitted(text.substr(0, width));
  fitted.append(width - fitted.size(), ' ');
  return fitted;
}

// The next width characters of what is left, blank-filled past the end.
std::string Take(std::string_view& rest, std::size_t width) {
  std::string field = Fit(rest, width);
  rest.remove_prefix(std::min(width, rest.size()));
  return field;
}

}  // namespace

std::string Body(std::string_view text) { return Fit(text, kBodyLength); }

std::string Framed(const std::string& body) { return kStx + body + kEtx; }

std::string FrameBody::Text() const {
  return Fit(family, kFamily) + Fit(selector, kSelector) + block + Fit(bib, kBib) + Fit(time, kTime);
}

char FrameBody::Leg() const { return Fit(selector, kSelector)[1]; }

void FrameBody::SetLeg(char leg) {
  selector = Fit(selector, kSelector);
  selector[1] = leg;
}

FrameBody ParseBody(std::string_view body) {
  FrameBody fields;
  fields.family = Take(body, kFamily);
  fields.selector = Take(body, kSelector);
  fields.block = Take(body, 1)[0];
  fields.bib = Take(body, kBib);
  fields.time = Take(body, kTime);
  return fields;
}

FrameBody ParseRecordLine(std::string_view line) {
  FrameBody fields = ParseBody(std::string(kFamily + kSelector, ' ') + std::string(line));
  fields.family.clear();
  fields.selector.clear();
  return fields;
}

std::optional<Reply> ParseReply(std::string_view frame) {
  if (frame.size() != kFrameLength || frame.front() != kStx || frame.back() != kEtx) return std::nullopt;
  Reply reply;
  reply.body = ParseBody(frame.substr(1, kBodyLength));
  const std::string& code = reply.body.family;
  if (code == "CR")
    reply.kind = ReplyKind::Accepted;
  else if (code == "CE")
    reply.kind = ReplyKind::Refused;
  else if (code == "CO")
    reply.kind = ReplyKind::Record;
  else if (code == "CF")
    reply.kind = ReplyKind::End;
  reply.errorNumber = ParseDigits(reply.body.bib);
  reply.time = ReplyTime(frame);
  reply.line = reply.body.block + reply.body.bib + reply.body.time.substr(0, kRecordDigits);
  return reply;
}

}  // namespace rx
