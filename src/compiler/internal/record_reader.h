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

  // Reading on past errors: reads records with `read_record` to the end of
  // the file. After a record that recorded an error, or a read it could not
  // satisfy (recorded as 25), the rest of the line that holds its keyword
  // is passed over.
  template <typename ReadRecord>
  void ReadOn(ReadRecord read_record) {
    for (;;) {
      std::int64_t anchor = -1;
      try {
        d.record = {};
        if (!ReadKeyword(in, file_, scratch, d)) return;
        const std::size_t errors = d.error_count();
        read_record();
        if (d.error_count() == errors) continue;
        anchor = scratch.keyword.offset;
      } catch (const RuntimeFailure& failure) {
        RecordReadFailure(failure, file_, scratch, d);
        anchor = scratch.keyword.file == file_ ? scratch.keyword.offset : failure.offset();
      }
      in.SkipLineOf(anchor);
    }
  }

  FieldReader& in;
  CompiledScenario& out;
  ReaderScratch& scratch;
  Diagnostics& d;

 private:
  SourceLocation::File file_;
};

}  // namespace tarvosa
