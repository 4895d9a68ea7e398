#include "compiler/station_reader.h"

#include <optional>
#include <string>

#include "compiler/arithmetic.h"
#include "compiler/lint.h"
#include "compiler/messages.h"
#include "compiler/stores.h"

namespace tarvosa {
namespace {

// The stretch of the station in `entry` and what it places on the track.
class StationStretch : RecordReader {
 public:
  StationStretch(const RecordReader& reader, std::int32_t& station, ScenarioEntry& entry)
      : RecordReader(reader), station_(station), entry_(entry) {}

  TrainNext Run(std::int64_t length) {
    Compute(length);
    if (const TrainNext next = PlaceOnTrack(); next != TrainNext::kGoOn) return next;
    return NextStation();
  }

 private:
  // The stretch from the station's type, length and extension flag.
  void Compute(std::int64_t length) {
    const std::int64_t p = entry_.position;
    if (entry_.kind == 5 || entry_.kind == 6) {
      start_ = p - length, end_ = p + 150, entry_.byte_c = 0;
    } else if (entry_.kind == 7 || entry_.kind == 8) {
      start_ = p - length, end_ = p + length, entry_.byte_c = 0;
    } else {
      start_ = p - length / 2, end_ = p + length / 2 + (entry_.byte_c != 0 ? 50 : 0);
    }
    for (const std::int64_t edge : {start_, end_}) {
      if (edge < INT32_MIN || edge > INT32_MAX) {
        throw RuntimeFailure("the station's stretch runs from " + Metres(start_) + " to " +
                                 Metres(end_) + ", beyond what a signed 32-bit number holds",
                             d.record.offset);
      }
    }
    entry_.start = static_cast<std::int32_t>(start_);
    entry_.end = static_cast<std::int32_t>(end_);
    WarnPastTheLine("the station", entry_.position, end_);
    if (length < 600) entry_.byte_d = 0;
    if (station_ == 1) entry_.byte_d = 0, entry_.byte_c = 0;
  }

  // Types below 25 stop in the cell before the stretch's end, and but for
  // types 5 and 6 have four approach codes before it.
  TrainNext PlaceOnTrack() {
    if (entry_.kind >= 25) return TrainNext::kGoOn;
    const std::string stretch = "the station's stretch ends at " + Metres(end_) + ", ";
    for (std::int64_t k = 1; k <= 4 && entry_.kind != 5 && entry_.kind != 6; ++k) {
      const std::int64_t x = RoundHalfEven(end_ - 50 * (k + 1), 50);
      if (x <= 1) continue;
      TrackCell* cell = CellAt(cells(), x);
      if (cell == nullptr) {
        return Record(DataError::kOutsideTheTrack,
                      stretch + "so an approach code falls in " + OutsideText(cells(), x),
                      entry_.position, TrainNext::kEndRead);
      }
      cell->approach_code = static_cast<std::uint8_t>(80 + k);
    }
    const std::int64_t y = RoundHalfEven(end_ - 50, 50);
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
    cell->value_a = static_cast<std::int16_t>(station_);
    return TrainNext::kGoOn;
  }

  // Stations stand 350 m apart at least, and below the board texts.
  TrainNext NextStation() {
    if (station_ > 1) {
      const std::int32_t previous_end = out.header[static_cast<std::size_t>(station_ - 1)].end;
      if (start_ - 350 < previous_end) {
        return Record(DataError::kStationTooClose,
                      "its stretch begins at " + Metres(start_) + ", less than 350 m after " +
                          Metres(previous_end) + ", where the station before ends",
                      entry_.position, TrainNext::kStop);
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
  std::int64_t start_ = 0;
  std::int64_t end_ = 0;
};

}  // namespace

TrainNext ReadStation(RecordReader& r, std::int32_t& station) {
  ScenarioEntry& entry = r.out.header[static_cast<std::size_t>(station)];
  const std::int32_t position = r.ReadProgressive("the station's progressive");
  entry.position = position;
  if (!r.InRange(position, 800, "the station")) return TrainNext::kEndRead;
  if (position % 50 != 0) {
    r.d.Record(DataError::kStationOffCell, r.d.record, NotAMultipleText(position, 50), position);
    return TrainNext::kStop;
  }
  entry.kind = r.in.ReadByte("the station's type");
  const std::int32_t length = r.in.ReadInt32("the station's length");
  if (length <= 0) {
    r.d.Warn(r.Here(), "a station of length " + Metres(length) + " has no stretch to stop in");
  }
  if (length % 100 != 0) {
    r.d.Record(DataError::kStationLength, r.Here(), NotAMultipleText(length, 100), position);
    return TrainNext::kStop;
  }
  entry.flag_a = r.in.ReadByte("the station's field 4");
  entry.byte_d = r.in.ReadByte("the station's field 5");
  entry.byte_c = r.in.ReadByte("the station's extension flag");
  entry.word_a = r.in.ReadInt16("the station's field 7");
  entry.word_b = r.in.ReadInt16("the station's field 8");
  entry.byte_a = r.in.ReadByte("the station's field 9");
  entry.word_c = r.in.ReadInt16("the station's field 10");
  entry.word_d = r.in.ReadInt16("the station's field 11");
  entry.word_e = r.in.ReadInt16("the station's field 12");
  entry.byte_b = r.in.ReadByte("the station's field 13");
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
  entry.name = name;
  const std::int64_t time = (hours * 60 + minutes) * 60 + seconds;
  if (time < INT32_MIN || time > INT32_MAX) {
    throw RuntimeFailure("the station's time, " + std::to_string(time) +
                             " seconds, does not fit a signed 32-bit number",
                         time_at);
  }
  entry.time = static_cast<std::int32_t>(time);
  return StationStretch(r, station, entry).Run(length);
}

}  // namespace tarvosa
