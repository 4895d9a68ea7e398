#include "compiler/stores.h"

#include <algorithm>

#include "compiler/arithmetic.h"
#include "compiler/field_reader.h"

namespace tarvosa {
namespace {

constexpr std::int32_t kOutsideTheTrack = 15;

std::int16_t Low16(std::int64_t value) {
  return static_cast<std::int16_t>(value);
}
std::uint8_t Low8(std::int64_t value) {
  return static_cast<std::uint8_t>(value);
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

bool Refused(CompilerState& state, std::int32_t progressive) {
  if (state.error_code <= 0) return false;
  state.error_position = progressive;
  return true;
}

void progressive_ordina(CompilerState& state) {
  auto& h = state.header;
  const Reference tre = ReferenceOf(h[kReferenceTre], 3);
  const Reference due = ReferenceOf(h[kReferenceDue], 2);
  const Reference uno = ReferenceOf(h[kReferenceUno], 1);
  const std::int64_t sum = std::int64_t{tre.start} + due.start + uno.start;
  const auto ordered = sum != 0 ? OrderByStart({tre, due, uno}) : OrderByEnd(tre, due, uno);
  for (std::size_t i = 0; i < 3; ++i) {
    ScenarioEntry& entry = h[kReferenceTre + i];
    Store(entry, ordered[i]);
    if (entry.position == 1) {
      if (entry.end > INT32_MAX - 100) throw RuntimeFailure("a reference end too large");
      entry.end += 100;
    }
  }
}

void memo_montagna(CompilerState& state, std::int32_t inizio, std::int32_t fine,
                   std::int32_t& tipo) {
  const bool markers = tipo > 10;
  if (markers) tipo -= 10;
  if (state.span_count >= kMaxSpans) {
    state.RecordError(23);
    return;
  }
  const std::int32_t n = ++state.span_count;
  state.span_start[n] = inizio;
  state.span_end[n] = fine;
  if (n > 1 && std::int64_t{inizio} - state.span_end[n - 1] <= 150) tipo = 3;

  const std::int64_t first = RoundHalfEven(inizio, 50);
  const std::int64_t last = RoundHalfEven(std::int64_t{fine} - 50, 50);
  for (std::int64_t c = first; c <= last; ++c) {
    TrackCell* cell = state.Cell(c);
    if (cell == nullptr) {
      state.RecordError(kOutsideTheTrack);
      return;
    }
    cell->montagna_kind = Low8(tipo);
    if (markers && (c - first + 1) % 4 == 0 && cell->kind == kFree) cell->kind = kTunnelMarker;
  }
}

void memo_indicatori_v_max(CompilerState& state, std::int32_t posizione, std::int32_t vas,
                           std::int32_t vbs, std::int32_t vcs, std::int32_t strisces,
                           std::int32_t vad, std::int32_t vbd, std::int32_t vcd,
                           std::int32_t strisced) {
  TrackCell* cell = state.Cell(CellOf(posizione));
  if (cell == nullptr) {
    state.RecordError(kOutsideTheTrack);
    return;
  }
  if (!IsFree(*cell)) {
    state.RecordError(21);
    return;
  }
  // speed * 20 + d speed / 5, rounded: the same as (speed * 100 + d speed) / 5.
  state.PutFeature(*cell, CellOf(posizione), kSpeedBoard);
  cell->value_a = Low16(RoundHalfEven(std::int64_t{vas} * 100 + vad, 5));
  cell->value_b = Low16(RoundHalfEven(std::int64_t{vbs} * 100 + vbd, 5));
  cell->value_c = Low16(RoundHalfEven(std::int64_t{vcs} * 100 + vcd, 5));
  cell->value_d = Low16(std::int64_t{strisces} * 10 + strisced);
}

void memo_segnale(CompilerState& state, std::int32_t posizione, std::int32_t sx, std::int32_t s1,
                  std::int32_t s2, std::int32_t s3, std::int32_t rapp, std::int32_t dx,
                  std::int32_t d1, std::int32_t d2, std::int32_t d3, std::int32_t& tempo) {
  const std::int64_t c = CellOf(posizione);
  TrackCell* cell = state.Cell(c);
  if (cell == nullptr) {
    state.RecordError(kOutsideTheTrack);
    return;
  }
  if (!IsFree(*cell)) {
    state.RecordError(16);
    return;
  }
  state.PutFeature(*cell, c, kSignal);
  cell->value_d = Low16(std::int64_t{rapp} * 10 + std::int64_t{sx} * 3 + dx);
  cell->value_a = Low16(std::int64_t{s1} * 10 + d1);
  cell->value_b = Low16(std::int64_t{s2} * 10 + d2);
  cell->value_c = Low16(std::int64_t{s3} * 10 + d3);
  if (tempo >= 1 && tempo <= 100) tempo = 101;
  cell->signal_time = sx == 2 ? Low8(tempo) : 0;
  for (std::int64_t k = 1; k <= 4; ++k) {
    TrackCell* approach = state.Cell(c - 2 * k);
    if (approach == nullptr) {
      state.RecordError(kOutsideTheTrack);
      return;
    }
    approach->approach_code = Low8((std::int64_t{sx} * 3 + dx) * 10 + k);
  }
}

void memo_rallentamento(CompilerState& state, std::int32_t x, std::int32_t v, std::int32_t l,
                        std::int32_t f_tt, std::int32_t f_ta, std::int32_t d_v) {
  const bool warned = x > 1500;
  if (!warned) f_ta = 0;
  // Every cell is tested, in this order, before any is written.
  const std::int64_t w = RoundHalfEven(std::int64_t{x} - 1150, 50);
  const std::int64_t s = CellOf(x);
  const std::int64_t e = CellOf(std::int64_t{x} + l);
  const struct {
    bool applies;
    std::int64_t index;
    std::int32_t refusal;
  } tests[] = {{warned, w, 17}, {true, s, 18}, {true, e, 19}};
  for (const auto& test : tests) {
    if (!test.applies) continue;
    const TrackCell* cell = state.Cell(test.index);
    if (cell == nullptr || !IsFree(*cell)) {
      state.RecordError(cell == nullptr ? kOutsideTheTrack : test.refusal);
      return;
    }
  }
  TrackCell& end = *state.Cell(e);
  TrackCell& start = *state.Cell(s);
  state.PutFeature(end, e, kSlowDownEnd);
  if (d_v != 0) end.value_b = Low16(d_v);
  state.PutFeature(start, s, kSlowDownStart);
  if (d_v != 0) start.value_b = Low16(d_v);
  if (warned) {
    TrackCell& warning = *state.Cell(w);
    state.PutFeature(warning, w, kSlowDownWarning);
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
    const TrackCell* cell = state.Cell(h - i);
    if (cell == nullptr || !IsFree(*cell)) {
      state.RecordError(cell == nullptr ? kOutsideTheTrack : 20);
      return;
    }
  }
  for (std::int64_t i = 0; i < 4; ++i) {
    TrackCell& marker = *state.Cell(h - i);
    state.PutFeature(marker, h - i, kSlowDownApproach);
    marker.value_a = Low16(i + 1);
    if (d_v != 0) marker.value_b = Low16(i + 1);
  }
}

}  // namespace tarvosa
