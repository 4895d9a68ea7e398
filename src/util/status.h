// The outcome of an operation that may fail, carried as a value.
#pragma once

#include <cassert>
#include <optional>
#include <string>
#include <utility>

namespace tarvosa {

// What a run ends with; the numbers are the program's exit statuses.
enum class ExitStatus : int {
  kClean = 0,          // everything done
  kFileSystem = 1,     // a file could not be created, replaced or read
  kDataError = 2,      // the scenario data is wrong
  kFatalConflict = 3,  // a numbered fatal conflict ("Errore n.")
  kUsage = 4,          // the tool was asked for something it cannot do as asked
};

// Ok, or a failure of one kind with a message that names the file and the
// reason ("path: reason", or "path:line: reason" for data).
class Status {
 public:
  Status() = default;  // ok

  static Status FileSystemError(std::string message) {
    return Status(ExitStatus::kFileSystem, std::move(message));
  }
  static Status DataError(std::string message) {
    return Status(ExitStatus::kDataError, std::move(message));
  }
  // A numbered fatal conflict; the message is the number as decimal text.
  static Status FatalConflict(std::string number) {
    return Status(ExitStatus::kFatalConflict, std::move(number));
  }

  static Status UsageError(std::string message) {
    return Status(ExitStatus::kUsage, std::move(message));
  }

  bool ok() const { return kind_ == ExitStatus::kClean; }
  ExitStatus kind() const { return kind_; }
  int exit_status() const { return static_cast<int>(kind_); }
  const std::string& message() const { return message_; }

 private:
  Status(ExitStatus kind, std::string message) : kind_(kind), message_(std::move(message)) {}

  ExitStatus kind_ = ExitStatus::kClean;
  std::string message_;
};

// A value, or the Status that says why there is none.
template <typename T>
class Result {
 public:
  Result(T value) : value_(std::move(value)) {}           // NOLINT: a value is a result
  Result(Status failure) : status_(std::move(failure)) {  // NOLINT: so is a failure
    assert(!status_.ok());
  }

  bool ok() const { return value_.has_value(); }
  const Status& status() const { return status_; }

  T& value() & { return *value_; }
  const T& value() const& { return *value_; }
  T&& value() && { return std::move(*value_); }
  T& operator*() & { return *value_; }
  const T& operator*() const& { return *value_; }
  T* operator->() { return &*value_; }
  const T* operator->() const { return &*value_; }

 private:
  std::optional<T> value_;
  Status status_;
};

}  // namespace tarvosa
