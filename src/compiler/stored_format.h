// How the compiled files keep what the two text files say: which cell a
// feature lands in, what a value becomes when it is kept in fewer bits or
// coarser steps, and how several fields share one stored value. The
// compiler stores by these rules; everything that reads the compiled files
// back (the decompiler, the authors' tool) reads by them.
//
// All of it is exact integer arithmetic on 64 bits: no quotient is ever a
// floating-point number.
#pragma once

#include <cstdint>

namespace tarvosa {

// R(numerator / denominator): the nearest whole number, an exact half going
// to the even neighbour (R(24.5) = 24, R(25.5) = 26). The denominator is
// positive.
constexpr std::int64_t RoundHalfEven(std::int64_t numerator, std::int64_t denominator) {
  std::int64_t quotient = numerator / denominator;
  std::int64_t remainder = numerator % denominator;
  if (remainder < 0) {  // make it the floor
    quotient -= 1;
    remainder += denominator;
  }
  const std::int64_t twice = 2 * remainder;
  if (twice > denominator || (twice == denominator && quotient % 2 != 0)) quotient += 1;
  return quotient;
}

// The floor of a / b and what is left over, b positive: how a value packed
// as high × b + low is taken apart again, negative values included.
constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}
constexpr std::int64_t FloorMod(std::int64_t a, std::int64_t b) {
  return a - FloorDiv(a, b) * b;
}

// Two fields kept in one value.
struct FieldPair {
  std::int64_t left = 0;
  std::int64_t right = 0;
  friend bool operator==(const FieldPair&, const FieldPair&) = default;
};

// ---- Cells, metres and the line's extent ----

// The track and the plan run this far past the line's end.
inline constexpr std::int64_t kTrackBeyondLine = 7000;
// The longest line a scenario may have.
inline constexpr std::int64_t kLongestLine = 1000000;

// The cell of a feature at progressive p (signals, boards, slow-downs,
// text boards): R(p / 50 + 1).
constexpr std::int64_t CellOf(std::int64_t progressive) {
  return RoundHalfEven(progressive + 50, 50);
}
// The cell of a profile record (gradient, line speed, adhesion) or of a
// braking point of the train file: R(p / 50).
constexpr std::int64_t ProfileCellOf(std::int64_t progressive) {
  return RoundHalfEven(progressive, 50);
}
// The progressive a feature in `cell` is written at, and a profile record.
constexpr std::int64_t FeatureProgressive(std::int64_t cell) {
  return 50 * (cell - 1);
}
constexpr std::int64_t ProfileProgressive(std::int64_t cell) {
  return 50 * cell;
}

// U, the last cell of a line of `length` metres, and N, the plan's last row.
constexpr std::int64_t LastCellFor(std::int64_t length) {
  return RoundHalfEven(length + kTrackBeyondLine, 50);
}
constexpr std::int64_t PlanLastRowFor(std::int64_t length) {
  return length + kTrackBeyondLine;
}

// ---- Profiles: one byte a cell ----

// Line speeds are kept in km/h divided by 5, to the nearest step (the
// result may not fit the byte; the reader checks).
constexpr std::int64_t LineSpeedStep(std::int64_t kmh) {
  return RoundHalfEven(kmh, 5);
}
constexpr std::int64_t LineSpeedKmh(std::uint8_t stored) {
  return std::int64_t{stored} * 5;
}
// Gradients are kept plus 100, in the low 8 bits.
constexpr std::uint8_t StoredGradient(std::int64_t per_mille) {
  return static_cast<std::uint8_t>(per_mille + 100);
}
constexpr std::int64_t GradientPerMille(std::uint8_t stored) {
  return std::int64_t{stored} - 100;
}

// ---- Speed-indicator boards ----

// Each speed pair is kept as left × 20 + right ÷ 5, rounded: the same as
// (left × 100 + right) / 5. The stripes as left × 10 + right.
constexpr std::int64_t BoardSpeedValue(std::int64_t left, std::int64_t right) {
  return RoundHalfEven(left * 100 + right, 5);
}
constexpr FieldPair BoardSpeedsOf(std::int64_t stored) {
  return {FloorDiv(stored, 20), FloorMod(stored, 20) * 5};
}
constexpr std::int64_t BoardStripesValue(std::int64_t left, std::int64_t right) {
  return left * 10 + right;
}
constexpr FieldPair BoardStripesOf(std::int64_t stored) {
  return {FloorDiv(stored, 10), FloorMod(stored, 10)};
}

// ---- Signals ----

// The fields s1 and d1 (s2 and d2, s3 and d3) are kept as s × 10 + d.
constexpr std::int64_t SignalPairValue(std::int64_t s, std::int64_t d) {
  return s * 10 + d;
}
constexpr FieldPair SignalPairOf(std::int64_t stored) {
  return {FloorDiv(stored, 10), FloorMod(stored, 10)};
}
// sx × 3 + dx: what the signal's approach codes carry.
constexpr std::int64_t SignalApproach(std::int64_t sx, std::int64_t dx) {
  return sx * 3 + dx;
}
// rapp, sx and dx are kept as rapp × 10 + sx × 3 + dx.
constexpr std::int64_t SignalCodeValue(std::int64_t rapp, std::int64_t sx, std::int64_t dx) {
  return rapp * 10 + SignalApproach(sx, dx);
}

// A time from 1 to 100 is raised to 101; only a signal whose sx is 2
// keeps its time, in one byte.
inline constexpr std::int64_t kRaisedSignalTime = 101;
constexpr bool IsRaisedSignalTime(std::int64_t time) {
  return time >= 1 && time <= 100;
}
constexpr std::int64_t RaisedSignalTime(std::int64_t time) {
  return IsRaisedSignalTime(time) ? kRaisedSignalTime : time;
}
constexpr bool KeepsSignalTime(std::int64_t sx) {
  return sx == 2;
}
constexpr std::uint8_t StoredSignalTime(std::int64_t sx, std::int64_t time) {
  return KeepsSignalTime(sx) ? static_cast<std::uint8_t>(RaisedSignalTime(time)) : 0;
}

