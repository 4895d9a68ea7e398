#include "compiler/train_reader.h"

#include "compiler/arithmetic.h"
#include "compiler/field_reader.h"
#include "compiler/stores.h"
#include "util/files.h"

namespace tarvosa {
namespace {

// What a record asks of the main loop: go on, leave it for the end of the
// read (error 15), or stop the read at once.
enum class Next { kGoOn, kEndRead, kStop };

constexpr std::int32_t kOutsideTheTrack = 15;

class TrainReader {
 public:
  TrainReader(CompilerState& state, std::string bytes)
      : s_(state), in_(std::move(bytes), &state.reading, SourceLocation::File::kTrain) {}

  void Run() {
    if (!s_.cells) throw RuntimeFailure("no track cells for the train");
    do {
      field() = in_.ReadText();
    } while (!Contains(field(), "[generale]") && !in_.AtEnd());
    while (ReadKeyword(in_, field())) {
      const Next next = ReadRecord();
      if (next == Next::kStop) return;
      if (next == Next::kEndRead) break;
    }
    EndOfRead();
  }

 private:
  std::string& field() { return s_.current_field; }

  Next Record(std::int32_t code, std::int32_t position, Next next) {
    s_.RecordError(code);
    s_.error_position = position;
    return next;
  }
  Next Record(std::int32_t code) {
    s_.RecordError(code);
    return Next::kStop;
  }
  // Tells the observer, when there is one, of the record being read.
  void Tell(RecordKind kind, std::int64_t progressive) {
    if (s_.observer != nullptr) s_.observer->RecordRead(keyword_, kind, progressive, 0);
  }

  // Every test is made, in this order, on the field in keyword position.
  Next ReadRecord() {
    keyword_ = s_.reading;
    const std::string& f = field();
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
    ScenarioEntry& numbers = s_.header[kNumbersEntry];
    ScenarioEntry& train = s_.header[kTrainEntry];
    Next next = Next::kGoOn;
    if (braking) numbers.start = in_.ReadInt32();
    if (coaches) numbers.position = in_.ReadInt32();
    if (speed) next = ReadSpeed();
    if (next == Next::kGoOn && adhesion) next = ReadAdhesion();
    if (next == Next::kGoOn && clock) {
      train.word_c = in_.ReadInt16();
      train.word_d = in_.ReadInt16();
      train.word_e = in_.ReadInt16();
    }
    if (next == Next::kGoOn && sand) train.word_a = in_.ReadInt16();
    if (next == Next::kGoOn && signal) next = ReadSignal();
    if (next == Next::kGoOn && slow_down) next = ReadSlowDown();
    if (next == Next::kGoOn && point) next = ReadBrakingPoint();
    if (next == Next::kGoOn && station) next = ReadStation();
    const bool matched = braking || coaches || speed || adhesion || clock || sand || signal ||
                         slow_down || point || station;
    if (!matched && s_.observer != nullptr) s_.observer->UnknownField(keyword_, f);
    return next;
  }

  // A record at `q` / 50 beyond the last cell ends the main loop.
  bool InRange(std::int64_t q, std::int32_t progressive) {
    if (q <= 50 * s_.last_cell()) return true;
    Record(kOutsideTheTrack, progressive, Next::kEndRead);
    return false;
  }

  // Km/h to the cell's byte: divided by 5 to the nearest whole number.
  static std::uint8_t SpeedByte(std::int32_t speed) {
    const std::int64_t byte = RoundHalfEven(speed, 5);
    if (byte < 0 || byte > 255) throw RuntimeFailure("a speed too large for its cell");
    return static_cast<std::uint8_t>(byte);
  }

  // The previous value from the cursor up to the record's cell, at least one
  // cell even when the cursor stands at or past it.
  Next ReadSpeed() {
    const std::int32_t progressive = in_.ReadInt32();
    const std::int32_t speed = in_.ReadInt32();
    Tell(RecordKind::kSpeed, progressive);
    if (!InRange(std::int64_t{progressive} + 100, progressive)) return Next::kEndRead;
    const std::int64_t cell = RoundHalfEven(progressive, 50);
    if (cell > 0) {
      do {
        if (speed_cursor_ >= s_.last_cell()) break;
        s_.Cell(speed_cursor_)->speed_limit = SpeedByte(previous_speed_);
        ++speed_cursor_;
      } while (speed_cursor_ < cell);
    }
    previous_speed_ = speed;
    return Next::kGoOn;
  }

