// What the device's replies mean to the screen that started an exchange. The
// link cuts and decodes the frames; the screen that owns the exchange hears
// of each step here and draws it (its captions, its inputs, its guide line).
// Each exchange is started with its owner; the link keeps no screen in mind.
#pragma once

#include <string>

#include "link/frames.h"

namespace rx {

struct Terminal;

// A record of a one-record read: the memory selector's second character (the
// relay leg letter "B"-"K", "S" the total) and the time as HH:MM:SS.dddd.
struct RecordReply {
  char selector = ' ';
  std::string time;
};

// Where a send or a text output is: how many records are still to go (the
// one in flight among them) and that record's fields.
struct SendProgress {
  int remaining = 0;
  FrameBody record;
};

class ExchangeEvents {
 public:
  virtual ~ExchangeEvents() = default;
  // The exchange is under way (its command going out, a text output's file
  // queued): the screen shows that it waits.
  virtual void Started(Terminal&) {}
  // A send or text output has a record in flight; and after a stop, the
  // count of what did not go out.
  virtual void Progress(Terminal&, const SendProgress&) {}
  // The device refused the record in flight.
  virtual void RecordRefused(Terminal&, const SendProgress&) {}
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
