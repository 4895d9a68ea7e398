// What the compiler says about the files it reads: the data error it
// recorded, where in which file, and in what words; which record put each
// feature on the track; and, for tools, everything it reads as it reads it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/data_errors.h"

namespace tarvosa {

// A place in the two text files: which file, and the byte at which a field
// begins (-1 for the file as a whole).
struct SourceLocation {
  enum class File : std::uint8_t { kNone, kLine, kTrain };
  File file = File::kNone;
  std::int64_t offset = -1;

  friend bool operator==(const SourceLocation&, const SourceLocation&) = default;
};

// What a reader has just read, for tools that look over its shoulder.
enum class RecordKind : std::uint8_t {
  kGradient,
  kCurve,
  kTunnel,
  kSpeedBoard,
  kTextBoard,
  kSpeed,
  kAdhesion,
  kSignal,
  kSlowDown,
  kBrakingPoint,
  kStation,
};

// Told what the compiler reads and does, without changing any of it. Every
// method does nothing unless a tool overrides it.
class CompilerObserver {
 public:
  virtual ~CompilerObserver() = default;
  // A field in keyword position that no keyword matched: it is passed over.
  virtual void UnknownField(const SourceLocation&, std::string_view /*field*/) {}
  // A record and its progressive (for a curve, its start and length).
  virtual void RecordRead(const SourceLocation&, RecordKind, std::int64_t /*progressive*/,
                          std::int64_t /*length*/) {}
  // A text stored as read: a board text or a station name.
  virtual void TextRead(const SourceLocation&, std::string_view /*text*/) {}
  // A feature put into a cell that held another (a tunnel marker included).
  virtual void CellReplaced(const SourceLocation&, std::int64_t /*cell*/, std::uint8_t /*before*/,
                            std::uint8_t /*after*/) {}
};

// One recorded data error.
struct Diagnostic {
  DataError error = DataError::kNone;
  std::int32_t position = 0;  // metres, where the number has one
  SourceLocation at;          // the field where the fault is
  std::string detail;         // what was found, in the author's terms
  SourceLocation holder;      // for a cell already taken: the record that took it
};

class Diagnostics {
 public:
  explicit Diagnostics(CompilerObserver* observer = nullptr) : observer_(observer) {}

  // Records a data error; a later one replaces an earlier one. A number
  // without a position keeps the position recorded before it.
  void Record(DataError error, const SourceLocation& at, std::string detail,
              std::optional<std::int32_t> position = std::nullopt,
              const SourceLocation& holder = {});
  // The position of the error standing, moved to the record that stopped on
  // it.
  void MovePosition(std::int32_t position) { error_.position = position; }

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

  CompilerObserver* observer() const { return observer_; }

 private:
  Diagnostic error_;
  std::vector<SourceLocation> origins_;
  CompilerObserver* observer_;
};

// A text file as messages name it: its name and its bytes.
struct SourceText {
  std::string_view name;
  std::string_view bytes;
};

// "NAME:LINE:COLUMN" of `at`, or the name alone for a whole file.
std::string Where(const SourceLocation& at, const SourceText& line, const SourceText& train);

// The recorded error as one line, "NAME:LINE:COLUMN: error N at P m:
// meaning: what was found", or for error 25 "NAME:LINE:COLUMN: error 25:
// what was found"; "" when there is none.
std::string DescribeError(const Diagnostic& error, const SourceText& line, const SourceText& train);

}  // namespace tarvosa
