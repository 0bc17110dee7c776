#include "sim/replies.h"

#include <cstdio>

#include "sim/fields.h"

namespace rx::sim {

std::string Frame(std::string_view body) {
  std::string frame(1, kStx);
  frame += body.substr(0, kBodySize);
  frame.resize(kFrameSize - 1, ' ');
  frame += kEtx;
  return frame;
}

std::string Accepted() { return Frame("CR"); }

std::string Refused(int error) {
  char number[8];
  std::snprintf(number, sizeof number, "%03d", error % 1000);
  return Frame(std::string("CE   ") + number);
}

std::string EndOfData() { return Frame("CF"); }

std::string RecordFrame(MemoryKind kind, const Record& record) {
  return Frame("CO" + RecordSelector(kind, record.leg) + record.Line());
}

std::string Visible(std::string_view bytes) {
  std::string out;
  for (char c : bytes) {
    switch (c) {
      case kStx: out += "<STX>"; break;
      case kEtx: out += "<ETX>"; break;
      case kXon: out += "<XON>"; break;
      case kXoff: out += "<XOFF>"; break;
      case '\r': out += "<CR>"; break;
      case '\n': out += "<LF>"; break;
      default:
        if (static_cast<unsigned char>(c) < 32 || c == 127) {
          char hex[8];
          std::snprintf(hex, sizeof hex, "<%02X>", static_cast<unsigned char>(c));
          out += hex;
        } else {
          out += c;
        }
    }
  }
  return out;
}

}  // namespace rx::sim
