// The device's frames as values. Commands and replies share one layout, kept
// here and nowhere else: STX, a 20-character body, ETX; the body is
//
//   family (2)  selector (2)  block code (1)  bib (3)  time field (12)
//
// A command's family is "CO", "CM", "CC", ...; a reply's is its code ("CR",
// "CE", "CO", "CF"). The selector names the memory; relay results put the leg
// letter ("B" leg 1 ... "K" leg 10, "S" the total) in its second place, a
// dual-course add the course number. The time field is the time without ":"
// and ".", blank-filled; a refusal carries its error number where the bib is.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rx {

inline constexpr int kBodyLength = 20;
inline constexpr int kFrameLength = 22;  // STX + body + ETX

struct FrameBody {
  std::string family;
  std::string selector;
  char block = ' ';
  std::string bib;
  std::string time;

  // The 20 characters, each field blank-filled (or cut) to its width.
  std::string Text() const;
  // The selector's second place: a relay leg letter.
  char Leg() const;
  void SetLeg(char leg);
  // What names a relay team: block code and bib.
  std::string Team() const { return block + bib; }
};

FrameBody ParseBody(std::string_view body);

// A data-file record line (block code, bib, time) is the body from the block
// on; as fields, with no family and no selector.
FrameBody ParseRecordLine(std::string_view line);

// text blank-filled (or cut) to exactly 20 characters.
std::string Body(std::string_view text);

// STX + body + ETX.
std::string Framed(const std::string& body);

enum class ReplyKind { Accepted, Refused, Record, End, Other };

// A reply with its fields named.
struct Reply {
  ReplyKind kind = ReplyKind::Other;
  FrameBody body;
  // A refusal's error number; -1 when the field is not three digits.
  int errorNumber = -1;
  // A record's time as HH:MM:SS.dddd.
  std::string time;
  // A record as a data-file line: block code, bib, ten time digits.
  std::string line;
};

// A cut segment as a reply; nothing when it is no frame (not 22 characters,
// or not STX first and ETX last).
std::optional<Reply> ParseReply(std::string_view frame);

}  // namespace rx
