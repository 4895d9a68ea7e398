#include "compiler/internal/stores.h"

#include <algorithm>

#include "compiler/internal/arithmetic.h"
#include "compiler/internal/field_reader.h"
#include "compiler/internal/lint.h"
#include "compiler/messages.h"
#include "compiler/stored_views.h"

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

}  // namespace

bool Refused(Diagnostics& diagnostics, std::int32_t progressive) {
  if (!diagnostics.HasError()) return false;
  // Reading on, an error left by an earlier record refuses nothing.
  if (diagnostics.read_on() && diagnostics.error().record != diagnostics.record) return false;
  diagnostics.MovePosition(progressive);
  return true;
}

void PutFeature(TrackCell& cell, std::int64_t index, std::uint8_t kind, Diagnostics& d) {
  if (cell.kind != kFree) lint::Replaced(d, d.record, index, cell.kind, kind);
  cell.kind = kind;
  d.NoteOrigin(index, d.record);
}

void memo_montagna(std::vector<TrackCell>& cells, SpanTable& spans, Diagnostics& d,
                   std::int32_t inizio, std::int32_t fine, std::int32_t& tipo) {
  const SpanType written = SpanTypeOf(tipo);
  tipo = static_cast<std::int32_t>(written.type);
  if (spans.count >= kMaxTunnelSpans) {
    d.Record(DataError::kTooManyTunnelSpans, d.record,
             "this is span " + std::to_string(spans.count + 1), inizio);
    return;
  }
  const std::int32_t n = ++spans.count;
  spans.start[n] = inizio;
  spans.end[n] = fine;
  if (n > 1 && SpanFollowsClosely(inizio, spans.end[n - 1])) tipo = kCloseSpanType;

  const std::int64_t first = SpanFirstCell(inizio);
  const std::int64_t last = SpanLastCell(fine);
  for (std::int64_t c = first; c <= last; ++c) {
    TrackCell* cell = CellAt(cells, c);
    if (cell == nullptr) {
      return Outside(cells, d, inizio,
                     "the tunnel span from " + Metres(inizio) + " to " + Metres(fine) + " reaches",
                     c);
    }
    cell->montagna_kind = Low8(tipo);
    if (written.markers && IsSpanMarkerCell(first, c) && cell->kind == kFree) {
      cell->kind = kTunnelMarker;
    }
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
  PutFeature(*cell, c, kSpeedBoard, d);
  BoardCell board(*cell);
  board.first_speeds = Low16(BoardSpeedValue(vas, vad));
  board.second_speeds = Low16(BoardSpeedValue(vbs, vbd));
  board.third_speeds = Low16(BoardSpeedValue(vcs, vcd));
  board.stripes = Low16(BoardStripesValue(strisces, strisced));
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
  SignalCell signal(*cell);
  signal.rapp_sx_dx = Low16(SignalCodeValue(rapp, sx, dx));
  signal.s1_d1 = Low16(SignalPairValue(s1, d1));
  signal.s2_d2 = Low16(SignalPairValue(s2, d2));
  signal.s3_d3 = Low16(SignalPairValue(s3, d3));
  tempo = static_cast<std::int32_t>(RaisedSignalTime(tempo));
  signal.time = StoredSignalTime(sx, tempo);
  for (std::int64_t k = 1; k <= kApproachCodes; ++k) {
    const std::int64_t at = SignalApproachCell(c, k);
    TrackCell* approach = CellAt(cells, at);
    if (approach == nullptr) {
      return Outside(cells, d, posizione,
                     "the signal's approach code " + Metres(100 * k) + " before it falls in", at);
    }
    approach->approach_code = SignalApproachCode(SignalApproach(sx, dx), k);
  }
}

void memo_rallentamento(std::vector<TrackCell>& cells, Diagnostics& d, std::int32_t x,
                        std::int32_t v, std::int32_t l, std::int32_t f_tt, std::int32_t f_ta,
                        std::int32_t d_v) {
  const bool warned = HasWarningBoard(x);
  if (!warned) f_ta = 0;
  // Every cell is tested, in this order, before any is written.
  const std::int64_t w = WarningBoardCell(x);
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
  if (d_v != 0) SlowDownCell{end}.d_v = Low16(d_v);
  PutFeature(start, s, kSlowDownStart, d);
  if (d_v != 0) SlowDownCell{start}.d_v = Low16(d_v);
  if (warned) {
    TrackCell& cell = cells[static_cast<std::size_t>(w)];
    PutFeature(cell, w, kSlowDownWarning, d);
    SlowDownCell warning(cell);
    if (d_v != 0) warning.d_v = Low16(d_v);
    warning.speed = Low16(v);
  }
  for (TrackCell* cell : {&start, &end}) {
    SlowDownCell zone(*cell);
    zone.speed = Low16(v);
    zone.f_tt = Low16(f_tt);
  }
  if (f_ta == 0) return;

  for (std::int64_t number = 1; number <= 4; ++number) {
    const std::int64_t at = SlowDownMarkerCell(x, number);
    const TrackCell* cell = CellAt(cells, at);
    const std::string what = "the slow-down's approach marker " + std::to_string(number);
    if (cell == nullptr) return Outside(cells, d, x, what + " falls in", at);
    if (!IsFree(*cell)) return Taken(cells, d, DataError::kApproachMarkerCellTaken, x, what, at);
  }
  for (std::int64_t number = 1; number <= 4; ++number) {
    const std::int64_t at = SlowDownMarkerCell(x, number);
    TrackCell& cell = cells[static_cast<std::size_t>(at)];
    PutFeature(cell, at, kSlowDownApproach, d);
    ApproachMarkerCell marker(cell);
    marker.number = Low16(number);
    if (d_v != 0) marker.d_v_number = Low16(number);
  }
}

}  // namespace tarvosa
