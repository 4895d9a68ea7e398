#include "compiler/memorizza_dati.h"

#include "compiler/field_reader.h"
#include "compiler/line_reader.h"
#include "util/files.h"

namespace tarvosa {

Status memorizza_dati(CompilerState& state) {
  try {
    ReadLineFile(state);
  } catch (const RuntimeFailure&) {
    state.error_code = 25;
    if (Status deleted = DeleteFileIfPresent(state.train_file); !deleted.ok()) return deleted;
  }
  return DeleteFileIfPresent(state.line_file);
}

}  // namespace tarvosa
