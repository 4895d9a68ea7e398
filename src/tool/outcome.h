// How a command ends, and the one place the tool's exit status comes from.
#pragma once

#include <ostream>
#include <string>

#include "util/status.h"

namespace tarvosa::tool {

// What a command ends with: its Status, or, for `diff`, that the two sides
// differ, which is no failure but ends with 1 all the same.
class Outcome {
 public:
  Outcome(Status status) : status_(std::move(status)) {}  // NOLINT: every Status is an outcome
  static Outcome Differ();

  const Status& status() const { return status_; }
  bool differ() const { return differ_; }

 private:
  Outcome() = default;

  Status status_;
  bool differ_ = false;
};

// Prints the failure's message, when it has one, as a line on `err`. A
// failure without a message was told as it happened (a compile's verdict
// printed before the page that shows it).
void Report(const Status& status, std::ostream& err);

// Reports the outcome's failure and returns the exit status: the Status's
// (0 clean, 1 file system, 2 data, 3 fatal conflict, 4 usage), and 1 when
// the sides of a `diff` differ.
int Finish(const Outcome& outcome, std::ostream& err);

// `failure` told with `message` instead of its own: the same kind, the same
// exit status. An empty message for a failure already told.
Status Restated(const Status& failure, std::string message);

}  // namespace tarvosa::tool
