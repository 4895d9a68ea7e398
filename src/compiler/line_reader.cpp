#include "compiler/line_reader.h"

#include <algorithm>

#include "compiler/arithmetic.h"
#include "compiler/field_reader.h"
#include "compiler/messages.h"
#include "compiler/plan.h"
#include "compiler/stores.h"

namespace tarvosa {
namespace {

constexpr std::int32_t kLongestLine = 1000000;
constexpr std::int64_t kPlanCursorLimit = 1000000;
constexpr std::int64_t kPlanMargin = 7000;
constexpr auto kLineFile = SourceLocation::File::kLine;

// What a record asks of the feature loop.
enum class Next { kGoOn, kEndFeatures, kStop };

class LineReader {
 public:
  LineReader(std::string_view bytes, bool plan, CompiledScenario& out, ReaderScratch& scratch,
             Diagnostics& diagnostics)
      : in_(bytes), plan_(plan), out_(out), scratch_(scratch), d_(diagnostics) {}

  LineHalfEnd Run() {
    if (!FindGeneralPart() || !ReadGeneralPart()) return LineHalfEnd::kStop;
    progressive_ordina(out_.header);
    scratch_.spans = {};
    scratch_.board_slot = kFirstBoardSlot;
    if (out_.plan && !SetPlanOrigin(*out_.plan)) {
      throw RuntimeFailure("the line length leaves no room for the plan's first rows", -1);
    }
    if (ReadFeatures() == Next::kStop) return LineHalfEnd::kStop;
    GradientTail();
    PlanTail();
    return LineHalfEnd::kTrainHalfFollows;
  }

 private:
  std::string_view field() const { return scratch_.current_field; }
  SourceLocation Here() const { return {kLineFile, in_.field_start()}; }
  std::vector<TrackCell>& cells() { return out_.cells; }

  // Reads the record's progressive; it is where the record's faults stand.
  std::int32_t ReadProgressive(std::string_view what) {
    const std::int32_t progressive = in_.ReadInt32(what);
    d_.record = Here();
    return progressive;
  }
  // Tells the observer, when there is one, of the record being read.
  void Tell(RecordKind kind, std::int64_t progressive, std::int64_t length = 0) {
    if (d_.observer() != nullptr) {
      d_.observer()->RecordRead(scratch_.keyword, kind, progressive, length);
    }
  }

  bool FindGeneralPart() {
    std::int64_t fields = 0;
    do {
      scratch_.current_field = in_.ReadText("the [generale] line");
      ++fields;
      if (in_.AtEnd()) {
        d_.Record(DataError::kNoGeneralPart, {kLineFile, -1},
                  "none of its " + std::to_string(fields) + " fields holds '[generale]'");
        return false;
      }
    } while (!Contains(field(), "[generale]"));
    return true;
  }

  // The general settings, in any order, up to the next section header.
  bool ReadGeneralPart() {
    while (!in_.AtEnd()) {
      scratch_.keyword = {};
      scratch_.current_field = in_.ReadText("a setting");
      if (in_.AtEnd()) break;
      for (int i = 0; i < 10; ++i) {
        if (Contains(field(), "-")) {
          scratch_.current_field = in_.ReadText("the field after one holding '-'");
        }
      }
      scratch_.keyword = Here();
      if (!ReadSetting()) return false;
      const bool header = Contains(field(), "[") && Contains(field(), "]");
      if (header && field().front() != '-') break;
    }
    return true;
  }

  bool ReadSetting() {
    const std::string_view f = field();
    if (Contains(f, "percorso") && Contains(f, "lunghezza") && !ReadLength()) return false;
    if (ContainsExact(f, "tre") && ContainsExact(f, "progressiva")) ReadReference(0, kReferenceTre);
    if (ContainsExact(f, "due") && ContainsExact(f, "progressiva")) ReadReference(1, kReferenceDue);
    if (ContainsExact(f, "uno") && ContainsExact(f, "progressiva")) ReadReference(2, kReferenceUno);
    ScenarioEntry& route = out_.header[kRouteEntry];
    if (ContainsExact(f, "sfondo") && ContainsExact(f, "uno")) {
      route.start = in_.ReadInt32("the first background");
    }
    if (ContainsExact(f, "sfondo") && ContainsExact(f, "due")) {
      route.position = in_.ReadInt32("the second background");
    }
    if (ContainsExact(f, "sfondo") && ContainsExact(f, "tre")) {
      route.end = in_.ReadInt32("the third background");
    }
    if (ContainsExact(f, "segnali") && ContainsExact(f, "ripetizione")) return ReadRepetition();
    return true;
  }

