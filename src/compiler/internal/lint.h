// Warnings: what compiles but is almost always a mistake. None of them
// changes what is compiled; each stands at the field it concerns.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "compiler/diagnostics.h"

namespace tarvosa::lint {

// A field in keyword position that `file`'s reader reads no record from:
// a near miss of a keyword ("did you mean"), another file's keyword, a
// value more than the record before it takes (`after_values`: on the line
// of that record's values), or any other text. Section headers ("[curve]")
// pass without a word.
void UnknownField(Diagnostics& d, const SourceLocation& at, std::string_view field,
                  SourceLocation::File file, bool after_values);

// A field passed over unread because it holds "-". After a station on the
// line before, it is most likely the rest of the station's name.
void PassedOver(Diagnostics& d, const SourceLocation& at, std::string_view field,
                std::string_view previous_station);

// A curve keyword not written as curvaD1 or curvaS1..6: how it was read.
void CurveKeyword(Diagnostics& d, const SourceLocation& at, std::string_view field, int curve_class,
                  bool left);

// `what` written as `written` and kept as `stored`: a warning saying so and
// why (`why`), when they differ.
void Stored(Diagnostics& d, const SourceLocation& at, std::string_view what, std::int64_t written,
            std::int64_t stored, std::string_view why);

// A text that will not show as meant: bytes that look like UTF-8, bytes
// with no Windows-1252 character, control characters.
void Text(Diagnostics& d, const SourceLocation& at, std::string_view text);

// A feature put into a cell that held another: the other one is lost.
void Replaced(Diagnostics& d, const SourceLocation& at, std::int64_t cell, std::uint8_t before,
              std::uint8_t after);

// A file whose fields were mostly the other file's keywords
// (`foreign_keywords` of them) and none of its own records: the two files
// were probably given the wrong way round.
void WrongWayRound(Diagnostics& d, SourceLocation::File file, std::int32_t foreign_keywords,
                   std::int32_t own_records);

// Whether `field` is near enough "[generale]" to be a misspelling of it.
bool NearGeneralHeader(std::string_view field);

// Whether `field` is one of the keywords of `file` (as the example files
// write them), ignoring letter case and blanks around it.
bool IsKeywordOf(std::string_view field, SourceLocation::File file);

}  // namespace tarvosa::lint
