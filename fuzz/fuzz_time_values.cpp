// Time texts and the device's frames that carry them: every parser on
// arbitrary text, every formatter on values made from the input, and the
// round trips the edit screens and the link rely on (an entry shown as a time
// and typed back, a time sent and read back, a body built and parsed).
#include <cstdint>
#include <cstring>
#include <string>

#include "data/block_letters.h"
#include "data/relay_total.h"
#include "data/time_values.h"
#include "fuzz_support.h"
#include "link/device_port.h"
#include "link/frames.h"
#include "shell/form.h"

namespace rx::fuzz {
namespace {

bool Digits(std::string_view text) {
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

// "HH:MM:SS.dddd" of a time of day.
bool IsFullTime(const std::string& s) {
  if (s.size() != 13 || s[2] != ':' || s[5] != ':' || s[8] != '.') return false;
  if (!Digits(s.substr(0, 2)) || !Digits(s.substr(3, 2)) || !Digits(s.substr(6, 2)) ||
      !Digits(s.substr(9, 4)))
    return false;
  return std::stoi(s.substr(0, 2)) < 24 && std::stoi(s.substr(3, 2)) < 60 &&
         std::stoi(s.substr(6, 2)) < 60;
}

bool InDay(const TimeParts& p) { return p.seconds >= 0 && p.seconds < 86400; }

void Parsers(std::string_view text) {
  int digits = ParseDigits(text);
  RX_CHECK(digits >= -1 && digits <= 9999, text);
  if (digits >= 0) RX_CHECK(!text.empty() && text.size() <= 4 && Digits(text), text);

  // An accepted entry shows as a full time that types back to itself.
  std::string time = EntryToTime(text);
  if (!time.empty()) {
    RX_CHECK(IsFullTime(time), time);
    std::string entry = TimeToEntry(time);
    RX_CHECK(EntryToTime(entry) == time, entry);
    TimeParts parts = TimeToSeconds(time);
    RX_CHECK(FormatTime(parts.seconds, parts.fraction) == time, time);
  }
  // An open input's caption carries blanks after what was typed.
  RX_CHECK(EntryToTime(std::string(text) + "   ") == time, text);

  TimeToEntry(text);
  TimeParts seconds = TimeToSeconds(text);
  RX_CHECK(InDay(seconds) && seconds.fraction >= 0 && seconds.fraction <= 9999, text);
  RX_CHECK(TimeToSeconds(FormatTime(seconds.seconds, seconds.fraction)) == seconds, text);

  TimeParts clock = ClockToSeconds(text);
  if (clock.seconds == -1)
    RX_CHECK(clock.fraction == 0, text);
  else
    RX_CHECK(
        InDay(clock) && clock.fraction >= 0 && clock.fraction <= 990 && clock.fraction % 10 == 0,
        text);

  if (IsValidDate(text)) RX_CHECK(text.size() == 8 && Digits(text), text);
  if (IsValidClock(text)) {
    RX_CHECK(text.size() == 6 && Digits(text), text);
    RX_CHECK(ClockToSeconds(text).seconds >= 0, text);
  }

  RX_CHECK(ReplyTime(text).size() <= 13, text);

  for (int width : {0, 12, 20}) {
    std::string stripped = StripTime(text, width);
    RX_CHECK(stripped.find_first_of(":.") == std::string::npos, stripped);
    RX_CHECK(stripped.size() >= static_cast<std::size_t>(width), stripped);
  }

  int block = BlockNumber(text);
  RX_CHECK(block >= -1, text);
  RX_CHECK(BlockLetter(text).size() == 1 && BlockLetterShifted(text).size() == 1, text);
  if (block >= 0 && block <= 29) RX_CHECK(BlockLetter(text) != " ", text);
}

// Values made from the input, formatted every way the terminal does, and
// read back.
void Formatters(Bytes& in) {
  std::uint32_t a = in.Word();
  a |= static_cast<std::uint32_t>(in.Byte()) << 16;
  std::uint32_t b = in.Word();
  long seconds = static_cast<long>(a % 86400), fraction = static_cast<long>(b % 10000);

  std::string full = FormatTime(seconds, fraction);
  RX_CHECK(IsFullTime(full), full);
  RX_CHECK(TimeToSeconds(full) == (TimeParts{seconds, fraction}), full);
  RX_CHECK(EntryToTime(TimeToEntry(full)) == full, full);
  std::string sent = StripTime(full, 12);
  RX_CHECK(sent.size() == 12 && Digits(sent.substr(0, 10)) && sent.substr(10) == "  ", sent);
  // The device gives the ten digits back at positions 10-19 of its frame.
  std::string frame =
      "\x02"
      "CO0AC045" +
      sent.substr(0, 10) + "  \x03";
  RX_CHECK(ReplyTime(frame) == full, frame);

  // A relay leg keeps tenths and three blanks.
  std::string leg = full.substr(0, 10) + "   ";
  RX_CHECK(TimeToSeconds(leg) == (TimeParts{seconds, fraction / 1000 * 1000}), leg);

  // The hunter clock keeps hundredths, in milliseconds.
  std::string clock = sent.substr(0, 8);
  RX_CHECK(ClockToSeconds(clock) == (TimeParts{seconds, fraction / 100 * 10}), clock);
}

// Legs cut from the input, summed the way the relay screen does.
void RelayLegs(std::string_view text) {
  Form form;
  form.EditRow = 0;
  for (std::size_t at = 0; at < text.size() && form.EditRow < 10; at += 13)
    form.lblRelayTime[form.EditRow++].caption = std::string(text.substr(at, 13));
  form.lblRelayTime[10].caption = "kept";
  if (!RelayTotal(form)) {
    RX_CHECK(form.lblRelayTime[10].caption == "kept", text);
    return;
  }
  const std::string& total = form.lblRelayTime[10].caption;
  RX_CHECK(total.size() == 13 && total[2] == ':' && total[5] == ':' && total[8] == '.' &&
               total.substr(10) == "   " && Digits(total.substr(0, 2)) &&
               Digits(total.substr(9, 1)),
           total);
}

// Any segment the cutter could hand over: a reply is read without loss, its
// fields giving back the body that came.
void ReplyParser(std::string_view text) {
  std::optional<Reply> reply = ParseReply(text);
  if (!reply) {
    RX_CHECK(text.size() != kFrameLength || text.front() != kStx || text.back() != kEtx, text);
    return;
  }
  RX_CHECK(reply->body.Text() == text.substr(1, kBodyLength), text);
  RX_CHECK(reply->line.size() == 14 && reply->time.size() == 13, text);
  RX_CHECK(reply->errorNumber >= -1 && reply->errorNumber <= 999, text);
}

// Fields made from the input, built into a body, framed and parsed: the same
// fields come back, named.
void FrameRoundTrip(Bytes& in) {
  static const char* const kCodes[] = {"CR", "CE", "CO", "CF", "CS", "CL"};
  static const ReplyKind kKinds[] = {ReplyKind::Accepted, ReplyKind::Refused, ReplyKind::Record,
                                     ReplyKind::End,      ReplyKind::Other,   ReplyKind::Other};
  constexpr char kPrintable[] = "0123456789 ABCDEFGHIJKLMNOPQRSTZ";
  auto pick = [&in, &kPrintable] { return kPrintable[in.Byte() % (sizeof kPrintable - 1)]; };
  const int code = in.Byte() % 6;
  const int number = static_cast<int>(in.Word() % 1000);
  char bib[4];
  std::snprintf(bib, sizeof bib, "%03d", number);
  const long seconds = static_cast<long>(in.Word() * 2u % 86400);
  const long fraction = static_cast<long>(in.Word() % 10000);
  const std::string digits = StripTime(FormatTime(seconds, fraction), 0);
  FrameBody sent{kCodes[code], std::string{pick(), pick()}, pick(), bib, digits};

  std::optional<Reply> reply = ParseReply(Framed(sent.Text()));
  RX_CHECK(reply.has_value(), sent.Text());
  RX_CHECK(reply->kind == kKinds[code], sent.Text());
  RX_CHECK(reply->body.family == sent.family && reply->body.selector == sent.selector &&
               reply->body.Leg() == sent.selector[1] && reply->body.block == sent.block &&
               reply->body.bib == sent.bib && reply->body.time == digits + "  ",
           sent.Text());
  RX_CHECK(reply->errorNumber == number, sent.Text());
  RX_CHECK(reply->time == FormatTime(seconds, fraction), sent.Text());
  RX_CHECK(reply->line == sent.block + sent.bib + digits, sent.Text());
  // A record line read from a file is the same fields from the block on.
  FrameBody line = ParseRecordLine(reply->line);
  RX_CHECK(line.block == sent.block && line.bib == sent.bib && line.time == reply->body.time, reply->line);
}

}  // namespace
}  // namespace rx::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace rx::fuzz;
  std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    Parsers(text);
    Bytes in(data, size);
    Formatters(in);
    RelayLegs(text);
    ReplyParser(text);
    FrameRoundTrip(in);
  } catch (...) {
    Violated("a time conversion threw", text);
  }
  return 0;
}