  // The line's length sizes the track cells and the plan.
  bool ReadLength() {
    const std::int32_t length = in_.ReadInt32("the line length");
    out_.header[kNumbersEntry].end = length;
    if (length > kLongestLine) {
      d_.Record(DataError::kLineTooLong, Here(), "it is " + Metres(length));
      return false;
    }
    const std::int64_t rows = std::int64_t{length} + kPlanMargin;
    const std::int64_t last_cell = RoundHalfEven(rows, 50);
    if (last_cell < 0 || (plan_ && rows < 0)) {
      throw RuntimeFailure("the line length " + Metres(length) +
                               " leaves no track: the track runs 7000 m beyond the line's end",
                           in_.field_start());
    }
    cells().assign(static_cast<std::size_t>(last_cell + 1), TrackCell{});
    out_.plan.reset();
    if (plan_) {
      LineData& plan = out_.plan.emplace();
      plan.last_row = static_cast<std::int32_t>(rows);
      plan.x.reserve(static_cast<std::size_t>(rows));
      plan.y.reserve(static_cast<std::size_t>(rows));
    }
    return true;
  }

  void ReadReference(std::size_t read, std::size_t entry) {
    ScenarioEntry& reference = out_.header[entry];
    reference.start = in_.ReadInt32("the reference's start");
    scratch_.references[read].at = Here();
    reference.end = in_.ReadInt32("the reference's end");
    reference.position = in_.ReadInt32("the reference's position");
    scratch_.references[read].start = reference.start;
    scratch_.references[read].end = reference.end;
  }

  bool ReadRepetition() {
    ScenarioEntry& train = out_.header[kTrainEntry];
    train.start = in_.ReadInt32("the first progressive of the repetition");
    const SourceLocation first = Here();
    train.end = in_.ReadInt32("the second progressive of the repetition");
    if (train.start % 50 != 0) {
      d_.Record(DataError::kRepetitionStartOffCell, first, NotAMultipleText(train.start, 50));
      return false;
    }
    if (train.end % 50 != 0) {
      d_.Record(DataError::kRepetitionEndOffCell, Here(), NotAMultipleText(train.end, 50));
      return false;
    }
    if (Contains(field(), "4")) {
      train.position = 4;
    } else if (Contains(field(), "9")) {
      train.position = 9;
    } else {
      d_.Record(DataError::kRepetitionCodeCount, scratch_.keyword,
                "the keyword " + Quoted(field()) + " holds no 4 and no 9");
      return false;
    }
    if (train.end == 0) train.position = 0;
    return true;
  }

  Next ReadFeatures() {
    while (ReadKeyword(in_, kLineFile, scratch_)) {
      const Next next = ReadFeature();
      if (next != Next::kGoOn) return next;
    }
    return Next::kGoOn;
  }

  // Every test is made, in this order, on the field in keyword position.
  Next ReadFeature() {
    const std::string_view f = field();
    const bool gradient = Contains(f, "pendenza");
    const bool curve = Contains(f, "curva");
    const bool tunnel = Contains(f, "montagna");
    const bool speed_board = Contains(f, "indicatori_v");
    const bool text_board = Contains(f, "indicat") && Contains(f, "cartello");
    Next next = Next::kGoOn;
    if (gradient) next = ReadGradient();
    if (next == Next::kGoOn && curve && plan_) next = ReadCurve();
    if (next == Next::kGoOn && tunnel) next = ReadTunnel();
    if (next == Next::kGoOn && speed_board) next = ReadSpeedBoard();
    if (next == Next::kGoOn && text_board) next = ReadTextBoard();
    const bool matched = gradient || curve || tunnel || speed_board || text_board;
    if (!matched && d_.observer() != nullptr) d_.observer()->UnknownField(scratch_.keyword, f);
    return next;
  }

