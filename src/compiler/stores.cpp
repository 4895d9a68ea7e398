#include "compiler/stores.h"

#include <algorithm>

#include "compiler/arithmetic.h"
#include "compiler/field_reader.h"
#include "compiler/lint.h"
#include "compiler/messages.h"

namespace tarvosa {
namespace {

std::int16_t Low16(std::int64_t value) {
  return static_cast<std::int16_t>(value);
}
std::uint8_t Low8(std::int64_t value) {
  return static_cast<std::uint8_t>(value);
}

// Records that `what` found cell `index` outside the track.
void Outside(const std::vector<TrackCell>& cells, Diagnostics& d, std::int32_t progressive,
             const std::string& what, std::int64_t index) {
  d.Record(DataError::kOutsideTheTrack, d.record, what + " " + OutsideText(cells, index),
           progressive);
}

// Records that cell `index`, which `what` needs, already holds a feature.
void Taken(const std::vector<TrackCell>& cells, Diagnostics& d, DataError error,
           std::int32_t progressive, const std::string& what, std::int64_t index) {
  d.Record(error, d.record,
           CellText(index) + ", where " + what + " goes, already holds a " +
               std::string(CellKindName(cells[static_cast<std::size_t>(index)].kind)),
           progressive, d.OriginOf(index));
}

struct Reference {
  std::int32_t start, end, position;
  int keyword;  // 1 uno, 2 due, 3 tre: the lower one wins a tie
};

Reference ReferenceOf(const ScenarioEntry& entry, int keyword) {
  return {entry.start, entry.end, entry.position, keyword};
}

void Store(ScenarioEntry& entry, const Reference& reference) {
  entry.start = reference.start;
  entry.end = reference.end;
  entry.position = reference.position;
}

// Orders by start; `references` holds tre, due, uno.
std::array<Reference, 3> OrderByStart(std::array<Reference, 3> r) {
  std::sort(r.begin(), r.end(), [](const Reference& a, const Reference& b) {
    return a.start != b.start ? a.start > b.start : a.keyword < b.keyword;
  });
  if (r[0].start == r[1].start) return {};  // no strictly greatest start
  return r;
}

std::array<Reference, 3> OrderByEnd(const Reference& tre, const Reference& due,
                                    const Reference& uno) {
  if (uno.end > 0) return {uno, due, tre};
  if (due.end > 0) return {due, tre, uno};
  if (tre.end > 0) return {tre, due, uno};
  return {};
}

}  // namespace

bool Refused(Diagnostics& diagnostics, std::int32_t progressive) {
  if (!diagnostics.HasError()) return false;
  diagnostics.MovePosition(progressive);
  return true;
}

void PutFeature(TrackCell& cell, std::int64_t index, std::uint8_t kind, Diagnostics& d) {
  if (cell.kind != kFree) lint::Replaced(d, d.record, index, cell.kind, kind);
  cell.kind = kind;
  d.NoteOrigin(index, d.record);
}

void progressive_ordina(ScenarioHeader& h) {
  const Reference tre = ReferenceOf(h[kReferenceTre], 3);
  const Reference due = ReferenceOf(h[kReferenceDue], 2);
  const Reference uno = ReferenceOf(h[kReferenceUno], 1);
  const std::int64_t sum = std::int64_t{tre.start} + due.start + uno.start;
  const auto ordered = sum != 0 ? OrderByStart({tre, due, uno}) : OrderByEnd(tre, due, uno);
  for (std::size_t i = 0; i < 3; ++i) {
    ScenarioEntry& entry = h[kReferenceTre + i];
    Store(entry, ordered[i]);
    if (entry.position == 1) {
      if (entry.end > INT32_MAX - 100) {
        throw RuntimeFailure("a kilometre reference's end, " + std::to_string(entry.end) +
                                 ", plus 100 does not fit a signed 32-bit number",
                             -1);
      }
      entry.end += 100;
    }
  }
}

void memo_montagna(std::vector<TrackCell>& cells, SpanTable& spans, Diagnostics& d,
                   std::int32_t inizio, std::int32_t fine, std::int32_t& tipo) {
  const bool markers = tipo > 10;
  if (markers) tipo -= 10;
  if (spans.count >= kMaxSpans) {
    d.Record(DataError::kTooManyTunnelSpans, d.record,
             "this is span " + std::to_string(spans.count + 1), inizio);
    return;
  }
  const std::int32_t n = ++spans.count;
  spans.start[n] = inizio;
  spans.end[n] = fine;
  if (n > 1 && std::int64_t{inizio} - spans.end[n - 1] <= 150) tipo = 3;

  const std::int64_t first = RoundHalfEven(inizio, 50);
  const std::int64_t last = RoundHalfEven(std::int64_t{fine} - 50, 50);
  for (std::int64_t c = first; c <= last; ++c) {
    TrackCell* cell = CellAt(cells, c);
    if (cell == nullptr) {
      return Outside(cells, d, inizio,
                     "the tunnel span from " + Metres(inizio) + " to " + Metres(fine) + " reaches",
                     c);
    }
    cell->montagna_kind = Low8(tipo);
    if (markers && (c - first + 1) % 4 == 0 && cell->kind == kFree) cell->kind = kTunnelMarker;
  }
}

void memo_indicatori_v_max(std::vector<TrackCell>& cells, Diagnostics& d, std::int32_t posizione,
                           std::int32_t vas, std::int32_t vbs, std::int32_t vcs,
                           std::int32_t strisces, std::int32_t vad, std::int32_t vbd,
                           std::int32_t vcd, std::int32_t strisced) {
  const std::int64_t c = CellOf(posizione);
  TrackCell* cell = CellAt(cells, c);
  if (cell == nullptr) return Outside(cells, d, posizione, "the board falls in", c);
  if (!IsFree(*cell)) {
    return Taken(cells, d, DataError::kSpeedBoardCellTaken, posizione, "the board", c);
  }
  // speed * 20 + d speed / 5, rounded: the same as (speed * 100 + d speed) / 5.
  PutFeature(*cell, c, kSpeedBoard, d);
  cell->value_a = Low16(RoundHalfEven(std::int64_t{vas} * 100 + vad, 5));
  cell->value_b = Low16(RoundHalfEven(std::int64_t{vbs} * 100 + vbd, 5));
  cell->value_c = Low16(RoundHalfEven(std::int64_t{vcs} * 100 + vcd, 5));
  cell->value_d = Low16(std::int64_t{strisces} * 10 + strisced);
}

void memo_segnale(std::vector<TrackCell>& cells, Diagnostics& d, std::int32_t posizione,
                  std::int32_t sx, std::int32_t s1, std::int32_t s2, std::int32_t s3,
                  std::int32_t rapp, std::int32_t dx, std::int32_t d1, std::int32_t d2,
                  std::int32_t d3, std::int32_t& tempo) {
  const std::int64_t c = CellOf(posizione);
  TrackCell* cell = CellAt(cells, c);
  if (cell == nullptr) return Outside(cells, d, posizione, "the signal falls in", c);
  if (!IsFree(*cell)) {
    return Taken(cells, d, DataError::kSignalCellTaken, posizione, "the signal", c);
  }
  PutFeature(*cell, c, kSignal, d);
  cell->value_d = Low16(std::int64_t{rapp} * 10 + std::int64_t{sx} * 3 + dx);
  cell->value_a = Low16(std::int64_t{s1} * 10 + d1);
  cell->value_b = Low16(std::int64_t{s2} * 10 + d2);
  cell->value_c = Low16(std::int64_t{s3} * 10 + d3);
  if (tempo >= 1 && tempo <= 100) tempo = 101;
  cell->signal_time = sx == 2 ? Low8(tempo) : 0;
  for (std::int64_t k = 1; k <= 4; ++k) {
    TrackCell* approach = CellAt(cells, c - 2 * k);
    if (approach == nullptr) {
      return Outside(cells, d, posizione,
                     "the signal's approach code " + Metres(100 * k) + " before it falls in",
                     c - 2 * k);
    }
    approach->approach_code = Low8((std::int64_t{sx} * 3 + dx) * 10 + k);
  }
}

void memo_rallentamento(std::vector<TrackCell>& cells, Diagnostics& d, std::int32_t x,
                        std::int32_t v, std::int32_t l, std::int32_t f_tt, std::int32_t f_ta,
                        std::int32_t d_v) {
  const bool warned = x > 1500;
  if (!warned) f_ta = 0;
  // Every cell is tested, in this order, before any is written.
  const std::int64_t w = RoundHalfEven(std::int64_t{x} - 1150, 50);
  const std::int64_t s = CellOf(x);
  const std::int64_t e = CellOf(std::int64_t{x} + l);
  const struct {
    bool applies;
    std::int64_t index;
    DataError refusal;
    std::string what;
  } tests[] = {
      {warned, w, DataError::kWarningBoardCellTaken,
       "the slow-down's warning board 1200 m before it"},
      {true, s, DataError::kSlowDownStartCellTaken, "the slow-down's start"},
      {true, e, DataError::kSlowDownEndCellTaken, "the slow-down's end " + Metres(l) + " on"}};
  for (const auto& test : tests) {
    if (!test.applies) continue;
    const TrackCell* cell = CellAt(cells, test.index);
    if (cell == nullptr) return Outside(cells, d, x, test.what + " falls in", test.index);
    if (!IsFree(*cell)) return Taken(cells, d, test.refusal, x, test.what, test.index);
  }
  TrackCell& end = cells[static_cast<std::size_t>(e)];
  TrackCell& start = cells[static_cast<std::size_t>(s)];
  PutFeature(end, e, kSlowDownEnd, d);
  if (d_v != 0) end.value_b = Low16(d_v);
  PutFeature(start, s, kSlowDownStart, d);
  if (d_v != 0) start.value_b = Low16(d_v);
  if (warned) {
    TrackCell& warning = cells[static_cast<std::size_t>(w)];
    PutFeature(warning, w, kSlowDownWarning, d);
    if (d_v != 0) warning.value_b = Low16(d_v);
    warning.value_a = Low16(v);
  }
  for (TrackCell* cell : {&start, &end}) {
    cell->value_a = Low16(v);
    cell->value_c = Low16(f_tt);
  }
  if (f_ta == 0) return;

  const std::int64_t h = RoundHalfEven(std::int64_t{x} - 1200, 50);
  for (std::int64_t i = 0; i < 4; ++i) {
    const TrackCell* cell = CellAt(cells, h - i);
    const std::string what = "the slow-down's approach marker " + std::to_string(i + 1);
    if (cell == nullptr) return Outside(cells, d, x, what + " falls in", h - i);
    if (!IsFree(*cell)) {
      return Taken(cells, d, DataError::kApproachMarkerCellTaken, x, what, h - i);
    }
  }
  for (std::int64_t i = 0; i < 4; ++i) {
    TrackCell& marker = cells[static_cast<std::size_t>(h - i)];
    PutFeature(marker, h - i, kSlowDownApproach, d);
    marker.value_a = Low16(i + 1);
    if (d_v != 0) marker.value_b = Low16(i + 1);
  }
}

}  // namespace tarvosa
