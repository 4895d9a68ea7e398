#include "compiler/internal/train_reader.h"

#include "compiler/internal/arithmetic.h"
#include "compiler/internal/field_reader.h"
#include "compiler/internal/lint.h"
#include "compiler/internal/record_reader.h"
#include "compiler/internal/station_reader.h"
#include "compiler/internal/stores.h"
#include "compiler/messages.h"
#include "compiler/stored_views.h"

namespace tarvosa {
namespace {

using Next = TrainNext;

constexpr auto kTrainFile = SourceLocation::File::kTrain;

class TrainReader : RecordReader {
 public:
  TrainReader(FieldReader& in, CompiledScenario& out, ReaderScratch& scratch,
              Diagnostics& diagnostics)
      : RecordReader(in, kTrainFile, out, scratch, diagnostics) {}

  void Run() {
    if (cells().empty()) throw RuntimeFailure("the line leaves no track for the train", -1);
    if (!FindGeneralPart()) return;
    if (d.read_on()) {
      ReadOn([this] { ReadRecord(); });
      EndOfRead();
      return;
    }
    while (ReadKeyword(in, kTrainFile, scratch, d)) {
      const Next next = ReadRecord();
      if (next == Next::kStop) return;
      if (next == Next::kEndRead) break;
    }
    EndOfRead();
  }

 private:
  Next Record(DataError error, std::string detail, std::optional<std::int32_t> position,
              Next next) {
    d.Record(error, d.record, std::move(detail), position);
    return next;
  }

  // Every test is made, in this order, on the field in keyword position.
  Next ReadRecord() {
    const std::string_view f = scratch.current_field;
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
    ScenarioEntry& numbers = out.header[kNumbersEntry];
    ScenarioEntry& train = out.header[kTrainEntry];
    Next next = Next::kGoOn;
    if (braking) numbers.start = in.ReadInt32("the braked-weight percentage");
    if (coaches) numbers.position = in.ReadInt32("the number of coaches"), coaches_seen_ = true;
    if (speed) next = ReadSpeed();
    if (next == Next::kGoOn && adhesion) next = ReadAdhesion();
    if (next == Next::kGoOn && clock) {
      train.word_c = in.ReadInt16("the clock's hours");
      train.word_d = in.ReadInt16("the clock's minutes");
      train.word_e = in.ReadInt16("the clock's seconds");
      clock_seen_ = true;
    }
    if (next == Next::kGoOn && sand) train.word_a = in.ReadInt16("the sand supply");
    if (next == Next::kGoOn && signal) next = ReadSignal();
    if (next == Next::kGoOn && slow_down) next = ReadSlowDown();
    if (next == Next::kGoOn && point) next = ReadBrakingPoint();
    if (next == Next::kGoOn && station) next = ReadStation();
    Matched(braking || coaches || speed || adhesion || clock || sand || signal || slow_down ||
            point || station);
    return next;
  }

  // Km/h to the cell's byte: divided by 5 to the nearest whole number.
  std::uint8_t SpeedByte(std::int32_t speed) const {
    const std::int64_t byte = LineSpeedStep(speed);
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
    const std::int32_t speed = in.ReadInt32("the line speed");
    const std::int64_t speed_at = in.field_start();
    WarnProfileStep(speed_step_, "the line speed", progressive);
    WarnPastTheLine("the line speed", progressive, progressive);
    lint::Stored(d, Here(), "a line speed", speed, LineSpeedStep(speed) * 5,
                 "speeds are kept in steps of 5 km/h");
    if (!InRange(progressive, 100, "the line speed")) return Next::kEndRead;
    const std::int64_t cell = ProfileCellOf(progressive);
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
    const std::int32_t adhesion = in.ReadInt32("the adhesion");
    WarnProfileStep(adhesion_step_, "the adhesion", progressive);
    WarnPastTheLine("the adhesion", progressive, progressive);
    lint::Stored(d, Here(), "an adhesion", adhesion, static_cast<std::uint8_t>(adhesion),
                 "a cell keeps the adhesion in one byte, 0 to 255");
    if (!InRange(progressive, 100, "the adhesion")) return Next::kEndRead;
    last_adhesion_ = d.record;
    last_adhesion_progressive_ = progressive;
    const std::int64_t cell = ProfileCellOf(progressive);
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
      d.Record(DataError::kOutsideTheTrack, last_adhesion_,
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
    std::int64_t at[11];
    for (int i = 1; i < 11; ++i) v[i] = in.ReadInt32(kValues[i - 1]), at[i] = in.field_start();
    WarnPastTheLine("the signal", v[0], v[0]);
    WarnSignal(v, at);
    if (!InRange(v[0], 100, "the signal")) return Next::kEndRead;
    memo_segnale(cells(), d, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10]);
    return Refused(d, v[0]) ? Next::kStop : Next::kGoOn;
  }

