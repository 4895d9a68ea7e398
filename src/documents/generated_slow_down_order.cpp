#include "documents/generated_slow_down_order.h"

#include <array>

#include "documents/sheet_text.h"
#include "scenario/slow_down_order_table.h"

namespace tarvosa {
namespace {

constexpr std::array<std::size_t, 6> kWidths = {3, 28, 12, 10, 9, 12};

// The embedded form's lines that every form shares: its first four, the
// table's heads with the rules above and under them, an empty row, and from
// the bottom rule on.
constexpr std::size_t kHeads = 7, kFirstRestriction = 12, kEmptyRow = 16, kBottomRule = 38;
// The table has room for this many rows, filled or empty.
constexpr std::size_t kTableRows = kBottomRule - kFirstRestriction;

std::string Row(const std::array<std::string, 6>& cells) {
  std::string row = " |";
  for (std::size_t i = 0; i < cells.size(); ++i) row += Left(cells[i], kWidths[i]) + "|";
  return row;
}

// Where the slow-down lies: in a station's stretch, or between two.
std::string Place(const RouteFacts& facts, std::int32_t start) {
  const StationFact* before = nullptr;
  const StationFact* after = nullptr;
  for (const StationFact& station : facts.stations) {
    if (station.start <= start && start <= station.end) return "Nella stazione di " + station.name;
    if (station.end < start) before = &station;
    if (station.start > start && after == nullptr) after = &station;
  }
  std::string place = "In linea";
  if (before != nullptr && after != nullptr) {
    place = "Fra le stazioni di " + before->name + " e " + after->name;
  } else if (after != nullptr) {
    place = "Prima della stazione di " + after->name;
  } else if (before != nullptr) {
    place = "Dopo la stazione di " + before->name;
  }
  return place + ", inizio al km " + Kilometres(start);
}

void Restriction(const RouteFacts& facts, std::size_t number, const SlowDownFact& slow_down,
                 DocumentLines& lines) {
  const std::vector<std::string> place = Wrap(Place(facts, slow_down.start), kWidths[1]);
  for (std::size_t i = 0; i < place.size(); ++i) {
    std::array<std::string, 6> cells;
    if (i == 0) cells[0] = Right(std::to_string(number), 2) + " ";
    cells[1] = place[i];
    if (i + 1 == place.size()) {
      cells[2] = Centre(KilometrePost(slow_down.start), kWidths[2]);
      cells[3] = Centre(std::to_string(slow_down.speed), kWidths[3]);
      cells[4] = Centre(std::to_string(slow_down.length), kWidths[4]);
    }
    lines.push_back(Row(cells));
  }
}

}  // namespace

DocumentLines GenerateSlowDownOrder(const RouteFacts& facts, std::string_view train_title) {
  const auto& form = scenario::kSlowDownOrder;
  const std::string first = facts.stations.empty() ? "" : facts.stations.front().name;
  const std::string last = facts.stations.empty() ? "" : facts.stations.back().name;
  DocumentLines lines(form.begin(), form.begin() + 4);
  lines.insert(lines.end(), {"  Linea  " + first + " - " + last, "",
                             "  Si ordina al macchinista del treno " + std::string(train_title) +
                                 "  di effettuare i seguenti rallentamenti"});
  lines.insert(lines.end(), form.begin() + kHeads, form.begin() + kFirstRestriction);
  const std::size_t first_row = lines.size();
  for (std::size_t i = 0; i < facts.slow_downs.size(); ++i) {
    Restriction(facts, i + 1, facts.slow_downs[i], lines);
  }
  while (lines.size() - first_row < kTableRows) lines.emplace_back(form[kEmptyRow]);
  lines.insert(lines.end(), form.begin() + kBottomRule, form.end());
  return lines;
}

}  // namespace tarvosa
