// The small scenario `scenario new` writes: 8 km of line with one record of
// every kind, which compiles without an error or a warning, and notes for
// the author to write over.
#pragma once

#include <array>
#include <string_view>

namespace tarvosa::scenario {

extern const std::array<std::string_view, 22> kSkeletonLine;
extern const std::array<std::string_view, 22> kSkeletonTrain;
extern const std::array<std::string_view, 5> kSkeletonNotes;

}  // namespace tarvosa::scenario
