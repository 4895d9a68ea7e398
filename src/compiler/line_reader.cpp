#include "compiler/line_reader.h"

#include <algorithm>

#include "compiler/arithmetic.h"
#include "compiler/field_reader.h"
#include "compiler/plan.h"
#include "compiler/stores.h"
#include "util/files.h"

namespace tarvosa {
namespace {

constexpr std::int32_t kLongestLine = 1000000;
constexpr std::int64_t kPlanCursorLimit = 1000000;
constexpr std::int64_t kPlanMargin = 7000;

// What a record asks of the feature loop.
enum class Next { kGoOn, kEndFeatures, kStop };

class LineReader {
 public:
  LineReader(CompilerState& state, std::string bytes)
      : s_(state), in_(std::move(bytes), &state.reading, SourceLocation::File::kLine) {}

  LineHalfEnd Run() {
    if (!FindGeneralPart() || !ReadGeneralPart()) return LineHalfEnd::kStop;
    progressive_ordina(s_);
    s_.span_count = 0;
    s_.board_slot = kFirstBoardSlot;
    if (s_.line_data && !SetPlanOrigin(*s_.line_data)) throw RuntimeFailure("a plan without row 1");
    if (ReadFeatures() == Next::kStop) return LineHalfEnd::kStop;
    GradientTail();
    PlanTail();
    return LineHalfEnd::kTrainHalfFollows;
  }

 private:
  std::string& field() { return s_.current_field; }

  void Record(std::int32_t code) { s_.RecordError(code); }
  void Record(std::int32_t code, std::int32_t position) {
    s_.RecordError(code);
    s_.error_position = position;
  }
  // Tells the observer, when there is one, of the record whose keyword
  // stands at `at`.
  void Tell(const SourceLocation& at, RecordKind kind, std::int64_t progressive,
            std::int64_t length = 0) {
    if (s_.observer != nullptr) s_.observer->RecordRead(at, kind, progressive, length);
  }

  bool FindGeneralPart() {
    do {
      field() = in_.ReadText();
      if (in_.AtEnd()) {
        Record(102);
        return false;
      }
    } while (!Contains(field(), "[generale]"));
    return true;
  }

  // The general settings, in any order, up to the next section header.
  bool ReadGeneralPart() {
    while (!in_.AtEnd()) {
      field() = in_.ReadText();
      if (in_.AtEnd()) break;
      for (int i = 0; i < 10; ++i) {
        if (Contains(field(), "-")) field() = in_.ReadText();
      }
      if (!ReadSetting()) return false;
      const bool header = Contains(field(), "[") && Contains(field(), "]");
      if (header && field().front() != '-') break;
    }
    return true;
  }

  bool ReadSetting() {
    const std::string& f = field();
    if (Contains(f, "percorso") && Contains(f, "lunghezza") && !ReadLength()) return false;
    if (ContainsExact(f, "tre") && ContainsExact(f, "progressiva")) ReadReference(kReferenceTre);
    if (ContainsExact(f, "due") && ContainsExact(f, "progressiva")) ReadReference(kReferenceDue);
    if (ContainsExact(f, "uno") && ContainsExact(f, "progressiva")) ReadReference(kReferenceUno);
    ScenarioEntry& route = s_.header[kRouteEntry];
    if (ContainsExact(f, "sfondo") && ContainsExact(f, "uno")) route.start = in_.ReadInt32();
    if (ContainsExact(f, "sfondo") && ContainsExact(f, "due")) route.position = in_.ReadInt32();
    if (ContainsExact(f, "sfondo") && ContainsExact(f, "tre")) route.end = in_.ReadInt32();
    if (ContainsExact(f, "segnali") && ContainsExact(f, "ripetizione")) return ReadRepetition();
    return true;
  }

  // The line's length sizes the track cells and the plan.
  bool ReadLength() {
    const std::int32_t length = in_.ReadInt32();
    s_.header[kNumbersEntry].end = length;
    if (length > kLongestLine) {
      Record(1);
      return false;
    }
    const std::int64_t rows = std::int64_t{length} + kPlanMargin;
    const std::int64_t last_cell = RoundHalfEven(rows, 50);
    if (last_cell < 0 || (s_.j != 0 && rows < 0)) throw RuntimeFailure("a negative line length");
    s_.cells.emplace(static_cast<std::size_t>(last_cell + 1));
    s_.line_data.reset();
    if (s_.j != 0) {
      LineData& plan = s_.line_data.emplace();
      plan.last_row = static_cast<std::int32_t>(rows);
      plan.x.reserve(static_cast<std::size_t>(rows));
      plan.y.reserve(static_cast<std::size_t>(rows));
    }
    return true;
  }

