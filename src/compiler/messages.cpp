#include "compiler/messages.h"

#include "compiler/stored_format.h"
#include "util/windows1252.h"

namespace tarvosa {

std::string Quoted(std::string_view field) {
  constexpr std::size_t kLongest = 40;
  std::string quoted(1, '\'');
  quoted += Windows1252ToUtf8(field.substr(0, kLongest));
  quoted += field.size() > kLongest ? "...'" : "'";
  return quoted;
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
