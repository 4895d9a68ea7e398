// The compiled files of a scenario in a directory, found by their names'
// endings: "_linea.dat" the plan, ".sim" the table, any other ".dat" the
// track.
#pragma once

#include <optional>
#include <string>

#include "tool/inputs/compiled_input.h"
#include "util/os.h"
#include "util/status.h"

namespace tarvosa::tool {

struct CompiledDirectory {
  std::string track;
  std::string table;
  std::optional<std::string> plan;  // a scenario compiled without its plan has none
};

// The files of `directory` on `os`: a track and a table must be there, one
// of each; a plan may be. Missing files are a file-system error, more than
// one file of an ending a usage error.
Result<CompiledDirectory> FindCompiledFiles(Os& os, const std::string& directory);

// The compiled scenario of a decoded track and table, and of its plan when
// there is one (rows 0 and 1 are the origin; the computed rows follow until
// the first empty one).
CompiledScenario ScenarioOf(const CompiledFile& track, const CompiledFile& table,
                            const CompiledFile* plan);

// The compiled scenario in `directory`, its files found, read and decoded.
Result<CompiledScenario> LoadCompiledScenario(Os& os, const std::string& directory);

// The table written beside the track file `track_file` ("ROUTE_TRAIN.sim"
// beside "ROUTE_TRAIN.dat"), when there is one that reads as a table: it
// names the stations and boards of the track.
std::optional<ScenarioHeader> TableBeside(Os& os, const std::string& track_file);

}  // namespace tarvosa::tool