  // A feature must lie at least 100 m inside the last cell.
  bool InRange(std::int32_t progressive, std::string_view what) {
    if (cells().empty()) {
      throw RuntimeFailure("no 'lunghezza percorso' record before the features",
                           scratch_.keyword.offset);
    }
    if (std::int64_t{progressive} + 100 <= 50 * LastCell(cells())) return true;
    d_.Record(DataError::kOutsideTheTrack, d_.record,
              BeyondTheEndText(what, progressive, 100, out_), progressive);
    return false;
  }

  Next ReadGradient() {
    const std::int32_t progressive = ReadProgressive("the gradient's progressive");
    const std::int32_t gradient = in_.ReadInt32("the gradient");
    Tell(RecordKind::kGradient, progressive);
    if (!InRange(progressive, "the gradient")) return Next::kEndFeatures;
    last_gradient_ = d_.record;
    last_gradient_progressive_ = progressive;
    const std::int64_t cell = RoundHalfEven(progressive, 50);
    if (cell > 0) {
      do {
        if (!WriteGradient()) return Next::kEndFeatures;
      } while (gradient_cursor_ < cell);
    }
    previous_gradient_ = gradient;
    return Next::kGoOn;
  }

  // The previous gradient into the cell at the cursor, which then advances;
  // false, with 15 recorded, when the cursor has left the track.
  bool WriteGradient() {
    TrackCell* cell = CellAt(cells(), gradient_cursor_);
    if (cell == nullptr) {
      d_.Record(DataError::kOutsideTheTrack, last_gradient_,
                "the gradients run on into " + OutsideText(cells(), gradient_cursor_),
                last_gradient_progressive_);
      return false;
    }
    cell->gradient = static_cast<std::uint8_t>(std::int64_t{previous_gradient_} + 100);
    ++gradient_cursor_;
    return true;
  }

  Next ReadCurve() {
    const std::int32_t start = ReadProgressive("the curve's start");
    const std::int32_t length = in_.ReadInt32("the curve's length");
    Tell(RecordKind::kCurve, start, length);
    if (!InRange(start, "the curve")) return Next::kEndFeatures;
    int curve_class = 0;
    for (int digit = 1; digit <= 6 && curve_class == 0; ++digit) {
      if (Contains(field(), std::string(1, static_cast<char>('0' + digit)))) curve_class = digit;
    }
    if (curve_class == 0) {
      d_.Record(DataError::kBadCurve, scratch_.keyword,
                "the keyword " + Quoted(field()) + " holds no class digit from 1 to 6");
      return Next::kStop;
    }
    double k = CurveClassCurvature(curve_class);
    if (Contains(field(), "s")) k = -k;
    // The straight run reaches the curve's start whatever its length; a
    // curve of no length or less has no curved run.
    const std::int64_t end = std::int64_t{start} + length;
    if (!ExtendPlan(start, 0.0, false) || !ExtendPlan(end, k, true)) return Next::kStop;
    return Next::kGoOn;
  }

  // The plan up to row `target`. False, with 103 recorded, when it would
  // pass the plan's last row or row 1000000; what lies before stays written.
  bool ExtendPlan(std::int64_t target, double k, bool curved) {
    LineData& plan = *out_.plan;
    if (plan.next_row() > target) return true;
    const std::int64_t reach = std::min({target, std::int64_t{plan.last_row}, kPlanCursorLimit});
    ExtendPlanTo(plan, reach, k, curved);
    if (reach == target && plan.next_row() <= kPlanCursorLimit) return true;
    const bool past_limit = reach == kPlanCursorLimit;
    d_.Record(DataError::kBadCurve, d_.record,
              std::string(curved ? "the curve" : "the straight run before the curve") +
                  " would run to row " + std::to_string(target) + " of the plan, past " +
                  (past_limit ? "row 1000000, the most a plan may have"
                              : "its last row, " + std::to_string(plan.last_row)));
    return false;
  }

  Next ReadTunnel() {
    const std::int32_t inizio = ReadProgressive("the span's start");
    const std::int32_t fine = in_.ReadInt32("the span's end");
    std::int32_t tipo = in_.ReadInt32("the span's type");
    Tell(RecordKind::kTunnel, inizio, std::int64_t{fine} - inizio);
    if (!InRange(inizio, "the tunnel span")) return Next::kEndFeatures;
    memo_montagna(cells(), scratch_.spans, d_, inizio, fine, tipo);
    return Refused(d_, inizio) ? Next::kStop : Next::kGoOn;
  }

