// What the link is doing between two events. A long job (draining the output
// queue before the port closes, loading a file into the record queue, the
// text output) keeps its place here and goes on when the port, the
// tick, a key or a posted turn of the event loop says so; no handler waits.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "data/line_splitter.h"
#include "link/requests.h"
#include "link/text_output_job.h"

namespace rx {

struct Terminal;

// The output queue is let run onto the line before the port closes.
struct PortDrain {
  bool active = false;
  bool forExchange = false;         // an exchange waits to open the port after it
  long long deadline = 0;           // monotonic ms: the wait ends here whatever the mode
  std::function<void(Terminal&)> then;
};

// What a file is read into Records as.
enum class QueueMode {
  Send,  // load commands for the device
  Text,  // the record lines themselves, for the text output
};

// A data file read into Records a block at a time.
struct QueueLoad {
  bool active = false;
  QueueMode mode = QueueMode::Send;
  LineSplitter splitter;
  LoadHead head;                    // by the file's first letter
  std::optional<char> block;        // one-block send: its block code; output: the one kept
  std::string previousTeam;         // relay results: the team of the last line
  char leg = 'B';
  std::function<void(Terminal&)> then;  // runs once the whole file is queued
};

// Header, record lines and trailer, a step per turn of the event loop, to the
// serial line or on pages.
// Where the lines go: the serial line, or a printer or a PDF (failures are 1011).
enum class Medium { Line, Paper };

struct TextOutput {
  bool active = false;
  Medium medium = Medium::Line;
  bool lineStarted = false;         // the wait for this line's room has begun
  TextOutputRequest request;        // the file (its name in header and trailer), the block kept
  std::unique_ptr<TextSink> sink;   // the serial line or the page printer
  std::unique_ptr<TextOutputJob> job;  // writes to sink
};

// The relay burst goes out at once and is answered frame by frame. A burst
// refused part-way still gets the answers to the rest of its frames; they
// answer nothing of a later exchange.
struct BurstReplies {
  int awaited = 0;        // frames of the running burst not yet answered
  int late = 0;           // frames of an ended burst whose answers may still come
  long long heardAt = 0;  // monotonic ms of the burst's last word
};

class ExchangeEvents;

struct LinkJobs {
  ExchangeEvents* owner = nullptr;  // the screen the running exchange reports to
  // What the running exchange was asked for, kept until the next one starts.
  ReadRequest read;
  EditRequest edit;
  BurstReplies burst;
  // The record of a send whose answer is awaited: a refusal names it, and
  // the next record goes only once it is answered. -1: none.
  int awaitedRecord = -1;
  PortDrain drain;
  QueueLoad load;
  TextOutput output;
  // One posted turn at a time, never a growing pile.
  bool turnPending = false;
  int pendingDelay = 0;
  int turnGeneration = 0;
};

}  // namespace rx
