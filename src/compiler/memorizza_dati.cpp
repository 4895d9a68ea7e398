#include "compiler/memorizza_dati.h"

#include "compiler/field_reader.h"
#include "compiler/line_reader.h"
#include "compiler/train_reader.h"
#include "util/files.h"

namespace tarvosa {

Status memorizza_dati(CompilerState& state) {
  try {
    if (ReadLineFile(state) == LineHalfEnd::kTrainHalfFollows) ReadTrainFile(state);
  } catch (const RuntimeFailure&) {
    state.RecordError(25);
  }
  state.reading = {};
  if (Status deleted = DeleteFileIfPresent(state.line_file); !deleted.ok()) return deleted;
  return DeleteFileIfPresent(state.train_file);
}

}  // namespace tarvosa
