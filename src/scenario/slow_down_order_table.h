// The lines of the slow-down order, Tarvosa_Corvale_rallentamenti.txt.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace tarvosa::scenario {

inline constexpr std::size_t kSlowDownOrderLines = 46;
extern const std::array<std::string_view, kSlowDownOrderLines> kSlowDownOrder;

}  // namespace tarvosa::scenario
