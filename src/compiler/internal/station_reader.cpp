#include "compiler/internal/station_reader.h"

#include <optional>
#include <string>
#include <utility>

#include "compiler/internal/arithmetic.h"
#include "compiler/internal/lint.h"
#include "compiler/internal/stores.h"
#include "compiler/messages.h"
#include "compiler/stored_views.h"

namespace tarvosa {
namespace {

// The stretch of the station in `entry` and what it places on the track.
class StretchPlacement : RecordReader {
 public:
  StretchPlacement(const RecordReader& reader, std::int32_t& station, ScenarioEntry& entry,
                   const SourceLocation& before)
      : RecordReader(reader), station_(station), entry_(entry), before_(before) {}

  TrainNext Run(std::int64_t length) {
    Compute(length);
    if (const TrainNext next = PlaceOnTrack(); next != TrainNext::kGoOn) return next;
    return NextStation();
  }

 private:
  // The stretch from the station's type, length and extension flag. Its
  // two ends are stored one after the other, each once it is known to fit;
  // a failure leaves the one stored before it.
  void Compute(std::int64_t length) {
    StationEntry station(entry_);
    const StationStretch stretch =
        StretchOf(station.type, station.position, length, station.extension != 0);
    start_ = stretch.start, end_ = stretch.end;
    if (StretchEndComesFirst(station.type)) {
      StoreEdge(station.end, end_);
      StoreEdge(station.start, start_);
    } else {
      StoreEdge(station.start, start_);
      StoreEdge(station.end, end_);
    }
    if (StretchClearsExtension(station.type)) station.extension = 0;
    WarnPastTheLine("the station", station.position, end_);
    if (length < kShortestStationWithField5) station.field_5 = 0;
    if (station_ == 1) station.field_5 = 0, station.extension = 0;
  }

  void StoreEdge(std::int32_t& stored, std::int64_t edge) {
    if (edge < INT32_MIN || edge > INT32_MAX) {
      throw RuntimeFailure("the station's stretch runs from " + Metres(start_) + " to " +
                               Metres(end_) + ", beyond what a signed 32-bit number holds",
                           d.record.offset);
    }
    stored = static_cast<std::int32_t>(edge);
  }

  // Types below 25 stop in the cell before the stretch's end, and but for
  // types 5 and 6 have four approach codes before it.
  TrainNext PlaceOnTrack() {
    const std::int64_t type = entry_.kind;
    if (!HasStopCell(type)) return TrainNext::kGoOn;
    const std::string stretch = "the station's stretch ends at " + Metres(end_) + ", ";
    for (std::int64_t k = 1; k <= kApproachCodes && HasStationApproachCodes(type); ++k) {
      const std::int64_t x = StationApproachCell(end_, k);
      if (x <= 1) continue;
      TrackCell* cell = CellAt(cells(), x);
      if (cell == nullptr) {
        return Record(DataError::kOutsideTheTrack,
                      stretch + "so an approach code falls in " + OutsideText(cells(), x),
                      entry_.position, TrainNext::kEndRead);
      }
      cell->approach_code = StationApproachCode(k);
    }
    const std::int64_t y = StopCellOf(end_);
    if (y <= 1) {
      return Record(DataError::kStationAtTheOrigin,
                    stretch + "so its stop cell would be cell " + std::to_string(y), std::nullopt,
                    TrainNext::kStop);
    }
    TrackCell* cell = CellAt(cells(), y);
    if (cell == nullptr) {
      return Record(DataError::kOutsideTheTrack,
                    stretch + "so its stop cell falls in " + OutsideText(cells(), y),
                    entry_.position, TrainNext::kEndRead);
    }
    PutFeature(*cell, y, kStationStop, d);
    StationStopCell{* cell}.station = static_cast<std::int16_t>(station_);
    return TrainNext::kGoOn;
  }

