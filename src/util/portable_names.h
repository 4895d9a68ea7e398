// What a file name must be to name the same one file on every system the
// scenario is installed on: Linux, and Windows with its refused characters,
// its device names and its names that differ only in case.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "util/status.h"

namespace tarvosa {

// The longest file name, in bytes of its UTF-8, that every system takes.
inline constexpr std::size_t kLongestPortableName = 255;

// Whether `stem` is a name Windows keeps for a device (CON, PRN, AUX, NUL,
// CONIN$, CONOUT$, COM1 to COM9, LPT1 to LPT9, and COM and LPT with ¹, ² or ³), whatever
// its case; blanks after it do not count, as Windows drops them.
bool IsDeviceName(std::string_view stem);

// The part of a name before its first '.': what Windows compares with the
// device names.
std::string_view StemOf(std::string_view name);

// A data error that says why the whole file name `name` (UTF-8, no
// directory) cannot name a file on every system, or ok: it is empty, "."
// or "..", longer than kLongestPortableName bytes, holds a NUL or another
// control character (below 0x20, and 0x7F), a separator (/ \ :) or one of
// * ? " < > |, its stem is a device name, or it ends with a blank or a
// dot, which Windows drops. The reason alone.
Status PortableNameProblem(std::string_view name);

// `name` as Windows compares names: ASCII letters and the letters of
// Windows-1252 (À to Þ, Š, Œ, Ž, Ÿ) in lower case, all else as it is.
std::string FoldedName(std::string_view name);

// Whether `a` and `b` name one file where case does not count.
bool SameFileName(std::string_view a, std::string_view b);

}  // namespace tarvosa
