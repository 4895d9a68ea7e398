// Scenario texts read or compiled in memory, with this scenario's titles.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "compiler/compile.h"
#include "compiler/internal/memorizza_dati.h"

namespace tarvosa::testing {

// The lines, each followed by CR LF.
template <typename Lines>
std::string CrLf(const Lines& lines) {
  std::string bytes;
  for (const auto& line : lines) bytes.append(std::string_view(line)).append("\r\n");
  return bytes;
}

inline CompileInput Input(std::optional<std::string_view> line,
                          std::optional<std::string_view> train, bool plan) {
  return {.line_text = line,
          .train_text = train,
          .route_title = "Tarvosa",
          .train_title = "Corvale",
          .plan = plan};
}

// What the two readers make of the texts (nothing for a file that does not
// exist), before the braking points and the markers.
inline Compilation ReadTexts(std::optional<std::string_view> line,
                             std::optional<std::string_view> train, bool plan = true) {
  Compilation read;
  memorizza_dati(Input(line, train, plan), read.scenario, read.diagnostics);
  return read;
}

// The whole compile of the texts.
inline Compilation CompileTexts(std::optional<std::string_view> line,
                                std::optional<std::string_view> train, bool plan = true) {
  return Compile(Input(line, train, plan));
}

}  // namespace tarvosa::testing
