// The lines of the train data file, Tarvosa_Corvale-.txt.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace tarvosa::scenario {

inline constexpr std::size_t kTrainDataLines = 189;
extern const std::array<std::string_view, kTrainDataLines> kTrainData;

}  // namespace tarvosa::scenario
