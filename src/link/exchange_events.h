// What the device's replies mean to the screen that started an exchange. The
// link cuts and decodes the frames; the screen that owns the exchange hears
// of each step here and draws it (its captions, its inputs, its guide line).
// Each exchange is started with its owner; the link keeps no screen in mind.
#pragma once

#include <string>

namespace rx {

struct Terminal;

// A record of a one-record read: the memory selector's second character (the
// relay leg letter "B"-"K", "S" the total) and the time as HH:MM:SS.dddd.
struct RecordReply {
  char selector = ' ';
  std::string time;
};

class ExchangeEvents {
 public:
  virtual ~ExchangeEvents() = default;
  // The command is on the line: the screen shows that it waits.
  virtual void Started(Terminal&) {}
  // One-record read: a record, and then the end of what the device holds.
  virtual void RecordRead(Terminal&, const RecordReply&) {}
  virtual void RecordReadFinished(Terminal&) {}
  // A read into a file stored its count-th record.
  virtual void RecordStored(Terminal&, int /*count*/) {}
  // A read into a file has ended; without any record the file is gone and
  // error 1007 is on the error line.
  virtual void FileReadFinished(Terminal&, bool /*anyRecord*/) {}
  // The exchange ended well: a change accepted (with its print and best output
  // when those were asked for), a best output given, a file sent, an output
  // written whole.
  virtual void Done(Terminal&) {}
};

// For exchanges whose screen needs to hear nothing.
ExchangeEvents& NoEvents();

}  // namespace rx
