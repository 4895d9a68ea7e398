// Naming a place in a scenario text file the way compilers do: FILE:LINE:COLUMN.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvosa::tool {

// "file:line:column" for the byte at `offset` of `bytes` (lines and columns
// count from 1; CR LF, LF or CR end a line), or "file" when the offset is
// negative.
std::string Where(const std::string& file, std::string_view bytes, std::int64_t offset);

}  // namespace tarvosa::tool
