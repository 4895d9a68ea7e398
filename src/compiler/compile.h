// The scenario compiler over bytes: the two text files in, the compiled
// scenario and what is wrong with it out. It touches no file.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "compiler/compiled_model.h"
#include "compiler/diagnostics.h"

namespace tarvosa {

struct CompileInput {
  // The bytes of the line definition file and of the train data file;
  // nothing for a file that does not exist. They must outlive the compile.
  std::optional<std::string_view> line_text;
  std::optional<std::string_view> train_text;
  // The titles, in Windows-1252; every file name derives from them and the
  // check codes are computed from them.
  std::string_view route_title;
  std::string_view train_title;
  // Build the plan of the line from the curves (the flag j).
  bool plan = true;
  // Read on past data errors to find them all: each file is read to its
  // end, passing over each record in error, and the train file is read
  // whatever the line file held. The scenario so compiled is not the one
  // the installer writes and is only for finding errors.
  bool read_on = false;
  // Warn of what reads well but is no railway: timetable times, speeds
  // against boards and curves, steep grades, repeated records.
  bool railway_checks = false;
};

struct Compilation {
  CompiledScenario scenario;
  // The data error, if any, and the warnings. A data error does not stop
  // the compiler: the scenario is still compiled and written.
  Diagnostics diagnostics;
  // 1250 or 1251 when the place of a marker was already taken: a fatal
  // conflict, and nothing may be written.
  std::int32_t fatal_conflict = 0;
  // The records read from the train data file: none when it has no
  // "[generale]" line, and the train then runs on nothing of its own.
  std::int32_t train_records = 0;

  // The line left a track to compile (at least cells 0 and 1).
  bool HasTrack() const { return scenario.cells.size() >= 2; }
  // There are compiled files to write: a track and no fatal conflict.
  bool Writable() const { return HasTrack() && fatal_conflict == 0; }
};

// Clears the scenario table, reads both files, places the automatic braking
// points, and stamps the two markers and the two check codes.
Compilation Compile(const CompileInput& input);

// Every error and warning of the two files, found by a compile that reads
// on past errors (`input.read_on` is taken as set); what it compiles is
// thrown away.
Diagnostics Diagnose(CompileInput input);

}  // namespace tarvosa