  Next ReadSpeedBoard() {
    std::int32_t v[9];
    v[0] = ReadProgressive("the board's progressive");
    static constexpr const char* kValues[] = {"the left first speed",  "the left second speed",
                                              "the left third speed",  "the left stripes",
                                              "the right first speed", "the right second speed",
                                              "the right third speed", "the right stripes"};
    for (int i = 1; i < 9; ++i) v[i] = in_.ReadInt32(kValues[i - 1]);
    Tell(RecordKind::kSpeedBoard, v[0]);
    if (!InRange(v[0], "the speed-indicator board")) return Next::kEndFeatures;
    memo_indicatori_v_max(cells(), d_, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]);
    return Refused(d_, v[0]) ? Next::kStop : Next::kGoOn;
  }

  Next ReadTextBoard() {
    const std::int32_t progressive = ReadProgressive("the board's progressive");
    const SourceLocation board = d_.record;
    const std::string_view text = in_.ReadText("the board text");
    const SourceLocation text_at = Here();
    Tell(RecordKind::kTextBoard, progressive);
    if (d_.observer() != nullptr) d_.observer()->TextRead(text_at, text);
    if (!InRange(progressive, "the text board")) return Next::kEndFeatures;
    const std::int64_t index = CellOf(progressive);
    TrackCell* cell = CellAt(cells(), index);
    if (cell == nullptr) {
      d_.Record(DataError::kOutsideTheTrack, board,
                "the text board falls in " + OutsideText(cells(), index), progressive);
      return Next::kEndFeatures;
    }
    if (!IsFree(*cell)) {
      d_.Record(DataError::kTextBoardCellTaken, board,
                CellText(index) + ", where the board goes, already holds a " +
                    std::string(CellKindName(cell->kind)),
                progressive, d_.OriginOf(index));
      return Next::kStop;
    }
    if (scratch_.board_slot < 0) {
      d_.Record(DataError::kTooManyTextBoards, board, "this is board 82", progressive);
      return Next::kStop;
    }
    if (text.size() > kLongestName) {
      throw RuntimeFailure("the board text is " + std::to_string(text.size()) +
                               " characters long; a text holds at most 65535",
                           text_at.offset);
    }
    PutFeature(*cell, index, kTextBoard, d_);
    cell->value_a = static_cast<std::int16_t>(scratch_.board_slot);
    out_.header[static_cast<std::size_t>(scratch_.board_slot)].name = text;
    --scratch_.board_slot;
    return Next::kGoOn;
  }

  // The last gradient holds up to cell U - 3.
  void GradientTail() {
    if (cells().empty()) {
      throw RuntimeFailure("the file has no 'lunghezza percorso' record, so there is no track", -1);
    }
    do {
      if (!WriteGradient()) return;
    } while (gradient_cursor_ < LastCell(cells()) - 2);
  }

  // The axis runs straight on to row N - 2.
  void PlanTail() {
    if (!plan_) return;
    if (!out_.plan) throw RuntimeFailure("the file has no 'lunghezza percorso' record", -1);
    LineData& plan = *out_.plan;
    ExtendPlanTo(plan, std::int64_t{plan.last_row} - 2, 0.0, false);
  }

  FieldReader in_;
  bool plan_;
  CompiledScenario& out_;
  ReaderScratch& scratch_;
  Diagnostics& d_;
  std::int64_t gradient_cursor_ = 0;
  std::int32_t previous_gradient_ = 0;
  std::int32_t last_gradient_progressive_ = 0;
  SourceLocation last_gradient_;
};

}  // namespace

LineHalfEnd ReadLineFile(std::string_view bytes, bool plan, CompiledScenario& out,
                         ReaderScratch& scratch, Diagnostics& diagnostics) {
  try {
    return LineReader(bytes, plan, out, scratch, diagnostics).Run();
  } catch (const RuntimeFailure& failure) {
    RecordReadFailure(failure, kLineFile, scratch, diagnostics);
    return LineHalfEnd::kStop;
  }
}

}  // namespace tarvosa
