#include "tool/outcome.h"

#include "tool/terminal.h"

namespace tarvosa::tool {

Outcome Outcome::Differ() {
  Outcome differ;
  differ.differ_ = true;
  return differ;
}

void Report(const Status& status, std::ostream& err) {
  if (!status.ok() && !status.message().empty()) Tell(err, status.message() + '\n');
}

int Finish(const Outcome& outcome, std::ostream& err) {
  Report(outcome.status(), err);
  // diff's documented meaning of 1: the two differ.
  if (outcome.differ()) return 1;
  return outcome.status().exit_status();
}

Status Restated(const Status& failure, std::string message) {
  switch (failure.kind()) {
    case ExitStatus::kClean:
      break;
    case ExitStatus::kFileSystem:
      return Status::FileSystemError(std::move(message));
    case ExitStatus::kDataError:
      return Status::DataError(std::move(message));
    case ExitStatus::kFatalConflict:
      return Status::FatalConflict(std::move(message));
    case ExitStatus::kUsage:
      return Status::UsageError(std::move(message));
  }
  return failure;
}

}  // namespace tarvosa::tool
