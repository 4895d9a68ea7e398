#include "compiler/memorizza_dati.h"

#include "compiler/line_reader.h"
#include "compiler/reader_scratch.h"
#include "compiler/train_reader.h"

namespace tarvosa {

void memorizza_dati(const CompileInput& input, CompiledScenario& out, Diagnostics& diagnostics) {
  out.header[kRouteEntry].name = input.route_title;
  out.header[kTrainEntry].name = input.train_title;
  if (!input.line_text) {
    diagnostics.Record(DataError::kNoLineFile, {SourceLocation::File::kLine, -1}, "");
    return;
  }
  ReaderScratch scratch;
  if (ReadLineFile(*input.line_text, input.plan, out, scratch, diagnostics) ==
      LineHalfEnd::kTrainHalfFollows) {
    ReadTrainFile(input.train_text, out, scratch, diagnostics);
  }
}

}  // namespace tarvosa
