// The lines of the timetable sheet, Tarvosa_Corvale_scheda_treno.txt.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace tarvosa::scenario {

inline constexpr std::size_t kTimetableLines = 237;
extern const std::array<std::string_view, kTimetableLines> kTimetable;

}  // namespace tarvosa::scenario
