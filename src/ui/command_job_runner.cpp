#include "ui/command_job_runner.h"

#include <utility>

#include "ui/program_end.h"

namespace rx {

CommandJobRunner::CommandJobRunner(CommandJob& job, std::function<void(int status)> ended, QObject* parent)
    : QObject(parent), job_(job), ended_(std::move(ended)) {
  step_.setSingleShot(true);
  connect(&step_, &QTimer::timeout, this, [this] { Step(); });
  OnTerminationSignals(this, [this](int signal) { End(128 + signal); });
}

void CommandJobRunner::End(int status) {
  if (std::exchange(over_, true)) return;
  step_.stop();
  job_.Stop();
  ended_(status);
}

void CommandJobRunner::Step() {
  switch (job_.Step()) {
    case CommandJob::Stand::Working: return step_.start(0);
    case CommandJob::Stand::Waiting: return step_.start(20);  // the print service's answer
    case CommandJob::Stand::Done: return End(0);
    case CommandJob::Stand::Failed: return End(1);
  }
}

}  // namespace rx
