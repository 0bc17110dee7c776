// Runs a job of the command line on the event loop: a step per turn while it
// works, a look every 20 ms while a service is asked. SIGTERM, SIGINT and
// SIGHUP stop it at once; ended is told once, with the exit status: 0 done,
// 1 failed (the job's Reason says why), 128 + N for signal N.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "link/command_job.h"

namespace rx {

class CommandJobRunner : public QObject {
 public:
  CommandJobRunner(CommandJob& job, std::function<void(int status)> ended, QObject* parent = nullptr);
  void Start() { step_.start(0); }
  // Stops the job as a signal would, with that status.
  void End(int status);

 private:
  void Step();

  CommandJob& job_;
  std::function<void(int)> ended_;
  QTimer step_;
  bool over_ = false;  // the first end counts: a signal after the hand-over changes nothing
};

}  // namespace rx
