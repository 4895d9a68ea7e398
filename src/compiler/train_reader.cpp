#include "compiler/train_reader.h"

#include "compiler/arithmetic.h"
#include "compiler/field_reader.h"
#include "compiler/messages.h"
#include "compiler/stores.h"

namespace tarvosa {
namespace {

// What a record asks of the main loop: go on, leave it for the end of the
// read (error 15), or stop the read at once.
enum class Next { kGoOn, kEndRead, kStop };

constexpr auto kTrainFile = SourceLocation::File::kTrain;

class TrainReader {
 public:
  TrainReader(std::string_view bytes, CompiledScenario& out, ReaderScratch& scratch,
              Diagnostics& diagnostics)
      : in_(bytes), out_(out), scratch_(scratch), d_(diagnostics) {}

  void Run() {
    if (cells().empty()) throw RuntimeFailure("the line leaves no track for the train", -1);
    do {
      scratch_.current_field = in_.ReadText("the [generale] line");
    } while (!Contains(scratch_.current_field, "[generale]") && !in_.AtEnd());
    while (ReadKeyword(in_, kTrainFile, scratch_)) {
      const Next next = ReadRecord();
      if (next == Next::kStop) return;
      if (next == Next::kEndRead) break;
    }
    EndOfRead();
  }

 private:
  std::vector<TrackCell>& cells() { return out_.cells; }
  SourceLocation Here() const { return {kTrainFile, in_.field_start()}; }

  std::int32_t ReadProgressive(std::string_view what) {
    const std::int32_t progressive = in_.ReadInt32(what);
    d_.record = Here();
    return progressive;
  }
  Next Record(DataError error, std::string detail, std::optional<std::int32_t> position,
              Next next) {
    d_.Record(error, d_.record, std::move(detail), position);
    return next;
  }
  // Tells the observer, when there is one, of the record being read.
  void Tell(RecordKind kind, std::int64_t progressive) {
    if (d_.observer() != nullptr) d_.observer()->RecordRead(scratch_.keyword, kind, progressive, 0);
  }

  // Every test is made, in this order, on the field in keyword position.
  Next ReadRecord() {
    const std::string_view f = scratch_.current_field;
    const bool braking = Contains(f, "frenata") && Contains(f, "massa");
    const bool coaches = Contains(f, "vetture");
    const bool speed = Contains(f, "velocit");
    const bool adhesion = Contains(f, "aderenza");
    const bool clock = Contains(f, "orologio");
    const bool sand = Contains(f, "sabbia");
    const bool signal = Contains(f, "segnale");
    const bool slow_down = Contains(f, "rallentamento");
    const bool point = Contains(f, "abbattimento");
    const bool station = Contains(f, "stazione");
    ScenarioEntry& numbers = out_.header[kNumbersEntry];
    ScenarioEntry& train = out_.header[kTrainEntry];
    Next next = Next::kGoOn;
    if (braking) numbers.start = in_.ReadInt32("the braked-weight percentage");
    if (coaches) numbers.position = in_.ReadInt32("the number of coaches");
    if (speed) next = ReadSpeed();
    if (next == Next::kGoOn && adhesion) next = ReadAdhesion();
    if (next == Next::kGoOn && clock) {
      train.word_c = in_.ReadInt16("the clock's hours");
      train.word_d = in_.ReadInt16("the clock's minutes");
      train.word_e = in_.ReadInt16("the clock's seconds");
    }
    if (next == Next::kGoOn && sand) train.word_a = in_.ReadInt16("the sand supply");
    if (next == Next::kGoOn && signal) next = ReadSignal();
    if (next == Next::kGoOn && slow_down) next = ReadSlowDown();
    if (next == Next::kGoOn && point) next = ReadBrakingPoint();
    if (next == Next::kGoOn && station) next = ReadStation();
    const bool matched = braking || coaches || speed || adhesion || clock || sand || signal ||
                         slow_down || point || station;
    if (!matched && d_.observer() != nullptr) d_.observer()->UnknownField(scratch_.keyword, f);
    return next;
  }

  // A record whose progressive plus `reach` passes the last cell ends the
  // main loop.
  bool InRange(std::int32_t progressive, std::int64_t reach, std::string_view what) {
    if (std::int64_t{progressive} + reach <= 50 * LastCell(cells())) return true;
    Record(DataError::kOutsideTheTrack, BeyondTheEndText(what, progressive, reach, out_),
           progressive, Next::kEndRead);
    return false;
  }

  // Km/h to the cell's byte: divided by 5 to the nearest whole number.
  std::uint8_t SpeedByte(std::int32_t speed) const {
    const std::int64_t byte = RoundHalfEven(speed, 5);
    if (byte < 0 || byte > 255) {
      throw RuntimeFailure(
          std::to_string(speed) + " does not fit the speed byte (0 to 255 after dividing by 5)",
          previous_speed_at_);
    }
    return static_cast<std::uint8_t>(byte);
  }

