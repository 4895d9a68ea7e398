// A compiled file as the tool reads it: its bytes, or why it cannot be
// read, and which of the three layouts they have.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/compiled_files.h"

namespace tarvosa::tool {

enum class CompiledKind { kTrack, kTable, kPlan };

// "track", "table" or "plan".
std::string KindWord(CompiledKind kind);
std::optional<CompiledKind> KindFromWord(const std::string& word);

// Why an input cannot be used: the exit status it ends with (1 a file
// that is missing, a directory or unreadable; 2 bytes of another layout; 4
// inputs that do not go together) and a message that names it.
struct InputProblem {
  int status = 0;
  std::string message;
};

// One compiled file decoded; only the member of its kind is filled.
struct CompiledFile {
  CompiledKind kind = CompiledKind::kTrack;
  std::vector<TrackCell> cells;
  ScenarioHeader header{};
  DecodedPlan plan;
};

// The whole content of the regular file `name`.
std::optional<std::string> ReadInput(const std::string& name, InputProblem& problem);

// The bytes of `name` decoded as `kind`; with no kind, as the layout they
// have and the mark every compiled file of that layout carries (the marker
// 5121 in cell 1 of a track, 610 in entry 85 of a table, the origin in row 0
// of a plan).
std::optional<CompiledFile> DecodeCompiled(const std::string& name, std::string_view bytes,
                                           std::optional<CompiledKind> kind, InputProblem& problem);

// ReadInput, then DecodeCompiled.
std::optional<CompiledFile> LoadCompiled(const std::string& name, std::optional<CompiledKind> kind,
                                         InputProblem& problem);

}  // namespace tarvosa::tool