  Next ReadSlowDown() {
    std::int32_t v[6];
    v[0] = ReadProgressive("the slow-down's start");
    static constexpr const char* kValues[] = {"the slow-down's speed", "the slow-down's length",
                                              "the slow-down's value 4", "the slow-down's value 5",
                                              "the slow-down's value 6"};
    std::int64_t at[6];
    for (int i = 1; i < 6; ++i) v[i] = in.ReadInt32(kValues[i - 1]), at[i] = in.field_start();
    if (v[2] <= 0) {
      d.Warn(d.record, [&] { return "a slow-down of length " + Metres(v[2]) + " slows nothing"; });
    }
    WarnPastTheLine("the slow-down", v[0], std::int64_t{v[0]} + v[2]);
    for (const int i : {1, 3, 5}) Warn16(at[i], kValues[i - 1], v[i]);
    if (!InRange(v[0], 100, "the slow-down")) return Next::kEndRead;
    memo_rallentamento(cells(), d, v[0], v[1], v[2], v[3], v[4], v[5]);
    return Refused(d, v[0]) ? Next::kStop : Next::kGoOn;
  }

  Next ReadBrakingPoint() {
    const std::int32_t progressive = ReadProgressive("the point's progressive");
    const std::int32_t value = in.ReadInt32("the point's speed");
    if (value > 0) Warn16(in.field_start(), "the point's speed", value);
    WarnPastTheLine("the abbattimento point", progressive, progressive);
    if (!InRange(progressive, 100, "the abbattimento point")) return Next::kEndRead;
    const std::int64_t index = ProfileCellOf(progressive);
    TrackCell* cell = CellAt(cells(), index);
    if (cell == nullptr) {
      return Record(DataError::kOutsideTheTrack,
                    "the abbattimento point falls in " + OutsideText(cells(), index), progressive,
                    Next::kEndRead);
    }
    if (!IsFree(*cell)) {
      d.Record(DataError::kBrakingPointCellTaken, d.record,
               CellText(index) + ", where the point goes, already holds a " +
                   std::string(CellKindName(cell->kind)),
               progressive, d.OriginOf(index));
      return Next::kStop;
    }
    if (value > 0) {
      PutFeature(*cell, index, kBrakingPoint, d);
      BrakingPointCell{* cell}.speed = static_cast<std::int16_t>(value);
    } else {
      PutFeature(*cell, index, kBrakingPointWithoutValue, d);
    }
    return Next::kGoOn;
  }

  // The file's records come after its "[generale]" line; without one,
  // nothing is read.
  bool FindGeneralPart() {
    SourceLocation misspelt;
    do {
      scratch.current_field = in.ReadText("the [generale] line");
      if (misspelt.file == SourceLocation::File::kNone && lint::NearGeneralHeader(field())) {
        misspelt = Here();
      }
      if (Contains(field(), "[generale]")) return true;
    } while (!in.AtEnd());
    const bool near = misspelt.file != SourceLocation::File::kNone;
    d.Warn(near ? misspelt : SourceLocation{kTrainFile, -1},
           std::string("the train data file has no '[generale]' line, so none of its records is "
                       "read") +
               (near ? ": is this one meant to be it?" : ""));
    return false;
  }