// Approach code k (1 to 4) of a signal stands 2k cells (100 × k m) before
// it and holds (sx × 3 + dx) × 10 + k, in the low 8 bits.
inline constexpr std::int64_t kApproachCodes = 4;
constexpr std::int64_t SignalApproachCell(std::int64_t signal_cell, std::int64_t k) {
  return signal_cell - 2 * k;
}
constexpr std::uint8_t SignalApproachCode(std::int64_t approach, std::int64_t k) {
  return static_cast<std::uint8_t>(approach * 10 + k);
}

// ---- Stations ----

// The stretch a station occupies, from its type, progressive p, length L
// and extension flag: types 5 and 6 from p − L to p + 150, types 7 and 8
// from p − L to p + L, the others from p − L / 2 to p + L / 2, 50 m longer
// with the extension flag.
struct StationStretch {
  std::int64_t start = 0;
  std::int64_t end = 0;
  friend bool operator==(const StationStretch&, const StationStretch&) = default;
};
constexpr StationStretch StretchOf(std::int64_t type, std::int64_t position, std::int64_t length,
                                   bool extended) {
  if (type == 5 || type == 6) return {position - length, position + 150};
  if (type == 7 || type == 8) return {position - length, position + length};
  return {position - length / 2, position + length / 2 + (extended ? 50 : 0)};
}
// Types 5 and 6 set their end before their start; the others the start
// first.
constexpr bool StretchEndComesFirst(std::int64_t type) {
  return type == 5 || type == 6;
}
// Types 5 to 8 have no extension: their flag is cleared.
constexpr bool StretchClearsExtension(std::int64_t type) {
  return type >= 5 && type <= 8;
}
// A station below 600 m, and the first station, keep no field 5.
inline constexpr std::int64_t kShortestStationWithField5 = 600;

// A station of a type below 25 stops in the cell before its stretch's end,
// R(end / 50 − 1); but for types 5 and 6 it has four approach codes, 81 to
// 84, in the cells R(end / 50 − k − 1) before it (only where that is above
// cell 1).
constexpr bool HasStopCell(std::int64_t type) {
  return type < 25;
}
constexpr bool HasStationApproachCodes(std::int64_t type) {
  return HasStopCell(type) && type != 5 && type != 6;
}
constexpr std::int64_t StopCellOf(std::int64_t end) {
  return RoundHalfEven(end - 50, 50);
}
constexpr std::int64_t StationApproachCell(std::int64_t end, std::int64_t k) {
  return RoundHalfEven(end - 50 * (k + 1), 50);
}
constexpr std::uint8_t StationApproachCode(std::int64_t k) {
  return static_cast<std::uint8_t>(80 + k);
}
// Stations stand at least this far after the end of the one before.
inline constexpr std::int64_t kStationGap = 350;

// ---- Tunnel spans ----

inline constexpr std::int32_t kMaxTunnelSpans = 80;

// A type above 10 stands for type − 10 with markers.
struct SpanType {
  std::int64_t type = 0;
  bool markers = false;
};
constexpr SpanType SpanTypeOf(std::int64_t tipo) {
  return tipo > 10 ? SpanType{tipo - 10, true} : SpanType{tipo, false};
}
constexpr std::int64_t WrittenSpanType(std::int64_t type, bool markers) {
  return markers ? type + 10 : type;
}
// A span that begins at most 150 m after the previous one ends gets type 3.
inline constexpr std::int64_t kCloseSpanType = 3;
constexpr bool SpanFollowsClosely(std::int64_t inizio, std::int64_t previous_fine) {
  return inizio - previous_fine <= 150;
}
// A span covers the cells R(inizio / 50) to R(fine / 50 − 1); a marker
// goes into every fourth of them that is free (the 4th, 8th, ...).
constexpr std::int64_t SpanFirstCell(std::int64_t inizio) {
  return RoundHalfEven(inizio, 50);
}
constexpr std::int64_t SpanLastCell(std::int64_t fine) {
  return RoundHalfEven(fine - 50, 50);
}
constexpr bool IsSpanMarkerCell(std::int64_t first, std::int64_t cell) {
  return (cell - first + 1) % 4 == 0;
}

// ---- Slow-downs ----

// A slow-down starting beyond 1500 m has a warning board 1200 m before it,
// in cell R((x − 1200) / 50 + 1), and may have four approach markers,
// numbered 1 to 4 backwards from R((x − 1200) / 50).
constexpr bool HasWarningBoard(std::int64_t x) {
  return x > 1500;
}
constexpr std::int64_t WarningBoardCell(std::int64_t x) {
  return CellOf(x - 1200);
}
constexpr std::int64_t SlowDownMarkerCell(std::int64_t x, std::int64_t number) {
  return RoundHalfEven(x - 1200, 50) - (number - 1);
}

// ---- Braking points, markers and the plan's elements ----

// The speed of the braking points the compiler places itself.
inline constexpr std::int16_t kAutomaticPointSpeed = 180;

// Stamped into cell 1 and the route entry: where they stand, the files
// are a compiled scenario.
inline constexpr std::int16_t kTrackMarker = 5121;
inline constexpr std::int16_t kRouteMarker = 610;

// The tag before each element of the plan.
inline constexpr std::uint16_t kPlanEmpty = 0;
inline constexpr std::uint16_t kPlanInteger = 2;
inline constexpr std::uint16_t kPlanReal = 5;

}  // namespace tarvosa