  // The previous value from the cursor up to the record's cell, at least one
  // cell even when the cursor stands at or past it.
  Next ReadSpeed() {
    const std::int32_t progressive = ReadProgressive("the line speed's progressive");
    const std::int32_t speed = in_.ReadInt32("the line speed");
    const std::int64_t speed_at = in_.field_start();
    Tell(RecordKind::kSpeed, progressive);
    if (!InRange(progressive, 100, "the line speed")) return Next::kEndRead;
    const std::int64_t cell = RoundHalfEven(progressive, 50);
    if (cell > 0) {
      do {
        if (speed_cursor_ >= LastCell(cells())) break;
        CellAt(cells(), speed_cursor_)->speed_limit = SpeedByte(previous_speed_);
        ++speed_cursor_;
      } while (speed_cursor_ < cell);
    }
    previous_speed_ = speed;
    previous_speed_at_ = speed_at;
    return Next::kGoOn;
  }

  Next ReadAdhesion() {
    const std::int32_t progressive = ReadProgressive("the adhesion's progressive");
    const std::int32_t adhesion = in_.ReadInt32("the adhesion");
    Tell(RecordKind::kAdhesion, progressive);
    if (!InRange(progressive, 100, "the adhesion")) return Next::kEndRead;
    last_adhesion_ = d_.record;
    last_adhesion_progressive_ = progressive;
    const std::int64_t cell = RoundHalfEven(progressive, 50);
    if (cell > 0) {
      do {
        if (!WriteAdhesion()) return Next::kEndRead;
      } while (adhesion_cursor_ < cell);
    }
    previous_adhesion_ = adhesion;
    return Next::kGoOn;
  }

  // False, with 15 recorded, when the cursor has left the track.
  bool WriteAdhesion() {
    TrackCell* cell = CellAt(cells(), adhesion_cursor_);
    if (cell == nullptr) {
      d_.Record(DataError::kOutsideTheTrack, last_adhesion_,
                "the adhesion runs on into " + OutsideText(cells(), adhesion_cursor_),
                last_adhesion_progressive_);
      return false;
    }
    cell->adhesion = static_cast<std::uint8_t>(previous_adhesion_);
    ++adhesion_cursor_;
    return true;
  }

  Next ReadSignal() {
    std::int32_t v[11];
    v[0] = ReadProgressive("the signal's progressive");
    static constexpr const char* kValues[] = {"the signal's field 2",  "the signal's field 3",
                                              "the signal's field 4",  "the signal's field 5",
                                              "the signal's field 6",  "the signal's field 7",
                                              "the signal's field 8",  "the signal's field 9",
                                              "the signal's field 10", "the signal's time"};
    for (int i = 1; i < 11; ++i) v[i] = in_.ReadInt32(kValues[i - 1]);
    Tell(RecordKind::kSignal, v[0]);
    if (!InRange(v[0], 100, "the signal")) return Next::kEndRead;
    memo_segnale(cells(), d_, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10]);
    return Refused(d_, v[0]) ? Next::kStop : Next::kGoOn;
  }

  Next ReadSlowDown() {
    std::int32_t v[6];
    v[0] = ReadProgressive("the slow-down's start");
    static constexpr const char* kValues[] = {"the slow-down's speed", "the slow-down's length",
                                              "the slow-down's value 4", "the slow-down's value 5",
                                              "the slow-down's value 6"};
    for (int i = 1; i < 6; ++i) v[i] = in_.ReadInt32(kValues[i - 1]);
    Tell(RecordKind::kSlowDown, v[0]);
    if (!InRange(v[0], 100, "the slow-down")) return Next::kEndRead;
    memo_rallentamento(cells(), d_, v[0], v[1], v[2], v[3], v[4], v[5]);
    return Refused(d_, v[0]) ? Next::kStop : Next::kGoOn;
  }

  Next ReadBrakingPoint() {
    const std::int32_t progressive = ReadProgressive("the point's progressive");
    const std::int32_t value = in_.ReadInt32("the point's speed");
    Tell(RecordKind::kBrakingPoint, progressive);
    if (!InRange(progressive, 100, "the abbattimento point")) return Next::kEndRead;
    const std::int64_t index = RoundHalfEven(progressive, 50);
    TrackCell* cell = CellAt(cells(), index);
    if (cell == nullptr) {
      return Record(DataError::kOutsideTheTrack,
                    "the abbattimento point falls in " + OutsideText(cells(), index), progressive,
                    Next::kEndRead);
    }
    if (!IsFree(*cell)) {
      d_.Record(DataError::kBrakingPointCellTaken, d_.record,
                CellText(index) + ", where the point goes, already holds a " +
                    std::string(CellKindName(cell->kind)),
                progressive, d_.OriginOf(index));
      return Next::kStop;
    }
    if (value > 0) {
      PutFeature(*cell, index, kBrakingPoint, d_);
      cell->value_a = static_cast<std::int16_t>(value);
    } else {
      PutFeature(*cell, index, kBrakingPointWithoutValue, d_);
    }
    return Next::kGoOn;
  }