  // Stations stand 350 m apart at least, and below the board texts.
  TrainNext NextStation() {
    if (station_ > 1) {
      const std::int32_t previous_end = out.header[static_cast<std::size_t>(station_ - 1)].end;
      if (start_ - kStationGap < previous_end) {
        Record(DataError::kStationTooClose,
               "its stretch begins at " + Metres(start_) + ", less than 350 m after " +
                   Metres(previous_end) + ", where the station before ends",
               entry_.position, TrainNext::kStop);
        // The station read before, refused, may be the one meant.
        if (const Diagnostic* before = d.ErrorOfRecord(before_)) d.MarkFollows(before->at);
        return TrainNext::kStop;
      }
    }
    ++station_;
    if (station_ >= scratch.board_slot) {
      return Record(DataError::kTooManyStations,
                    "this is station " + std::to_string(station_ - 1) +
                        ", and the line's text boards take the entries from " +
                        std::to_string(scratch.board_slot + 1) + " up",
                    std::nullopt, TrainNext::kStop);
    }
    return TrainNext::kGoOn;
  }

  TrainNext Record(DataError error, std::string detail, std::optional<std::int32_t> position,
                   TrainNext next) {
    d.Record(error, d.record, std::move(detail), position);
    return next;
  }

  std::int32_t& station_;
  ScenarioEntry& entry_;
  SourceLocation before_;  // the station record read before this one
  std::int64_t start_ = 0;
  std::int64_t end_ = 0;
};

}  // namespace

TrainNext ReadStation(RecordReader& r, std::int32_t& station) {
  ScenarioEntry& entry = r.out.header[static_cast<std::size_t>(station)];
  StationEntry fields(entry);
  const std::int32_t position = r.ReadProgressive("the station's progressive");
  const SourceLocation before = std::exchange(r.scratch.last_station, r.d.record);
  fields.position = position;
  if (!r.InRange(position, 800, "the station")) return TrainNext::kEndRead;
  if (position % 50 != 0) {
    r.d.Record(DataError::kStationOffCell, r.d.record, NotAMultipleText(position, 50), position);
    return TrainNext::kStop;
  }
  fields.type = r.in.ReadByte("the station's type");
  const std::int32_t length = r.in.ReadInt32("the station's length");
  if (length <= 0) {
    r.d.Warn(r.Here(), [&] {
      return "a station of length " + Metres(length) + " has no stretch to stop in";
    });
  }
  if (length % 100 != 0) {
    r.d.Record(DataError::kStationLength, r.Here(), NotAMultipleText(length, 100), position);
    return TrainNext::kStop;
  }
  fields.field_4 = r.in.ReadByte("the station's field 4");
  fields.field_5 = r.in.ReadByte("the station's field 5");
  fields.extension = r.in.ReadByte("the station's extension flag");
  fields.field_7 = r.in.ReadInt16("the station's field 7");
  fields.field_8 = r.in.ReadInt16("the station's field 8");
  fields.field_9 = r.in.ReadByte("the station's field 9");
  fields.field_10 = r.in.ReadInt16("the station's field 10");
  fields.field_11 = r.in.ReadInt16("the station's field 11");
  fields.field_12 = r.in.ReadInt16("the station's field 12");
  fields.field_13 = r.in.ReadByte("the station's field 13");
  const std::int64_t hours = r.in.ReadInt32("the station's hours");
  const std::int64_t time_at = r.in.field_start();
  const std::int64_t minutes = r.in.ReadInt32("the station's minutes");
  const std::int64_t seconds = r.in.ReadInt32("the station's seconds");
  const std::string_view name = r.in.ReadText("the station's name");
  lint::Text(r.d, r.Here(), name);
  r.scratch.previous_station = name;
  if (name.size() > kLongestName) {
    throw RuntimeFailure("the station's name is " + std::to_string(name.size()) +
                             " characters long; a name holds at most 65535",
                         r.in.field_start());
  }
  fields.name = name;
  const std::int64_t time = (hours * 60 + minutes) * 60 + seconds;
  if (time < INT32_MIN || time > INT32_MAX) {
    throw RuntimeFailure("the station's time, " + std::to_string(time) +
                             " seconds, does not fit a signed 32-bit number",
                         time_at);
  }
  fields.time = static_cast<std::int32_t>(time);
  return StretchPlacement(r, station, entry, before).Run(length);
}

}  // namespace tarvosa
