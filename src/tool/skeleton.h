// The small scenario `scenario new` writes: 8 km of line with one record of
// every kind, which compiles without an error or a warning.
#pragma once

#include <array>
#include <string_view>

namespace tarvosa::tool {

extern const std::array<std::string_view, 22> kSkeletonLine;
extern const std::array<std::string_view, 22> kSkeletonTrain;

}  // namespace tarvosa::tool
