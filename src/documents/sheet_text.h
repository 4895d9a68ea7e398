// Text laid out in the fixed columns of a driver's document: widths count
// characters, not the bytes of their UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvosa {

// The characters of UTF-8 text.
std::size_t Characters(std::string_view utf8);

// `text` filled with `fill` on the right (Left), on the left (Right) or on
// both sides, the odd one on the right (Centre), to `width` characters; a
// longer text is kept whole.
std::string Left(std::string_view text, std::size_t width, char fill = ' ');
std::string Right(std::string_view text, std::size_t width, char fill = ' ');
std::string Centre(std::string_view text, std::size_t width, char fill = ' ');

// `count` copies of `c`.
std::string Repeat(char c, std::size_t count);

// Metres as kilometres with two decimals: 4300 gives "4.30", -500 "-0.50".
std::string Kilometres(std::int32_t metres);

// Metres as the kilometre post at or before them: 201100 gives "201.000".
std::string KilometrePost(std::int32_t metres);

// Seconds since midnight as hours and minutes, a half minute as "½":
// 36740 gives "10.12", 41310 "11.28½".
std::string TimetableTime(std::int32_t seconds);

// The words of `text` in lines of at most `width` characters; a word longer
// than a line is split with "-".
std::vector<std::string> Wrap(std::string_view text, std::size_t width);

}  // namespace tarvosa
