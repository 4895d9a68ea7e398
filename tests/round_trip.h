// Compiling, decompiling and compiling again, in memory.
#pragma once

#include <string>
#include <vector>

#include "compiler/compile.h"
#include "compiler/compiled_files.h"
#include "decompiler/decompile.h"

namespace tarvosa::testing {

// The three encoded files of a compile; an empty plan when there is none.
struct EncodedFiles {
  std::string track, table, plan;
  friend bool operator==(const EncodedFiles&, const EncodedFiles&) = default;
};

inline EncodedFiles Encode(const Compilation& compiled) {
  const CompiledScenario& s = compiled.scenario;
  return {EncodeTrackCells(s.cells), EncodeScenarioHeader(s.header),
          s.plan ? EncodeLineData(*s.plan) : std::string()};
}

inline Compilation CompileWithTitles(const std::string& line, const std::string& train,
                                     const std::string& route_title, const std::string& train_title,
                                     bool plan = true) {
  return Compile({.line_text = line,
                  .train_text = train,
                  .route_title = route_title,
                  .train_title = train_title,
                  .plan = plan});
}

struct RoundTrip {
  EncodedFiles first, second;
  Decompilation decompiled;
  Status refusal;  // why the files were not decompiled
};

// The files `first` decompiled and the texts compiled again.
inline RoundTrip DecompileAndCompile(const EncodedFiles& first, bool plan = true) {
  RoundTrip trip{first, {}, {}, {}};
  Result<Decompilation> decompiled =
      Decompile({.track = first.track,
                 .table = first.table,
                 .plan = plan ? std::optional<std::string_view>(first.plan) : std::nullopt});
  if (!decompiled.ok()) {
    trip.refusal = decompiled.status();
    return trip;
  }
  trip.decompiled = std::move(decompiled).value();
  trip.second =
      Encode(CompileWithTitles(trip.decompiled.line_text, trip.decompiled.train_text,
                               trip.decompiled.route_title, trip.decompiled.train_title, plan));
  return trip;
}

inline std::string WarningsText(const Decompilation& d) {
  std::string text;
  for (const DecompileWarning& w : d.warnings) text += w.text + "\n";
  return text;
}

}  // namespace tarvosa::testing
