// The lines of the route's line definition file, Tarvosa_linea.txt.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace tarvosa::scenario {

inline constexpr std::size_t kLineDefinitionLines = 374;
extern const std::array<std::string_view, kLineDefinitionLines> kLineDefinition;

}  // namespace tarvosa::scenario