  // A value kept in 16 bits.
  void Warn16(std::int64_t at, std::string_view what, std::int64_t value) {
    lint::Stored(d, {kTrainFile, at}, what, value, static_cast<std::int16_t>(value),
                 "it is kept in 16 bits");
  }

  // What a signal keeps of its fields: four 16-bit values made of two
  // fields each, and a time.
  void WarnSignal(const std::int32_t (&v)[11], const std::int64_t (&at)[11]) {
    Warn16(at[2], "the signal's fields 3 and 8 (field 3 × 10 + field 8)",
           SignalPairValue(v[2], v[7]));
    Warn16(at[3], "the signal's fields 4 and 9 (field 4 × 10 + field 9)",
           SignalPairValue(v[3], v[8]));
    Warn16(at[4], "the signal's fields 5 and 10 (field 5 × 10 + field 10)",
           SignalPairValue(v[4], v[9]));
    Warn16(at[5], "the signal's fields 6, 2 and 7 (field 6 × 10 + field 2 × 3 + field 7)",
           SignalCodeValue(v[5], v[1], v[6]));
    const std::int64_t time = v[10];
    if (!KeepsSignalTime(v[1])) {
      if (time != 0) {
        d.Warn({kTrainFile, at[10]}, [&] {
          return "a signal time of " + std::to_string(time) +
                 " is not kept: only a signal whose field 2 is 2 keeps "
                 "its time";
        });
      }
      return;
    }
    lint::Stored(d, {kTrainFile, at[10]}, "a signal time", time, StoredSignalTime(v[1], time),
                 "times from 1 to 100 become 101, and a time is kept in one byte");
  }

  Next ReadStation() { return tarvosa::ReadStation(*this, station_); }
  void EndOfRead();
  void CheckReferences();

  std::int32_t station_ = 1;  // the entry the next station fills
  std::int64_t speed_cursor_ = 0;
  std::int64_t adhesion_cursor_ = 0;
  std::int32_t previous_speed_ = 0;
  std::int64_t previous_speed_at_ = -1;  // where the previous speed was read
  std::int32_t previous_adhesion_ = 0;
  std::int32_t last_adhesion_progressive_ = 0;
  SourceLocation last_adhesion_;
  ProfileStep speed_step_;
  ProfileStep adhesion_step_;
  bool clock_seen_ = false;
  bool coaches_seen_ = false;
};

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
  if (!clock_seen_) {
    d.Warn({kTrainFile, -1},
           "the train data file has no 'orologio' record: the run starts at "
           "00:00:00");
  }
  if (!coaches_seen_) {
    d.Warn({kTrainFile, -1},
           "the train data file has no 'numero vetture' record: the train has "
           "0 coaches");
  }
}

// A reference must start and end on a cell boundary; it is named by the
// record it was read from.
void TrainReader::CheckReferences() {
  static constexpr std::string_view kNames[] = {"tre", "due", "uno"};
  for (std::size_t entry = kReferenceTre; entry <= kReferenceUno; ++entry) {
    const ScenarioEntry& e = out.header[entry];
    if (e.start % 50 == 0 && e.end % 50 == 0) continue;
    SourceLocation at{SourceLocation::File::kLine, -1};
    std::string name = "a kilometre reference";
    for (std::size_t r = 0; r < scratch.references.size(); ++r) {
      const ReferenceRead& read = scratch.references[r];
      if (read.start == e.start && (read.end == e.end || std::int64_t{read.end} + 100 == e.end)) {
        at = read.at;
        name = "the reference '" + std::string(kNames[r]) + "'";
      }
    }
    d.Record(
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
  scratch.foreign_keywords = scratch.own_records = 0;
  try {
    FieldReader in(*bytes);
    if (scratch.records != nullptr) in.KeepValues();
    TrainReader(in, out, scratch, diagnostics).Run();
  } catch (const RuntimeFailure& failure) {
    RecordReadFailure(failure, kTrainFile, scratch, diagnostics);
  }
  lint::WrongWayRound(diagnostics, kTrainFile, scratch.foreign_keywords, scratch.own_records);
}

}  // namespace tarvosa
