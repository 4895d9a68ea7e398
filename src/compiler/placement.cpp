#include "compiler/placement.h"

#include "compiler/arithmetic.h"

namespace tarvosa {
namespace {

constexpr std::int16_t kPointSpeed = 180;
constexpr std::int64_t kOutside = -1;  // the kind of a cell outside the track

class Placement {
 public:
  explicit Placement(CompilerState& state) : s_(state) {}

  void Run() {
    const std::int64_t last = s_.last_cell() - 2;
    for (std::int64_t c = 1; c <= last; ++c) {
      if (Kind(c) == kSlowDownWarning) SignalsBeforeWarning(c);
      if (Kind(c) == kSlowDownStart) AroundZone(c);
    }
  }

 private:
  std::int64_t Kind(std::int64_t c) {
    const TrackCell* cell = s_.Cell(c);
    return cell == nullptr ? kOutside : cell->kind;
  }
  bool Free(std::int64_t c) {
    const TrackCell* cell = s_.Cell(c);
    return cell != nullptr && IsFree(*cell);
  }
  void Place(std::int64_t c) {
    TrackCell& cell = *s_.Cell(c);
    cell.kind = kBrakingPoint;
    cell.value_a = kPointSpeed;
  }
  void Record(std::int32_t code, std::int64_t cell) {
    s_.RecordError(code);
    s_.error_position = static_cast<std::int32_t>(cell * 50);
  }

  // Rule A: every signal within 20 cells before the warning board.
  void SignalsBeforeWarning(std::int64_t c) {
    for (std::int64_t k = 1; k <= 20 && c - k >= 3; ++k) {
      const std::int64_t s = c - k;
      if (Kind(s) == kSignal) PointInFrontOfSignal(s);
    }
  }

  void PointInFrontOfSignal(std::int64_t s) {
    for (const std::int64_t p : {s - 1, s - 2}) {
      if (Free(p)) return Place(p);
    }
    for (const std::int64_t p : {s - 1, s - 2}) {
      if (Kind(p) == kBrakingPoint) {
        TrackCell& cell = *s_.Cell(p);
        cell.value_a = minimo(kPointSpeed, cell.value_a);
        return;
      }
    }
    Record(11, s);
  }

  // Rule B: before the zone, inside a slow zone, and in front of the first
  // signal after it.
  void AroundZone(std::int64_t c) {
    PointsBeforeZone(c);
    const std::int64_t end = s_.Cell(c)->value_a < 110 ? RepeatPoints(c) : ZoneEnd(c);
    if (end == kOutside) return Record(15, c);
    PointBeforeNextSignal(end);
  }

  void PointsBeforeZone(std::int64_t c) {
    for (const std::int64_t nearest : {5, 11, 18}) {
      if (c <= nearest + 2) continue;
      bool placed = false;
      for (std::int64_t d = nearest; d <= nearest + 2 && !placed; ++d) {
        if (Free(c - d)) Place(c - d), placed = true;
      }
      if (!placed) Record(12, c);
    }
  }

  // A point every 8 cells, counted from the previous one wherever it landed.
  // Returns the zone's end cell, or kOutside when the track ends first.
  std::int64_t RepeatPoints(std::int64_t c) {
    std::int64_t counter = 0;
    for (std::int64_t k = c + 1;; ++k) {
      if (k > s_.last_cell()) return kOutside;
      if (++counter == 8) {
        if (Free(k)) {
          Place(k), counter = 0;
        } else if (Free(k - 1)) {
          Place(k - 1), counter = 1;
        } else if (Free(k + 1)) {
          Place(k + 1), counter = -1;
        } else {
          Record(13, k);
        }
      }
      if (Kind(k) == kSlowDownEnd) return k;
    }
  }

  std::int64_t ZoneEnd(std::int64_t c) {
    for (std::int64_t k = c + 1; k <= s_.last_cell(); ++k) {
      if (Kind(k) == kSlowDownEnd) return k;
    }
    return kOutside;
  }

  void PointBeforeNextSignal(std::int64_t end) {
    for (std::int64_t s = end; s <= end + 12; ++s) {
      if (Kind(s) != kSignal) continue;
      if (s - 1 <= 0) return;
      if (Free(s - 1)) return Place(s - 1);
      if (Free(s - 2)) return Place(s - 2);
      return Record(13, end);
    }
  }

  CompilerState& s_;
};

}  // namespace

void PlaceBrakingPoints(CompilerState& state) {
  Placement(state).Run();
}

}  // namespace tarvosa