  void ReadReference(std::size_t entry) {
    ScenarioEntry& reference = s_.header[entry];
    reference.start = in_.ReadInt32();
    reference.end = in_.ReadInt32();
    reference.position = in_.ReadInt32();
  }

  bool ReadRepetition() {
    ScenarioEntry& train = s_.header[kTrainEntry];
    train.start = in_.ReadInt32();
    train.end = in_.ReadInt32();
    if (train.start % 50 != 0 || train.end % 50 != 0) {
      Record(train.start % 50 != 0 ? 3 : 4);
      return false;
    }
    if (Contains(field(), "4")) {
      train.position = 4;
    } else if (Contains(field(), "9")) {
      train.position = 9;
    } else {
      Record(5);
      return false;
    }
    if (train.end == 0) train.position = 0;
    return true;
  }

  Next ReadFeatures() {
    while (ReadKeyword(in_, field())) {
      const Next next = ReadFeature();
      if (next != Next::kGoOn) return next;
    }
    return Next::kGoOn;
  }

  // Every test is made, in this order, on the field in keyword position.
  Next ReadFeature() {
    keyword_ = s_.reading;
    const std::string& f = field();
    const bool gradient = Contains(f, "pendenza");
    const bool curve = Contains(f, "curva");
    const bool tunnel = Contains(f, "montagna");
    const bool speed_board = Contains(f, "indicatori_v");
    const bool text_board = Contains(f, "indicat") && Contains(f, "cartello");
    Next next = Next::kGoOn;
    if (gradient) next = ReadGradient();
    if (next == Next::kGoOn && curve && s_.j != 0) next = ReadCurve();
    if (next == Next::kGoOn && tunnel) next = ReadTunnel();
    if (next == Next::kGoOn && speed_board) next = ReadSpeedBoard();
    if (next == Next::kGoOn && text_board) next = ReadTextBoard();
    const bool matched = gradient || curve || tunnel || speed_board || text_board;
    if (!matched && s_.observer != nullptr) s_.observer->UnknownField(keyword_, f);
    return next;
  }

  // A feature must lie at least 100 m inside the last cell.
  bool InRange(std::int32_t progressive) {
    if (!s_.cells) throw RuntimeFailure("a feature before the line's length");
    if (std::int64_t{progressive} + 100 <= 50 * s_.last_cell()) return true;
    Record(15, progressive);
    return false;
  }

  Next ReadGradient() {
    const std::int32_t progressive = in_.ReadInt32();
    const std::int32_t gradient = in_.ReadInt32();
    Tell(keyword_, RecordKind::kGradient, progressive);
    if (!InRange(progressive)) return Next::kEndFeatures;
    last_gradient_progressive_ = progressive;
    const std::int64_t cell = RoundHalfEven(progressive, 50);
    if (cell > 0) {
      do {
        if (!WriteGradient()) {
          Record(15, progressive);
          return Next::kEndFeatures;
        }
      } while (gradient_cursor_ < cell);
    }
    previous_gradient_ = gradient;
    return Next::kGoOn;
  }

  // The previous gradient into the cell at the cursor, which then advances.
  bool WriteGradient() {
    TrackCell* cell = s_.Cell(gradient_cursor_);
    if (cell == nullptr) return false;
    cell->gradient = static_cast<std::uint8_t>(std::int64_t{previous_gradient_} + 100);
    ++gradient_cursor_;
    return true;
  }

  Next ReadCurve() {
    const std::int32_t start = in_.ReadInt32();
    const std::int32_t length = in_.ReadInt32();
    Tell(keyword_, RecordKind::kCurve, start, length);
    if (!InRange(start)) return Next::kEndFeatures;
    int curve_class = 0;
    for (int digit = 1; digit <= 6 && curve_class == 0; ++digit) {
      if (Contains(field(), std::string(1, static_cast<char>('0' + digit)))) curve_class = digit;
    }
    if (curve_class == 0) {
      Record(103);
      return Next::kStop;
    }
    double k = CurveClassCurvature(curve_class);
    if (Contains(field(), "s")) k = -k;
    const std::int64_t end = std::int64_t{start} + length;
    if (!ExtendCurve(std::min<std::int64_t>(start, end), 0.0, false) ||
        !ExtendCurve(end, k, true)) {
      Record(103);
      return Next::kStop;
    }
    return Next::kGoOn;
  }

