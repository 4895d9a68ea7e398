#include "compiler/messages.h"

#include "compiler/stored_format.h"
#include "util/windows1252.h"

namespace tarvosa {

namespace {

// The characters a reader of the message would not see, and their names.
struct Unseen {
  char byte;  // in Windows-1252
  std::string_view shown;
  std::string_view named;
};
constexpr Unseen kUnseen[] = {{'\t', "<tab>", "a tab"},
                              {'\r', "<CR>", "a CR"},
                              {'\n', "<LF>", "an LF"},
                              {'\xA0', "<no-break space>", "a no-break space"}};

const Unseen* UnseenOf(char c) {
  for (const Unseen& u : kUnseen) {
    if (u.byte == c) return &u;
  }
  return nullptr;
}

}  // namespace

std::string Quoted(std::string_view field) {
  constexpr std::size_t kLongest = 40;
  std::string quoted(1, '\'');
  const std::string_view shown = field.substr(0, kLongest);
  for (std::size_t from = 0; from < shown.size();) {
    std::size_t to = from;
    while (to < shown.size() && !UnseenOf(shown[to])) ++to;
    quoted += Windows1252ToUtf8(shown.substr(from, to - from));
    if (to < shown.size()) quoted += UnseenOf(shown[to])->shown;
    from = to + 1;
  }
  quoted += field.size() > kLongest ? "...'" : "'";
  return quoted;
}

std::string_view InvisibleIn(std::string_view field) {
  for (const char c : field) {
    if (c == '\t' || c == '\xA0') return UnseenOf(c)->named;
  }
  return {};
}

std::string Metres(std::int64_t metres) {
  return std::to_string(metres) + " m";
}

std::string CellText(std::int64_t cell) {
  return "cell " + std::to_string(cell) + " (" + Metres(FeatureProgressive(cell)) + ")";
}

std::string OutsideText(const std::vector<TrackCell>& cells, std::int64_t cell) {
  if (cell < 0) return "cell " + std::to_string(cell) + ", before the start of the track";
  return "cell " + std::to_string(cell) + ", beyond the end of the track (its last cell is " +
         std::to_string(LastCell(cells)) + ")";
}

std::string NotAMultipleText(std::int64_t value, std::int64_t of) {
  const std::int64_t below = value - ((value % of) + of) % of;
  return std::to_string(value) + " is not: the nearest are " + std::to_string(below) + " and " +
         std::to_string(below + of);
}

std::string BeyondTheEndText(std::string_view what, std::int64_t progressive, std::int64_t reach,
                             const CompiledScenario& scenario) {
  const std::int64_t last = LastCell(scenario.cells);
  const std::string it(what);
  return it + " at " + Metres(progressive) +
         " lies beyond the end of the track: with a line length of " +
         Metres(scenario.header[kNumbersEntry].end) + " the last cell is " + std::to_string(last) +
         ", and " + it + " may stand at " + Metres(50 * last - reach) + " at most";
}

}  // namespace tarvosa
