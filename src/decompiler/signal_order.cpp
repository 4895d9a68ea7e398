// The order of the signals in the train file. Each writes approach codes
// 100 to 400 m before it over whatever was there, as each station does into
// the four cells before its stop cell: where two of them write one cell,
// the code the cell holds tells which came later.
#include <map>
#include <queue>

#include "decompiler/signal_order.h"

namespace tarvosa::decompiler {
namespace {

struct Code {
  std::size_t signal;  // the signal that writes it; kStation for a station
  std::uint8_t code;
};
constexpr std::size_t kStation = SIZE_MAX;

// The cells the stations write their codes into, and the codes.
void StationCodes(const ScenarioHeader& h, std::multimap<std::int64_t, Code>& codes) {
  for (std::size_t e = 1; e < kFirstBoardSlot; ++e) {
    const ScenarioEntry& s = h[e];
    if (s == ScenarioEntry{}) break;
    if (!HasStationApproachCodes(s.kind)) continue;
    for (std::int64_t k = 1; k <= kApproachCodes; ++k) {
      const std::int64_t cell = StationApproachCell(s.end, k);
      if (cell > 1) codes.insert({cell, {kStation, StationApproachCode(k)}});
    }
  }
}

}  // namespace

SignalOrder OrderSignals(const CompiledInput& in, const std::vector<PlacedSignal>& signals) {
  std::multimap<std::int64_t, Code> codes;
  StationCodes(in.header, codes);
  for (std::size_t i = 0; i < signals.size(); ++i) {
    for (std::int64_t k = 1; k <= kApproachCodes; ++k) {
      codes.insert({SignalApproachCell(signals[i].cell, k),
                    {i, SignalApproachCode(signals[i].approach, k)}});
    }
  }
  std::vector<std::vector<std::size_t>> after(signals.size());
  std::vector<std::size_t> before_count(signals.size());
  SignalOrder order;
  order.before_stations.assign(signals.size(), false);
  for (auto it = codes.begin(); it != codes.end();) {
    const auto [first, last] = codes.equal_range(it->first);
    const TrackCell* cell = CellAt(in.cells, it->first);
    for (auto a = first; cell && a != last; ++a) {
      if (a->second.signal == kStation || a->second.code == cell->approach_code) continue;
      // Signal a's code is not what the cell holds: whoever's is came later.
      for (auto b = first; b != last; ++b) {
        if (b->second.code != cell->approach_code) continue;
        if (b->second.signal == kStation) {
          order.before_stations[a->second.signal] = true;
        } else {
          after[a->second.signal].push_back(b->second.signal);
          ++before_count[b->second.signal];
        }
      }
    }
    it = last;
  }
  // Along the line where nothing says otherwise.
  std::priority_queue<std::size_t, std::vector<std::size_t>, std::greater<>> ready;
  for (std::size_t i = 0; i < signals.size(); ++i) {
    if (before_count[i] == 0) ready.push(i);
  }
  std::vector<bool> placed(signals.size());
  while (!ready.empty()) {
    const std::size_t i = ready.top();
    ready.pop();
    order.sequence.push_back(i), placed[i] = true;
    for (const std::size_t j : after[i]) {
      if (--before_count[j] == 0) ready.push(j);
    }
  }
  for (std::size_t i = 0; i < signals.size(); ++i) {
    if (!placed[i]) order.sequence.push_back(i);  // a circle: the codes will tell
  }
  return order;
}

}  // namespace tarvosa::decompiler