  Next ReadAdhesion() {
    const std::int32_t progressive = in_.ReadInt32();
    const std::int32_t adhesion = in_.ReadInt32();
    Tell(RecordKind::kAdhesion, progressive);
    if (!InRange(std::int64_t{progressive} + 100, progressive)) return Next::kEndRead;
    last_adhesion_progressive_ = progressive;
    const std::int64_t cell = RoundHalfEven(progressive, 50);
    if (cell > 0) {
      do {
        if (!WriteAdhesion()) return Record(kOutsideTheTrack, progressive, Next::kEndRead);
      } while (adhesion_cursor_ < cell);
    }
    previous_adhesion_ = adhesion;
    return Next::kGoOn;
  }

  bool WriteAdhesion() {
    TrackCell* cell = s_.Cell(adhesion_cursor_);
    if (cell == nullptr) return false;
    cell->adhesion = static_cast<std::uint8_t>(previous_adhesion_);
    ++adhesion_cursor_;
    return true;
  }

  Next ReadSignal() {
    std::int32_t v[11];
    for (std::int32_t& value : v) value = in_.ReadInt32();
    Tell(RecordKind::kSignal, v[0]);
    if (!InRange(std::int64_t{v[0]} + 100, v[0])) return Next::kEndRead;
    memo_segnale(s_, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10]);
    return Refused(s_, v[0]) ? Next::kStop : Next::kGoOn;
  }

  Next ReadSlowDown() {
    std::int32_t v[6];
    for (std::int32_t& value : v) value = in_.ReadInt32();
    Tell(RecordKind::kSlowDown, v[0]);
    if (!InRange(std::int64_t{v[0]} + 100, v[0])) return Next::kEndRead;
    memo_rallentamento(s_, v[0], v[1], v[2], v[3], v[4], v[5]);
    return Refused(s_, v[0]) ? Next::kStop : Next::kGoOn;
  }

  Next ReadBrakingPoint() {
    const std::int32_t progressive = in_.ReadInt32();
    const std::int32_t value = in_.ReadInt32();
    Tell(RecordKind::kBrakingPoint, progressive);
    if (!InRange(std::int64_t{progressive} + 100, progressive)) return Next::kEndRead;
    const std::int64_t index = RoundHalfEven(progressive, 50);
    TrackCell* cell = s_.Cell(index);
    if (cell == nullptr) return Record(kOutsideTheTrack, progressive, Next::kEndRead);
    if (!IsFree(*cell)) return Record(7, progressive, Next::kStop);
    if (value > 0) {
      s_.PutFeature(*cell, index, kBrakingPoint);
      cell->value_a = static_cast<std::int16_t>(value);
    } else {
      s_.PutFeature(*cell, index, kBrakingPointWithoutValue);
    }
    return Next::kGoOn;
  }

  Next ReadStation();
  void EndOfRead();

