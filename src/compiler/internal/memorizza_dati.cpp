#include "compiler/internal/memorizza_dati.h"

#include "compiler/internal/line_reader.h"
#include "compiler/internal/reader_scratch.h"
#include "compiler/internal/train_reader.h"

namespace tarvosa {

std::int32_t memorizza_dati(const CompileInput& input, CompiledScenario& out,
                            Diagnostics& diagnostics, SourceRecords* records) {
  out.header[kRouteEntry].name = input.route_title;
  out.header[kTrainEntry].name = input.train_title;
  if (!input.line_text) {
    diagnostics.Record(DataError::kNoLineFile, {SourceLocation::File::kLine, -1}, "");
    return 0;
  }
  ReaderScratch scratch;
  scratch.records = records;
  const LineHalfEnd end = ReadLineFile(*input.line_text, input.plan, out, scratch, diagnostics);
  // Reading on, the train file is read over any line that left a track.
  if (end == LineHalfEnd::kTrainHalfFollows || (diagnostics.read_on() && out.cells.size() >= 2)) {
    ReadTrainFile(input.train_text, out, scratch, diagnostics);
    // The train's reader counts its records afresh.
    if (input.train_text) return scratch.own_records;
  }
  return 0;
}

}  // namespace tarvosa
