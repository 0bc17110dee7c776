// A job of the command line (a print, a results sheet, a CSV file): advanced
// one short step per call by the program's event loop, so a signal ends it
// at once whatever it waits for.
#pragma once

#include <string>

namespace rx {

class CommandJob {
 public:
  enum class Stand {
    Working,  // call Step again at once
    Waiting,  // a service is asked: call Step again in a while
    Done,     // the printer took the document, or the file is in place
    Failed,   // Reason() says why; nothing was handed over or left behind
  };

  virtual ~CommandJob() = default;
  virtual Stand Step() = 0;
  // Why it failed ("stopped" when it was stopped).
  const std::string& Reason() const { return reason_; }
  // Drops the work where it is; nothing of it reaches the printer or the
  // disk. Never blocks. Step then answers Failed.
  virtual void Stop() = 0;
  // Said on stderr when the job is done (lines passed over, say); "" for nothing.
  virtual std::string Notice() const { return {}; }

 protected:
  // Keeps the reason and stops.
  Stand Fail(const std::string& reason) {
    reason_ = reason;
    Stop();
    return Stand::Failed;
  }

  std::string reason_;
};

}  // namespace rx
