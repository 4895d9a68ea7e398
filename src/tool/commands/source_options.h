// LINE and TRAIN and the titles: what compile, check and documents are
// given alike, and the titles' one check.
#pragma once

#include <string>

#include <CLI/CLI.hpp>

#include "documents/file_names.h"
#include "tool/compile_step.h"
#include "util/os.h"
#include "util/status.h"

namespace tarvosa::tool {

// LINE, TRAIN, --route, --train and --strict; LINE and TRAIN must be files
// on `os`.
void AddSourceOptions(CLI::App& command, Os& os, CompileOptions& options);

// A usage error when a title has a character with no Windows-1252 byte.
Status CheckTitlesSpelled(const std::string& route_title, const std::string& train_title);

// A data error when the titles cannot name the scenario's files in
// `place`, or they clash with each other or with the program it names
// (ScenarioNamesProblem).
Status CheckScenarioNames(const ScenarioPlace& place);

// The titles the names give where the options give none, checked.
Status SettleTitles(CompileOptions& options);

// The same, and the names they give the scenario's files checked, for a
// command that writes some of them.
Status SettleTitlesAndNames(CompileOptions& options);

}  // namespace tarvosa::tool
