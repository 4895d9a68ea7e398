// The compiler's driver, the one part of the compiler that knows files:
// from the two text files on disk to the three compiled files beside them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "compiler/compiled_model.h"
#include "util/os.h"
#include "util/status.h"

namespace tarvosa {

// The names of the files a compile reads and writes.
struct ScenarioFiles {
  std::string line_definition;  // read, then deleted
  std::string train_data;       // read, then deleted
  std::string plan;             // the plan of the line
  std::string table;            // the scenario table
  std::string track;            // the track cells
};

// Replaces the plan file (when there is a plan), the scenario table file
// and the track file, in this order, each whole and flushed to the disk;
// stops at the first that fails. Last it flushes their directory, which
// puts the renames of every file replaced in it on the disk.
Status WriteCompiledFiles(Os& os, const CompiledScenario& scenario, const ScenarioFiles& files);

// Reads the two text files and deletes them, whatever the outcome (one
// that cannot be deleted does not keep the other);
// compiles them with the titles (Windows-1252) and the plan flag `j`; and
// writes the compiled files. Returns ok; a data error once the files are
// written, or with nothing written when the line left no track, its message
// "FILE:LINE:COLUMN: error N ..."; the fatal conflict 1250 or 1251, with
// nothing written; or the failure of a file operation.
Status memorizza_percorso(Os& os, const ScenarioFiles& files, std::string_view route_title,
                          std::string_view train_title, std::int32_t j);

}  // namespace tarvosa
