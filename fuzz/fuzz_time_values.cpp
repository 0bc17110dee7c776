// Time texts and the frames that carry them: every parser on the input, every
// formatter on values made of it, and the round trips the screens and the link rely on.
#include <optional>

#include "data/block_letters.h"
#include "data/relay_total.h"
#include "data/time_values.h"
#include "fuzz_support.h"
#include "link/frames.h"
#include "shell/form.h"

namespace rx::fuzz {
namespace {

bool Digits(std::string_view text) { return text.find_first_not_of("0123456789") == std::string_view::npos; }

int Number(std::string_view text, std::size_t at, std::size_t n) { return std::stoi(std::string(text.substr(at, n))); }

bool ValidDate(std::string_view s) {  // YYYYMMDD, 2008-2100, 29 February in any year
  const int days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (s.size() != 8 || !Digits(s)) return false;
  const int year = Number(s, 0, 4), month = Number(s, 4, 2), day = Number(s, 6, 2);
  return year >= 2008 && year <= 2100 && month >= 1 && month <= 12 && day >= 1 && day <= days[month - 1];
}

bool ValidClock(std::string_view s) {  // HHMMSS
  return s.size() == 6 && Digits(s) && Number(s, 0, 2) < 24 && Number(s, 2, 2) < 60 && Number(s, 4, 2) < 60;
}

bool IsFullTime(const std::string& s) {  // HH:MM:SS.dddd of a time of day
  return s.size() == 13 && s[2] == ':' && s[5] == ':' && s[8] == '.' &&
         ValidClock(s.substr(0, 2) + s.substr(3, 2) + s.substr(6, 2)) && Digits(s.substr(9));
}

bool InDay(const TimeParts& p) { return p.seconds >= 0 && p.seconds < 86400; }

void Parsers(std::string_view text) {
  const int digits = ParseDigits(text);
  RX_CHECK(digits == (!text.empty() && text.size() <= 4 && Digits(text) ? Number(text, 0, 4) : -1), text);

  // An accepted entry shows as a full time that types back to itself.
  const std::string time = EntryToTime(text);
  if (!time.empty()) {
    RX_CHECK(IsFullTime(time), time);
    RX_CHECK(EntryToTime(TimeToEntry(time)) == time, time);
    const TimeParts parts = TimeToSeconds(time);
    RX_CHECK(FormatTime(parts.seconds, parts.fraction) == time, time);
  }
  // An open input's caption carries blanks after what was typed.
  RX_CHECK(EntryToTime(std::string(text) + "   ") == time, text);

  TimeToEntry(text);  // must not throw
  const TimeParts seconds = TimeToSeconds(text);
  RX_CHECK(InDay(seconds) && seconds.fraction >= 0 && seconds.fraction <= 9999, text);
  RX_CHECK(TimeToSeconds(FormatTime(seconds.seconds, seconds.fraction)) == seconds, text);

  const TimeParts clock = ClockToSeconds(text);
  RX_CHECK(clock == (TimeParts{-1, 0}) ||
               (InDay(clock) && clock.fraction >= 0 && clock.fraction <= 990 && clock.fraction % 10 == 0), text);
  RX_CHECK(IsValidDate(text) == ValidDate(text), text);
  RX_CHECK(IsValidClock(text) == ValidClock(text), text);
  if (IsValidClock(text)) RX_CHECK(ClockToSeconds(text).seconds >= 0, text);
  RX_CHECK(ReplyTime(text).size() <= 13, text);

  for (int width : {0, 12, 20}) {
    const std::string stripped = StripTime(text, width);
    RX_CHECK(stripped.find_first_of(":.") == std::string::npos && stripped.size() >= static_cast<std::size_t>(width),
             stripped);
  }

  const int block = BlockNumber(text);
  RX_CHECK(block >= -1 && BlockLetter(text).size() == 1 && BlockLetterShifted(text).size() == 1, text);
  if (block >= 0 && block <= 29) RX_CHECK(BlockLetter(text) != " ", text);
}

// A time made of the input, formatted every way the terminal does and read back.
void Formatters(Bytes& in) {
  const std::uint32_t low = in.Word();
  const long seconds = static_cast<long>((low | in.Byte() << 16u) % 86400),
             fraction = static_cast<long>(in.Word() % 10000);
  const std::string full = FormatTime(seconds, fraction);
  RX_CHECK(IsFullTime(full), full);
  RX_CHECK(TimeToSeconds(full) == (TimeParts{seconds, fraction}), full);
  RX_CHECK(EntryToTime(TimeToEntry(full)) == full, full);
  const std::string sent = StripTime(full, 12);
  RX_CHECK(sent.size() == 12 && Digits(sent.substr(0, 10)) && sent.substr(10) == "  ", sent);
  // The device gives the ten digits back at positions 10-19 of its frame.
  const std::string frame = "\002CO0AC045" + sent.substr(0, 10) + "  \x03";
  RX_CHECK(ReplyTime(frame) == full, frame);
  // A relay leg keeps tenths and three blanks; the hunter clock hundredths, in ms.
  const TimeParts leg = TimeToSeconds(full.substr(0, 10) + "   ");
  RX_CHECK(leg == (TimeParts{seconds, fraction / 1000 * 1000}), full);
  RX_CHECK(ClockToSeconds(sent.substr(0, 8)) == (TimeParts{seconds, fraction / 100 * 10}), full);
}

// Legs cut from the input, summed as the relay screen does; rows past the last must not count.
void RelayLegs(std::string_view text) {
  Form form;  // EditRow 0: no legs yet
  long seconds = 0, fraction = 0;
  for (std::size_t at = 0; at < text.size() && form.EditRow < kMostLegs; at += 13) {
    form.TeamLegs[form.EditRow++] = std::string(text.substr(at, 13));
    const TimeParts leg = TimeToSeconds(text.substr(at, 13));
    seconds += leg.seconds;
    fraction += leg.fraction;
  }
  for (int row = form.EditRow; row < kMostLegs; ++row) form.TeamLegs[row] = "00:00:01.0   ";
  form.TeamTotal = "kept";
  seconds += fraction / 10000;
  char total[32];
  std::snprintf(total, sizeof total, "%02ld:%02ld:%02ld.%ld   ", seconds / 3600, seconds / 60 % 60, seconds % 60,
                fraction % 10000 / 1000);
  const bool summed = RelayTotal(form);
  RX_CHECK(summed == (seconds <= 359999), text);
  RX_CHECK(form.TeamTotal == (summed ? total : "kept"), text);
}

// Any segment the cutter could hand over: a reply's fields give back the body that came.
void ReplyParser(std::string_view text) {
  const std::optional<Reply> reply = ParseReply(text);
  if (!reply) return RX_CHECK(text.size() != kFrameLength || text.front() != kStx || text.back() != kEtx, text);
  RX_CHECK(reply->body.Text() == text.substr(1, kBodyLength), text);
  RX_CHECK(reply->line.size() == 14 && reply->time.size() == 13, text);
  RX_CHECK(reply->errorNumber >= -1 && reply->errorNumber <= 999, text);
}

// Fields made of the input, built into a body, framed and parsed, come back named.
void FrameRoundTrip(Bytes& in) {
  const char* const codes[] = {"CR", "CE", "CO", "CF", "CS", "CL"};
  const ReplyKind kinds[] = {ReplyKind::Accepted, ReplyKind::Refused, ReplyKind::Record,
                             ReplyKind::End,      ReplyKind::Other,   ReplyKind::Other};
  auto pick = [&in] { return "0123456789 ABCDEFGHIJKLMNOPQRSTZ"[in.Byte() % 32]; };
  const int code = in.Byte() % 6, number = static_cast<int>(in.Word() % 1000);
  char bib[4];
  std::snprintf(bib, sizeof bib, "%03d", number);
  const long seconds = static_cast<long>(in.Word() * 2u % 86400), fraction = static_cast<long>(in.Word() % 10000);
  const std::string digits = StripTime(FormatTime(seconds, fraction), 0);
  const char selector = pick(), leg = pick(), block = pick();
  const FrameBody sent{codes[code], std::string{selector, leg}, block, bib, digits};

  const std::optional<Reply> reply = ParseReply(Framed(sent.Text()));
  RX_CHECK(reply.has_value() && reply->kind == kinds[code], sent.Text());
  const FrameBody& got = reply->body;
  RX_CHECK(got.family == sent.family && got.selector == sent.selector && got.Leg() == leg && got.block == block &&
               got.bib == sent.bib && got.time == digits + "  ", sent.Text());
  RX_CHECK(reply->errorNumber == number && reply->time == FormatTime(seconds, fraction) &&
               reply->line == block + sent.bib + digits, sent.Text());
  // A record line read from a file is the same fields from the block on.
  const FrameBody line = ParseRecordLine(reply->line);
  RX_CHECK(line.block == block && line.bib == sent.bib && line.time == got.time, reply->line);
}

}  // namespace
}  // namespace rx::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace rx::fuzz;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    Parsers(text);
    Bytes in{data, size};
    Formatters(in);
    RelayLegs(text);
    ReplyParser(text);
    FrameRoundTrip(in);
  } catch (...) { Violated("a time conversion threw", text); }
  return 0;
}