  CompilerState& s_;
  FieldReader in_;
  SourceLocation keyword_;    // where the record being read begins
  std::int32_t station_ = 1;  // the entry the next station fills
  std::int64_t speed_cursor_ = 0;
  std::int64_t adhesion_cursor_ = 0;
  std::int32_t previous_speed_ = 0;
  std::int32_t previous_adhesion_ = 0;
  std::int32_t last_adhesion_progressive_ = 0;
};

// One station: its entry, its stretch, and for types below 25 its stop
// cell and (but for types 5 and 6) the four approach codes before it.
Next TrainReader::ReadStation() {
  ScenarioEntry& entry = s_.header[static_cast<std::size_t>(station_)];
  const std::int32_t position = in_.ReadInt32();
  entry.position = position;
  Tell(RecordKind::kStation, position);
  if (!InRange(std::int64_t{position} + 800, position)) return Next::kEndRead;
  if (position % 50 != 0) return Record(8, position, Next::kStop);
  entry.kind = in_.ReadByte();
  const std::int32_t length = in_.ReadInt32();
  if (length % 100 != 0) return Record(9, position, Next::kStop);
  entry.flag_a = in_.ReadByte();
  entry.byte_d = in_.ReadByte();
  entry.byte_c = in_.ReadByte();
  entry.word_a = in_.ReadInt16();
  entry.word_b = in_.ReadInt16();
  entry.byte_a = in_.ReadByte();
  entry.word_c = in_.ReadInt16();
  entry.word_d = in_.ReadInt16();
  entry.word_e = in_.ReadInt16();
  entry.byte_b = in_.ReadByte();
  const std::int64_t hours = in_.ReadInt32();
  const std::int64_t minutes = in_.ReadInt32();
  const std::int64_t seconds = in_.ReadInt32();
  entry.name = in_.ReadText();
  if (s_.observer != nullptr) s_.observer->TextRead(s_.reading, entry.name);
  const std::int64_t time = (hours * 60 + minutes) * 60 + seconds;
  if (time < INT32_MIN || time > INT32_MAX) throw RuntimeFailure("a time too large");
  entry.time = static_cast<std::int32_t>(time);

  std::int64_t start, end;
  const std::int64_t p = position;
  if (entry.kind == 5 || entry.kind == 6) {
    start = p - length, end = p + 150, entry.byte_c = 0;
  } else if (entry.kind == 7 || entry.kind == 8) {
    start = p - length, end = p + length, entry.byte_c = 0;
  } else {
    start = p - length / 2, end = p + length / 2 + (entry.byte_c != 0 ? 50 : 0);
  }
  if (start < INT32_MIN || end > INT32_MAX) throw RuntimeFailure("a station stretch too long");
  entry.start = static_cast<std::int32_t>(start);
  entry.end = static_cast<std::int32_t>(end);
  if (length < 600) entry.byte_d = 0;
  if (station_ == 1) entry.byte_d = 0, entry.byte_c = 0;

  if (entry.kind < 25 && entry.kind != 5 && entry.kind != 6) {
    for (std::int64_t k = 1; k <= 4; ++k) {
      const std::int64_t x = RoundHalfEven(end - 50 * (k + 1), 50);
      if (x <= 1) continue;
      TrackCell* cell = s_.Cell(x);
      if (cell == nullptr) return Record(kOutsideTheTrack, position, Next::kEndRead);
      cell->approach_code = static_cast<std::uint8_t>(80 + k);
    }
  }
  if (entry.kind < 25) {
    const std::int64_t y = RoundHalfEven(end - 50, 50);
    if (y <= 1) return Record(24);
    TrackCell* cell = s_.Cell(y);
    if (cell == nullptr) return Record(kOutsideTheTrack, position, Next::kEndRead);
    s_.PutFeature(*cell, y, kStationStop);
    cell->value_a = static_cast<std::int16_t>(station_);
  }
  if (station_ > 1 && start - 350 < s_.header[static_cast<std::size_t>(station_ - 1)].end) {
    return Record(22, position, Next::kStop);
  }
  ++station_;
  if (station_ >= s_.board_slot) return Record(10);
  return Next::kGoOn;
}

// The profiles run on to cell U - 3; then the kilometre references are
// checked.
void TrainReader::EndOfRead() {
  do {
    TrackCell* cell = s_.Cell(speed_cursor_);  // the fills keep the cursor at U or below
    if (cell == nullptr) break;
    cell->speed_limit = SpeedByte(previous_speed_);
    ++speed_cursor_;
  } while (speed_cursor_ < s_.last_cell() - 2);
  do {
    if (!WriteAdhesion()) {
      Record(kOutsideTheTrack, last_adhesion_progressive_, Next::kGoOn);
      break;
    }
  } while (adhesion_cursor_ < s_.last_cell() - 2);
  for (std::size_t entry = kReferenceTre; entry <= kReferenceUno; ++entry) {
    if (s_.header[entry].start % 50 != 0 || s_.header[entry].end % 50 != 0) {
      s_.RecordError(2);
      s_.error_location = {SourceLocation::File::kLine, -1};  // the references' file
    }
  }
}

}  // namespace

void ReadTrainFile(CompilerState& state) {
  state.reading = {SourceLocation::File::kTrain, -1};
  auto bytes = ReadWholeFile(state.train_file);
  if (!bytes) throw RuntimeFailure("the train data file cannot be read");
  TrainReader(state, std::move(*bytes)).Run();
}

}  // namespace tarvosa
