// What the compiler says about the files it reads: the data error it
// recorded, where in which file, and in what words; the warnings; and which
// record put each feature on the track.
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/data_errors.h"
#include "util/text_position.h"

namespace tarvosa {

// A place in the two text files: which file, and the byte at which a field
// begins (-1 for the file as a whole).
struct SourceLocation {
  enum class File : std::uint8_t { kNone, kLine, kTrain };
  File file = File::kNone;
  std::int64_t offset = -1;

  friend bool operator==(const SourceLocation&, const SourceLocation&) = default;
};

// What a warning is about: a likely mistake, or a line that reads like a
// comment (passed over for the "-" it holds), which authors may mean.
enum class WarningKind : std::uint8_t { kMistake, kComment };

// What compiles but is almost always a mistake.
struct Warning {
  SourceLocation at;
  std::string text;
  WarningKind kind = WarningKind::kMistake;
};

// One recorded data error.
struct Diagnostic {
  DataError error = DataError::kNone;
  std::int32_t position = 0;  // metres, where the number has one
  SourceLocation at;          // the field where the fault is
  std::string detail;         // what was found, in the author's terms
  SourceLocation holder;      // for a cell already taken: the record that took it
  // The record being stored when the error was found (none for a fault
  // outside any record).
  SourceLocation record;
  // The earlier error this one may follow from: it stands at a record
  // already in error, or was checked against one; none for an error of its
  // own.
  SourceLocation follows;
};

class Diagnostics {
 public:
  Diagnostics() = default;
  // `read_on`: the readers pass over a record in error and read on, to find
  // every error of the files in one pass; what they compile then is only
  // for finding errors, never for writing.
  explicit Diagnostics(bool read_on) : read_on_(read_on) {}
  bool read_on() const { return read_on_; }

  // Records a data error; a later one replaces an earlier one as the error
  // standing. A number without a position keeps the position recorded
  // before it. Every error is also kept in `errors()`.
  void Record(DataError error, const SourceLocation& at, std::string detail,
              std::optional<std::int32_t> position = std::nullopt,
              const SourceLocation& holder = {});
  // The position of the error standing, moved to the record that stopped on
  // it.
  void MovePosition(std::int32_t position);

  // How many errors are kept whole; the others are only counted.
  static constexpr std::size_t kKeptErrors = 1000;
  // The first kKeptErrors errors, in the order they were recorded.
  const std::vector<Diagnostic>& errors() const { return errors_; }
  // Every error, kept or only counted.
  std::size_t error_count() const { return error_count_; }
  // The first kept error found while `record` was being stored, or null.
  const Diagnostic* ErrorOfRecord(const SourceLocation& record) const;
  // Marks the error recorded last as one that may follow from `earlier`.
  void MarkFollows(const SourceLocation& earlier);

  // Takes the errors and warnings of `pass`, a pass over the same files
  // that read on past errors; the error standing and which record filled
  // each cell stay this compile's.
  void TakeMessagesOf(Diagnostics&& pass);

  // How many warnings are kept whole; the others are only counted, since a
  // hostile file may give one per record.
  static constexpr std::size_t kKeptWarnings = 1000;

  // Adds a warning; warnings never change what is compiled.
  void Warn(const SourceLocation& at, std::string text, WarningKind kind = WarningKind::kMistake) {
    Warn(
        at, [&text] { return std::move(text); }, kind);
  }
  // The same, its text made by `text()` only when the warning is kept.
  template <std::invocable MakeText>
  void Warn(const SourceLocation& at, MakeText&& text, WarningKind kind = WarningKind::kMistake) {
    ++count_;
    mistakes_ += kind == WarningKind::kMistake;
    if (warnings_.size() < kKeptWarnings) warnings_.push_back({at, std::string(text()), kind});
  }
  // The first kKeptWarnings warnings, in the order the files were read.
  const std::vector<Warning>& warnings() const { return warnings_; }
  // Every warning, kept or only counted.
  std::size_t warning_count() const { return count_; }
  // Every warning that counts as a likely mistake (all but comment lines).
  std::size_t mistake_count() const { return mistakes_; }

  bool HasError() const { return error_.error != DataError::kNone; }
  const Diagnostic& error() const { return error_; }
  std::int32_t error_code() const { return NumberOf(error_.error); }
  std::int32_t error_position() const { return error_.position; }

  // Where the record being stored stands: the field of its progressive.
  SourceLocation record;

  // Which record put the feature now in `cell`, or no place for a cell that
  // no record filled.
  void NoteOrigin(std::int64_t cell, const SourceLocation& at);
  SourceLocation OriginOf(std::int64_t cell) const;

 private:
  bool read_on_ = false;
  Diagnostic error_;
  std::vector<Diagnostic> errors_;
  std::size_t error_count_ = 0;
  std::vector<Warning> warnings_;
  std::size_t count_ = 0;
  std::size_t mistakes_ = 0;
  std::vector<SourceLocation> origins_;
};

// A text file as messages name it: its name and its bytes.
struct SourceText {
  std::string_view name;
  std::string_view bytes;
};

// "NAME:LINE:COLUMN" of `at`, or the name alone for a whole file.
std::string Where(const SourceLocation& at, const SourceText& line, const SourceText& train);

// The same, the positions counted by `in_line` and `in_train`, the
// positions of the two files: places asked in file order cost one pass.
std::string Where(const SourceLocation& at, const SourceText& line, const SourceText& train,
                  TextPositions& in_line, TextPositions& in_train);

// Where of every place of `places`, in their order, for one pass over each
// file whatever that order.
std::vector<std::string> WhereAll(const std::vector<SourceLocation>& places, const SourceText& line,
                                  const SourceText& train);

// The recorded error as one line, "NAME:LINE:COLUMN: error N at P m:
// meaning: what was found", or for error 25 "NAME:LINE:COLUMN: error 25:
// what was found"; "" when there is none.
std::string DescribeError(const Diagnostic& error, const SourceText& line, const SourceText& train);

// The same, its places given: `where` for `error.at` and `holder_where` for
// `error.holder`.
std::string DescribeErrorAt(const Diagnostic& error, std::string_view where,
                            std::string_view holder_where);

}  // namespace tarvosa
