// What the readers of the two text files share: the field reader, what
// they fill, and the way a record's progressive, its range and what it is
// are told.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "compiler/compiled_model.h"
#include "compiler/diagnostics.h"
#include "compiler/internal/field_reader.h"
#include "compiler/internal/reader_scratch.h"

namespace tarvosa {

class RecordReader {
 public:
  RecordReader(FieldReader& in, SourceLocation::File file, CompiledScenario& out,
               ReaderScratch& scratch, Diagnostics& diagnostics)
      : in(in), out(out), scratch(scratch), d(diagnostics), file_(file) {}

  std::vector<TrackCell>& cells() { return out.cells; }
  std::string_view field() const { return scratch.current_field; }

  // Where the field read last begins.
  SourceLocation Here() const { return {file_, in.field_start()}; }

  // Reads the record's progressive; it is where the record's faults stand.
  std::int32_t ReadProgressive(std::string_view what);

  // Warns of `what` from `start` to `end` metres (the same for a point)
  // when it lies beyond the end of the line, or begins inside it and runs
  // past it.
  void WarnPastTheLine(std::string_view what, std::int64_t start, std::int64_t end);

  // The profile record read last: a gradient, a line speed, an adhesion.
  struct ProfileStep {
    bool seen = false;
    std::int64_t progressive = 0;
  };
  // Warns of a profile record at `progressive` that goes back from the one
  // before, or falls in its cell.
  void WarnProfileStep(ProfileStep& previous, std::string_view what, std::int64_t progressive);

  // Counts the record just matched, or warns of the field that matched no
  // keyword and counts it when it is the other file's.
  void Matched(bool matched);

  // Whether `what` at `progressive` stands `reach` metres or more before
  // the last cell; when not, records 15 at the record. A record before
  // the line's length has no track to stand on: a failure.
  bool InRange(std::int32_t progressive, std::int64_t reach, std::string_view what);

  FieldReader& in;
  CompiledScenario& out;
  ReaderScratch& scratch;
  Diagnostics& d;

 private:
  SourceLocation::File file_;
};

}  // namespace tarvosa
