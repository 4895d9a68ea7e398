#include "compiler/internal/placement.h"

#include "compiler/internal/arithmetic.h"
#include "compiler/messages.h"
#include "compiler/stored_views.h"

namespace tarvosa {
namespace {

constexpr std::int64_t kOutside = -1;  // the kind of a cell outside the track

class Placement {
 public:
  Placement(std::vector<TrackCell>& cells, Diagnostics& diagnostics)
      : cells_(cells), d_(diagnostics) {}

  void Run() {
    const std::int64_t last = LastCell(cells_) - 2;
    for (std::int64_t c = 1; c <= last; ++c) {
      if (Kind(c) == kSlowDownWarning) SignalsBeforeWarning(c);
      if (Kind(c) == kSlowDownStart) AroundZone(c);
    }
  }

 private:
  std::int64_t Kind(std::int64_t c) {
    const TrackCell* cell = CellAt(cells_, c);
    return cell == nullptr ? kOutside : cell->kind;
  }
  bool Free(std::int64_t c) {
    const TrackCell* cell = CellAt(cells_, c);
    return cell != nullptr && IsFree(*cell);
  }
  void Place(std::int64_t c) {
    TrackCell& cell = *CellAt(cells_, c);
    cell.kind = kBrakingPoint;
    BrakingPointCell{cell}.speed = kAutomaticPointSpeed;
  }
  // Records `error` at the record of the feature in cell `feature`; the
  // position is cell `cell`'s.
  void Record(DataError error, std::int64_t feature, std::int64_t cell, std::string detail) {
    d_.Record(error, d_.OriginOf(feature), std::move(detail), static_cast<std::int32_t>(cell * 50));
  }
  // "a signal" or "nothing": what cell `c` holds, for messages.
  std::string Holds(std::int64_t c) {
    const std::int64_t kind = Kind(c);
    if (kind == kOutside) return "lies outside the track";
    return "holds a " + std::string(CellKindName(static_cast<std::uint8_t>(kind)));
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
        BrakingPointCell point(*CellAt(cells_, p));
        point.speed = minimo(kAutomaticPointSpeed, std::int16_t{point.speed});
        return;
      }
    }
    Record(DataError::kNoRoomBeforeSignal, s, s,
           "the two cells in front of the signal in " + CellText(s) + " are taken: " +
               CellText(s - 1) + " " + Holds(s - 1) + ", " + CellText(s - 2) + " " + Holds(s - 2));
  }

  // Rule B: before the zone, inside a slow zone, and in front of the first
  // signal after it.
  void AroundZone(std::int64_t c) {
    PointsBeforeZone(c);
    const SlowDownCell start(*CellAt(cells_, c));
    const std::int64_t end = start.speed < 110 ? RepeatPoints(c) : ZoneEnd(c);
    if (end == kOutside) {
      return Record(DataError::kOutsideTheTrack, c, c,
                    "the slow zone that starts in " + CellText(c) +
                        " has no end before the end of the track");
    }
    PointBeforeNextSignal(c, end);
  }

  void PointsBeforeZone(std::int64_t c) {
    for (const std::int64_t nearest : {5, 11, 18}) {
      if (c <= nearest + 2) continue;
      bool placed = false;
      for (std::int64_t d = nearest; d <= nearest + 2 && !placed; ++d) {
        if (Free(c - d)) Place(c - d), placed = true;
      }
      if (!placed) {
        Record(DataError::kNoRoomBeforeSlowDown, c, c,
               "none of the cells " + std::to_string(50 * nearest) + " to " +
                   std::to_string(50 * (nearest + 2)) + " m before the slow-down's start in " +
                   CellText(c) + " is free");
      }
    }
  }

  // A point every 8 cells, counted from the previous one wherever it landed.
  // Returns the zone's end cell, or kOutside when the track ends first.
  std::int64_t RepeatPoints(std::int64_t c) {
    std::int64_t counter = 0;
    for (std::int64_t k = c + 1;; ++k) {
      if (k > LastCell(cells_)) return kOutside;
      if (++counter == 8) {
        if (Free(k)) {
          Place(k), counter = 0;
        } else if (Free(k - 1)) {
          Place(k - 1), counter = 1;
        } else if (Free(k + 1)) {
          Place(k + 1), counter = -1;
        } else {
          Record(
              DataError::kNoRoomInSlowZone, c, k,
              "the repeat point due in " + CellText(k) + " finds it and both its neighbours taken");
        }
      }
      if (Kind(k) == kSlowDownEnd) return k;
    }
  }

  std::int64_t ZoneEnd(std::int64_t c) {
    for (std::int64_t k = c + 1; k <= LastCell(cells_); ++k) {
      if (Kind(k) == kSlowDownEnd) return k;
    }
    return kOutside;
  }

  void PointBeforeNextSignal(std::int64_t c, std::int64_t end) {
    for (std::int64_t s = end; s <= end + 12; ++s) {
      if (Kind(s) != kSignal) continue;
      if (s - 1 <= 0) return;
      if (Free(s - 1)) return Place(s - 1);
      if (Free(s - 2)) return Place(s - 2);
      return Record(DataError::kNoRoomInSlowZone, c, end,
                    "the two cells in front of the signal in " + CellText(s) +
                        " after the slow zone are taken: " + CellText(s - 1) + " " + Holds(s - 1) +
                        ", " + CellText(s - 2) + " " + Holds(s - 2));
    }
  }

  std::vector<TrackCell>& cells_;
  Diagnostics& d_;
};

}  // namespace

void PlaceBrakingPoints(std::vector<TrackCell>& cells, Diagnostics& diagnostics) {
  Placement(cells, diagnostics).Run();
}

}  // namespace tarvosa
