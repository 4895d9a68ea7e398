// A compiled file as the tool reads it: its bytes, or why it cannot be
// read (a file-system error for a file that is missing, a directory or
// unreadable; a data error for bytes of another layout), and which of the
// three layouts they have.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/compiled_files.h"
#include "util/os.h"
#include "util/status.h"

namespace tarvosa::tool {

enum class CompiledKind { kTrack, kTable, kPlan };

// "track", "table" or "plan".
std::string KindWord(CompiledKind kind);
std::optional<CompiledKind> KindFromWord(const std::string& word);

// One compiled file decoded; only the member of its kind is filled.
struct CompiledFile {
  CompiledKind kind = CompiledKind::kTrack;
  std::vector<TrackCell> cells;
  ScenarioHeader header{};
  DecodedPlan plan;
};

// The whole content of the regular file `name` on `os`, through a link.
Result<std::string> ReadInput(Os& os, const std::string& name);

// The bytes of `name` decoded as `kind`; with no kind, as the layout they
// have and the mark every compiled file of that layout carries (the marker
// 5121 in cell 1 of a track, 610 in entry 85 of a table, the origin in row 0
// of a plan).
Result<CompiledFile> DecodeCompiled(const std::string& name, std::string_view bytes,
                                    std::optional<CompiledKind> kind);

// ReadInput, then DecodeCompiled.
Result<CompiledFile> LoadCompiled(Os& os, const std::string& name,
                                  std::optional<CompiledKind> kind);

}  // namespace tarvosa::tool
