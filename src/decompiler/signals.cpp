// The signals, the slow-downs and the braking points of the train file,
// from the cells that hold them.
#include <optional>

#include "compiler/messages.h"
#include "decompiler/recovery.h"
#include "decompiler/signal_order.h"

namespace tarvosa::decompiler {
namespace {

// A value no record can write as it stands is written as `written`, which
// wraps to it when the compiler stores it.
void WarnWrapped(Recovery& out, std::int64_t cell, const std::string& what, std::int64_t value,
                 const std::string& why, std::int64_t written) {
  out.Warn(CompiledPart::kTrack, CellText(cell) + ": " + what + " of " + std::to_string(value) +
                                     " cannot be written, as " + why + ": written as " +
                                     std::to_string(written) + ", which wraps to it");
}

// The signal keeps rapp × 10 + sx × 3 + dx as its code and writes
// (sx × 3 + dx) × 10 + k (low 8 bits) as the approach code 100 × k m before
// it. Written with sx 2: the rapp whose codes match most of the four cells
// (a later feature may have written over some), the smallest first.
std::int64_t Rapp(const std::vector<TrackCell>& cells, std::int64_t c, std::int16_t code) {
  std::int64_t best = 0, best_matches = -1;
  for (std::int64_t step = 0; step < 64; ++step) {
    // 0, -1, 1, -2, 2 ...: 64 values of rapp give every code there is.
    const std::int64_t rapp = step % 2 == 0 ? step / 2 : -(step + 1) / 2;
    const std::int64_t approach = code - rapp * 10;
    std::int64_t matches = 0;
    for (std::int64_t k = 1; k <= kApproachCodes; ++k) {
      const TrackCell* cell = CellAt(cells, SignalApproachCell(c, k));
      if (cell && cell->approach_code == SignalApproachCode(approach, k)) ++matches;
    }
    if (matches > best_matches) best = rapp, best_matches = matches;
  }
  return best;
}

std::string Signal(const std::vector<TrackCell>& cells, std::int64_t c, std::int64_t rapp,
                   Recovery& out) {
  const SignalCell signal(cells[static_cast<std::size_t>(c)]);
  // sx 2 keeps the time; dx takes what is left of the code.
  const std::int64_t sx = 2, dx = signal.rapp_sx_dx - SignalCodeValue(rapp, sx, 0);
  std::int64_t tempo = signal.time;
  if (IsRaisedSignalTime(tempo)) {
    tempo += 256;
    WarnWrapped(out, c, "a signal time", signal.time, "times 1 to 100 become 101", tempo);
  }
  const FieldPair first = SignalPairOf(signal.s1_d1), second = SignalPairOf(signal.s2_d2),
                  third = SignalPairOf(signal.s3_d3);
  return Record("segnale", {FeatureProgressive(c), sx, first.left, second.left, third.left, rapp,
                            dx, first.right, second.right, third.right, tempo});
}

// The end of the slow zone that starts in cell `s`: the nearest end after
// it with the same values, else the nearest end; the start itself when
// there is none (a zone of no length keeps only its start).
std::int64_t ZoneEnd(const std::vector<TrackCell>& cells, std::int64_t s, std::vector<bool>& used) {
  const SlowDownCell start(cells[static_cast<std::size_t>(s)]);
  std::optional<std::size_t> nearest;
  for (std::size_t e = static_cast<std::size_t>(s) + 1; e < cells.size(); ++e) {
    if (cells[e].kind != kSlowDownEnd || used[e]) continue;
    const SlowDownCell end(cells[e]);
    if (!nearest) nearest = e;
    if (end.speed == start.speed && end.d_v == start.d_v && end.f_tt == start.f_tt) {
      nearest = e;
      break;
    }
  }
  if (!nearest) return s;
  used[*nearest] = true;
  return static_cast<std::int64_t>(*nearest);
}

std::string SlowDown(const std::vector<TrackCell>& cells, std::int64_t s, std::vector<bool>& used) {
  const SlowDownCell start(cells[static_cast<std::size_t>(s)]);
  const std::int64_t e = ZoneEnd(cells, s, used);
  const std::int64_t x = FeatureProgressive(s);
  const TrackCell* marker = CellAt(cells, SlowDownMarkerCell(x, 1));
  const bool markers =
      marker && marker->kind == kSlowDownApproach && ApproachMarkerCell(*marker).number == 1;
  return Record("rallentamento",
                {x, start.speed, 50 * (e - s), start.f_tt, markers ? 1 : 0, start.d_v});
}

}  // namespace

void RecoverSignals(const CompiledInput& in, Recovery& out) {
  std::vector<PlacedSignal> signals;
  std::vector<std::int64_t> rapps;
  for (std::int64_t c = 0; c <= in.last_cell(); ++c) {
    const TrackCell& cell = in.cells[static_cast<std::size_t>(c)];
    if (cell.kind != kSignal) continue;
    const std::int16_t code = SignalCell(cell).rapp_sx_dx;
    rapps.push_back(Rapp(in.cells, c, code));
    signals.push_back({c, code - rapps.back() * 10});
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
    if (cell.kind != kBrakingPoint) continue;
    const BrakingPointCell point(cell);
    if (point.speed == kAutomaticPointSpeed) continue;
    std::int64_t value = point.speed;
    if (value <= 0) {
      value += 65536;
      WarnWrapped(out, c, "a braking point's value", point.speed,
                  "a value of 0 or less makes a point without one", value);
    }
    out.points.push_back({c, value});
  }
}

}  // namespace tarvosa::decompiler