  // The plan up to row `target`; false when it would pass the plan's last row
  // or row 1000000, after writing what lies before.
  bool ExtendCurve(std::int64_t target, double k, bool curved) {
    LineData& plan = *s_.line_data;
    if (plan.next_row() > target) return true;
    const std::int64_t reach = std::min({target, std::int64_t{plan.last_row}, kPlanCursorLimit});
    ExtendPlanTo(plan, reach, k, curved);
    return reach == target && plan.next_row() <= kPlanCursorLimit;
  }

  Next ReadTunnel() {
    const std::int32_t inizio = in_.ReadInt32();
    const std::int32_t fine = in_.ReadInt32();
    std::int32_t tipo = in_.ReadInt32();
    Tell(keyword_, RecordKind::kTunnel, inizio, std::int64_t{fine} - inizio);
    if (!InRange(inizio)) return Next::kEndFeatures;
    memo_montagna(s_, inizio, fine, tipo);
    return Refused(s_, inizio) ? Next::kStop : Next::kGoOn;
  }

  Next ReadSpeedBoard() {
    std::int32_t v[9];
    for (std::int32_t& value : v) value = in_.ReadInt32();
    Tell(keyword_, RecordKind::kSpeedBoard, v[0]);
    if (!InRange(v[0])) return Next::kEndFeatures;
    memo_indicatori_v_max(s_, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]);
    return Refused(s_, v[0]) ? Next::kStop : Next::kGoOn;
  }

  Next ReadTextBoard() {
    const std::int32_t progressive = in_.ReadInt32();
    field() = in_.ReadText();
    Tell(keyword_, RecordKind::kTextBoard, progressive);
    if (s_.observer != nullptr) s_.observer->TextRead(s_.reading, field());
    if (!InRange(progressive)) return Next::kEndFeatures;
    TrackCell* cell = s_.Cell(CellOf(progressive));
    if (cell == nullptr) {
      Record(15, progressive);
      return Next::kEndFeatures;
    }
    if (!IsFree(*cell)) {
      Record(6, progressive);
      return Next::kStop;
    }
    if (s_.board_slot < 0) {
      Record(14, progressive);
      return Next::kStop;
    }
    s_.PutFeature(*cell, CellOf(progressive), kTextBoard);
    cell->value_a = static_cast<std::int16_t>(s_.board_slot);
    s_.header[static_cast<std::size_t>(s_.board_slot)].name = field();
    --s_.board_slot;
    return Next::kGoOn;
  }

  // The last gradient holds up to cell U - 3.
  void GradientTail() {
    if (!s_.cells) throw RuntimeFailure("no track cells for the gradients");
    do {
      if (!WriteGradient()) {
        Record(15, last_gradient_progressive_);
        return;
      }
    } while (gradient_cursor_ < s_.last_cell() - 2);
  }

  // The axis runs straight on to row N - 2.
  void PlanTail() {
    if (s_.j == 0) return;
    if (!s_.line_data) throw RuntimeFailure("no plan to extend");
    LineData& plan = *s_.line_data;
    ExtendPlanTo(plan, std::int64_t{plan.last_row} - 2, 0.0, false);
  }

  CompilerState& s_;
  FieldReader in_;
  SourceLocation keyword_;  // where the record being read begins
  std::int64_t gradient_cursor_ = 0;
  std::int32_t previous_gradient_ = 0;
  std::int32_t last_gradient_progressive_ = 0;
};

}  // namespace

LineHalfEnd ReadLineFile(CompilerState& state) {
  state.header[kRouteEntry].name = state.route_title;
  state.header[kTrainEntry].name = state.train_title;
  state.reading = {SourceLocation::File::kLine, -1};
  if (!IsRegularFile(state.line_file)) {
    state.RecordError(101);
    return LineHalfEnd::kStop;
  }
  auto bytes = ReadWholeFile(state.line_file);
  if (!bytes) throw RuntimeFailure("the line file cannot be read");
  return LineReader(state, std::move(*bytes)).Run();
}

}  // namespace tarvosa