  Next ReadStation();
  Next StationStretch(ScenarioEntry& entry, std::int64_t length);
  void EndOfRead();
  void CheckReferences();

  FieldReader in_;
  CompiledScenario& out_;
  ReaderScratch& scratch_;
  Diagnostics& d_;
  std::int32_t station_ = 1;  // the entry the next station fills
  std::int64_t speed_cursor_ = 0;
  std::int64_t adhesion_cursor_ = 0;
  std::int32_t previous_speed_ = 0;
  std::int64_t previous_speed_at_ = -1;  // where the previous speed was read
  std::int32_t previous_adhesion_ = 0;
  std::int32_t last_adhesion_progressive_ = 0;
  SourceLocation last_adhesion_;
};

// One station: its entry, its stretch, and for types below 25 its stop
// cell and (but for types 5 and 6) the four approach codes before it.
Next TrainReader::ReadStation() {
  ScenarioEntry& entry = out_.header[static_cast<std::size_t>(station_)];
  const std::int32_t position = ReadProgressive("the station's progressive");
  entry.position = position;
  Tell(RecordKind::kStation, position);
  if (!InRange(position, 800, "the station")) return Next::kEndRead;
  if (position % 50 != 0) {
    return Record(DataError::kStationOffCell, NotAMultipleText(position, 50), position,
                  Next::kStop);
  }
  entry.kind = in_.ReadByte("the station's type");
  const std::int32_t length = in_.ReadInt32("the station's length");
  if (length % 100 != 0) {
    d_.Record(DataError::kStationLength, Here(), NotAMultipleText(length, 100), position);
    return Next::kStop;
  }
  entry.flag_a = in_.ReadByte("the station's field 4");
  entry.byte_d = in_.ReadByte("the station's field 5");
  entry.byte_c = in_.ReadByte("the station's extension flag");
  entry.word_a = in_.ReadInt16("the station's field 7");
  entry.word_b = in_.ReadInt16("the station's field 8");
  entry.byte_a = in_.ReadByte("the station's field 9");
  entry.word_c = in_.ReadInt16("the station's field 10");
  entry.word_d = in_.ReadInt16("the station's field 11");
  entry.word_e = in_.ReadInt16("the station's field 12");
  entry.byte_b = in_.ReadByte("the station's field 13");
  const std::int64_t hours = in_.ReadInt32("the station's hours");
  const std::int64_t time_at = in_.field_start();
  const std::int64_t minutes = in_.ReadInt32("the station's minutes");
  const std::int64_t seconds = in_.ReadInt32("the station's seconds");
  const std::string_view name = in_.ReadText("the station's name");
  if (d_.observer() != nullptr) d_.observer()->TextRead(Here(), name);
  if (name.size() > kLongestName) {
    throw RuntimeFailure("the station's name is " + std::to_string(name.size()) +
                             " characters long; a name holds at most 65535",
                         in_.field_start());
  }
  entry.name = name;
  const std::int64_t time = (hours * 60 + minutes) * 60 + seconds;
  if (time < INT32_MIN || time > INT32_MAX) {
    throw RuntimeFailure("the station's time, " + std::to_string(time) +
                             " seconds, does not fit a signed 32-bit number",
                         time_at);
  }
  entry.time = static_cast<std::int32_t>(time);
  return StationStretch(entry, length);
}

Next TrainReader::StationStretch(ScenarioEntry& entry, std::int64_t length) {
  std::int64_t start, end;
  const std::int64_t p = entry.position;
  if (entry.kind == 5 || entry.kind == 6) {
    start = p - length, end = p + 150, entry.byte_c = 0;
  } else if (entry.kind == 7 || entry.kind == 8) {
    start = p - length, end = p + length, entry.byte_c = 0;
  } else {
    start = p - length / 2, end = p + length / 2 + (entry.byte_c != 0 ? 50 : 0);
  }
  for (const std::int64_t edge : {start, end}) {
    if (edge < INT32_MIN || edge > INT32_MAX) {
      throw RuntimeFailure("the station's stretch runs from " + Metres(start) + " to " +
                               Metres(end) + ", beyond what a signed 32-bit number holds",
                           d_.record.offset);
    }
  }
  entry.start = static_cast<std::int32_t>(start);
  entry.end = static_cast<std::int32_t>(end);
  if (length < 600) entry.byte_d = 0;
  if (station_ == 1) entry.byte_d = 0, entry.byte_c = 0;

  const std::string stretch = "the station's stretch ends at " + Metres(end) + ", ";
  if (entry.kind < 25 && entry.kind != 5 && entry.kind != 6) {
    for (std::int64_t k = 1; k <= 4; ++k) {
      const std::int64_t x = RoundHalfEven(end - 50 * (k + 1), 50);
      if (x <= 1) continue;
      TrackCell* cell = CellAt(cells(), x);
      if (cell == nullptr) {
        return Record(DataError::kOutsideTheTrack,
                      stretch + "so an approach code falls in " + OutsideText(cells(), x),
                      entry.position, Next::kEndRead);
      }
      cell->approach_code = static_cast<std::uint8_t>(80 + k);
    }
  }
  if (entry.kind < 25) {
    const std::int64_t y = RoundHalfEven(end - 50, 50);
    if (y <= 1) {
      return Record(DataError::kStationAtTheOrigin,
                    stretch + "so its stop cell would be cell " + std::to_string(y), std::nullopt,
                    Next::kStop);
    }
    TrackCell* cell = CellAt(cells(), y);
    if (cell == nullptr) {
      return Record(DataError::kOutsideTheTrack,
                    stretch + "so its stop cell falls in " + OutsideText(cells(), y),
                    entry.position, Next::kEndRead);
    }
    PutFeature(*cell, y, kStationStop, d_);
    cell->value_a = static_cast<std::int16_t>(station_);
  }
  if (station_ > 1) {
    const std::int32_t previous_end = out_.header[static_cast<std::size_t>(station_ - 1)].end;
    if (start - 350 < previous_end) {
      return Record(DataError::kStationTooClose,
                    "its stretch begins at " + Metres(start) + ", less than 350 m after " +
                        Metres(previous_end) + ", where the station before ends",
                    entry.position, Next::kStop);
    }
  }
  ++station_;
  if (station_ >= scratch_.board_slot) {
    return Record(DataError::kTooManyStations,
                  "this is station " + std::to_string(station_ - 1) +
                      ", and the line's text boards take the entries from " +
                      std::to_string(scratch_.board_slot + 1) + " up",
                  std::nullopt, Next::kStop);
  }
  return Next::kGoOn;
}

// The profiles run on to cell U - 3; then the kilometre references are
// checked.
void TrainReader::EndOfRead() {
  do {
    TrackCell* cell = CellAt(cells(), speed_cursor_);  // the fills keep the cursor at U or below
    if (cell == nullptr) break;
    cell->speed_limit = SpeedByte(previous_speed_);
    ++speed_cursor_;
  } while (speed_cursor_ < LastCell(cells()) - 2);
  do {
    if (!WriteAdhesion()) break;
  } while (adhesion_cursor_ < LastCell(cells()) - 2);
  CheckReferences();
}

// A reference must start and end on a cell boundary; it is named by the
// record it was read from.
void TrainReader::CheckReferences() {
  static constexpr std::string_view kNames[] = {"tre", "due", "uno"};
  for (std::size_t entry = kReferenceTre; entry <= kReferenceUno; ++entry) {
    const ScenarioEntry& e = out_.header[entry];
    if (e.start % 50 == 0 && e.end % 50 == 0) continue;
    SourceLocation at{SourceLocation::File::kLine, -1};
    std::string name = "a kilometre reference";
    for (std::size_t r = 0; r < scratch_.references.size(); ++r) {
      const ReferenceRead& read = scratch_.references[r];
      if (read.start == e.start && (read.end == e.end || std::int64_t{read.end} + 100 == e.end)) {
        at = read.at;
        name = "the reference '" + std::string(kNames[r]) + "'";
      }
    }
    d_.Record(
        DataError::kReferenceOffCell, at,
        name + " starts at " + std::to_string(e.start) + " and ends at " + std::to_string(e.end));
  }
}

}  // namespace

void ReadTrainFile(std::optional<std::string_view> bytes, CompiledScenario& out,
                   ReaderScratch& scratch, Diagnostics& diagnostics) {
  scratch.keyword = {};
  if (!bytes) {
    diagnostics.Record(DataError::kUnreadable, {kTrainFile, -1}, "there is no train data file");
    return;
  }
  try {
    TrainReader(*bytes, out, scratch, diagnostics).Run();
  } catch (const RuntimeFailure& failure) {
    RecordReadFailure(failure, kTrainFile, scratch, diagnostics);
  }
}

}  // namespace tarvosa
