// The lines of the author's notes, Tarvosa_Corvale_note.txt.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace tarvosa::scenario {

inline constexpr std::size_t kNotesLines = 80;
extern const std::array<std::string_view, kNotesLines> kNotes;

}  // namespace tarvosa::scenario
