// What the fuzz targets share: the outcomes the compiler may give, checked
// against the table of its error numbers, and the compiled files split
// from one input.
#pragma once

#include <array>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "compiler/data_errors.h"

namespace tarvosa::fuzz {

// Every number the compiler may record, and 0.
inline void CheckKnownCode(std::int32_t code) {
  if (code != 0 && FindDataError(code) == nullptr) std::abort();
}

// What stands between two files in an input of several: text no compiled
// file is likely to hold, and which a mutation seldom breaks.
inline constexpr std::string_view kFileSeparator = "\n--next file--\n";

// The track, the table and the plan of an input "TRACK SEP TABLE [SEP
// PLAN]"; no plan when there is no second separator.
struct CompiledParts {
  std::string_view track, table;
  std::optional<std::string_view> plan;
};

inline CompiledParts SplitCompiledFiles(std::string_view input) {
  std::array<std::string_view, 3> parts{};
  std::size_t count = 0;
  while (count < 2) {
    const std::size_t at = input.find(kFileSeparator);
    if (at == std::string_view::npos) break;
    parts[count++] = input.substr(0, at);
    input.remove_prefix(at + kFileSeparator.size());
  }
  parts[count] = input;
  if (count < 2) return {parts[0], parts[1], std::nullopt};
  return {parts[0], parts[1], parts[2]};
}

}  // namespace tarvosa::fuzz
