// The signals, the slow-downs and the braking points of the train file,
// from the cells that hold them.
#include "compiler/messages.h"
#include "decompiler/recovery.h"
#include "decompiler/signal_order.h"

namespace tarvosa::decompiler {
namespace {

constexpr std::int16_t kAutomaticPointValue = 180;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// A value no record can write as it stands is written as `written`, which
// wraps to it when the compiler stores it.
void WarnWrapped(Recovery& out, std::int64_t cell, const std::string& what, std::int64_t value,
                 const std::string& why, std::int64_t written) {
  out.Warn(CompiledPart::kTrack, CellText(cell) + ": " + what + " of " + std::to_string(value) +
                                     " cannot be written, as " + why + ": written as " +
                                     std::to_string(written) + ", which wraps to it");
}

// The signal keeps rapp × 10 + sx × 3 + dx in value_d and writes
// (sx × 3 + dx) × 10 + k (low 8 bits) as the approach code 100 × k m before
// it. Written with sx 2: the rapp whose codes match most of the four cells
// (a later feature may have written over some), the smallest first.
std::int64_t Rapp(const std::vector<TrackCell>& cells, std::int64_t c, std::int16_t value_d) {
  std::int64_t best = 0, best_matches = -1;
  for (std::int64_t step = 0; step < 64; ++step) {
    // 0, -1, 1, -2, 2 ...: 64 values of rapp give every code there is.
    const std::int64_t rapp = step % 2 == 0 ? step / 2 : -(step + 1) / 2;
    const std::int64_t q = value_d - rapp * 10;
    std::int64_t matches = 0;
    for (std::int64_t k = 1; k <= 4; ++k) {
      const TrackCell* cell = CellAt(cells, c - 2 * k);
      if (cell && cell->approach_code == static_cast<std::uint8_t>(q * 10 + k)) ++matches;
    }
    if (matches > best_matches) best = rapp, best_matches = matches;
  }
  return best;
}

std::string Signal(const std::vector<TrackCell>& cells, std::int64_t c, std::int64_t rapp,
                   Recovery& out) {
  const TrackCell& cell = cells[static_cast<std::size_t>(c)];
  const std::int64_t sx = 2, dx = cell.value_d - rapp * 10 - sx * 3;
  std::int64_t tempo = cell.signal_time;
  if (tempo >= 1 && tempo <= 100) {
    tempo += 256;
    WarnWrapped(out, c, "a signal time", cell.signal_time, "times 1 to 100 become 101", tempo);
  }
  const std::int64_t s1 = FloorDiv(cell.value_a, 10), s2 = FloorDiv(cell.value_b, 10),
                     s3 = FloorDiv(cell.value_c, 10);
  return Record("segnale", {FeatureProgressive(c), sx, s1, s2, s3, rapp, dx, cell.value_a - s1 * 10,
                            cell.value_b - s2 * 10, cell.value_c - s3 * 10, tempo});
}

// The end of the slow zone that starts in cell `s`: the nearest end after
// it with the same values, else the nearest end; the start itself when
// there is none (a zone of no length keeps only its start).
std::int64_t ZoneEnd(const std::vector<TrackCell>& cells, std::int64_t s, std::vector<bool>& used) {
  const TrackCell& start = cells[static_cast<std::size_t>(s)];
  std::int64_t nearest = -1;
  for (std::size_t e = static_cast<std::size_t>(s) + 1; e < cells.size(); ++e) {
    const TrackCell& end = cells[e];
    if (end.kind != kSlowDownEnd || used[e]) continue;
    if (nearest < 0) nearest = static_cast<std::int64_t>(e);
    if (end.value_a == start.value_a && end.value_b == start.value_b &&
        end.value_c == start.value_c) {
      nearest = static_cast<std::int64_t>(e);
      break;
    }
  }
  if (nearest >= 0) used[static_cast<std::size_t>(nearest)] = true;
  return nearest < 0 ? s : nearest;
}

std::string SlowDown(const std::vector<TrackCell>& cells, std::int64_t s, std::vector<bool>& used) {
  const TrackCell& start = cells[static_cast<std::size_t>(s)];
  const std::int64_t e = ZoneEnd(cells, s, used);
  const TrackCell* marker = CellAt(cells, s - 25);
  const bool markers = marker && marker->kind == kSlowDownApproach && marker->value_a == 1;
  return Record("rallentamento", {FeatureProgressive(s), start.value_a, 50 * (e - s), start.value_c,
                                  markers ? 1 : 0, start.value_b});
}

}  // namespace

void RecoverSignals(const CompiledInput& in, Recovery& out) {
  std::vector<PlacedSignal> signals;
  std::vector<std::int64_t> rapps;
  for (std::int64_t c = 0; c <= in.last_cell(); ++c) {
    const TrackCell& cell = in.cells[static_cast<std::size_t>(c)];
    if (cell.kind != kSignal) continue;
    rapps.push_back(Rapp(in.cells, c, cell.value_d));
    signals.push_back({c, cell.value_d - rapps.back() * 10});
  }
  const SignalOrder order = OrderSignals(in, signals);
  for (const std::size_t i : order.sequence) {
    std::string line = Signal(in.cells, signals[i].cell, rapps[i], out);
    (order.before_stations[i] ? out.signals_before_stations : out.signals).push_back(line);
  }
}

void RecoverSlowDowns(const CompiledInput& in, Recovery& out) {
  std::vector<bool> used(in.cells.size());
  for (std::int64_t c = 0; c <= in.last_cell(); ++c) {
    if (in.cells[static_cast<std::size_t>(c)].kind == kSlowDownStart) {
      out.slow_downs.push_back(SlowDown(in.cells, c, used));
    }
  }
}

void RecoverOwnBrakingPoints(const CompiledInput& in, Recovery& out) {
  for (std::int64_t c = 0; c <= in.last_cell(); ++c) {
    const TrackCell& cell = in.cells[static_cast<std::size_t>(c)];
    if (cell.kind == kBrakingPointWithoutValue) out.points.push_back({c, 0});
    if (cell.kind != kBrakingPoint || cell.value_a == kAutomaticPointValue) continue;
    std::int64_t value = cell.value_a;
    if (value <= 0) {
      value += 65536;
      WarnWrapped(out, c, "a braking point's value", cell.value_a,
                  "a value of 0 or less makes a point without one", value);
    }
    out.points.push_back({c, value});
  }
}

}  // namespace tarvosa::decompiler
