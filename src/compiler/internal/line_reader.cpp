#include "compiler/internal/line_reader.h"

#include <algorithm>

#include "compiler/internal/arithmetic.h"
#include "compiler/internal/field_reader.h"
#include "compiler/internal/general_part.h"
#include "compiler/internal/lint.h"
#include "compiler/internal/record_reader.h"
#include "compiler/internal/stores.h"
#include "compiler/messages.h"
#include "compiler/plan.h"
#include "compiler/references.h"
#include "compiler/stored_views.h"

namespace tarvosa {
namespace {

constexpr std::int64_t kPlanCursorLimit = 1000000;
constexpr auto kLineFile = SourceLocation::File::kLine;

// What a record asks of the feature loop.
enum class Next { kGoOn, kEndFeatures, kStop };

class LineReader : RecordReader {
 public:
  LineReader(FieldReader& in, bool plan, CompiledScenario& out, ReaderScratch& scratch,
             Diagnostics& diagnostics)
      : RecordReader(in, kLineFile, out, scratch, diagnostics), plan_(plan) {}

  LineHalfEnd Run() {
    if (!ReadGeneralPart(*this, plan_)) return LineHalfEnd::kStop;
    // Reading on, features with no track to stand on would each fail alike.
    if (d.read_on() && cells().empty()) {
      throw RuntimeFailure("the file has no 'lunghezza percorso' record, so there is no track", -1);
    }
    if (Status ordered = progressive_ordina(out.header); !ordered.ok()) {
      const RuntimeFailure unordered(ordered.message(), -1);
      if (!d.read_on()) throw unordered;
      RecordReadFailure(unordered, kLineFile, scratch, d);
    }
    scratch.spans = {};
    scratch.board_slot = kFirstBoardSlot;
    if (out.plan && !SetPlanOrigin(*out.plan)) {
      throw RuntimeFailure("the line length leaves no room for the plan's first rows", -1);
    }
    if (ReadFeatures() == Next::kStop) return LineHalfEnd::kStop;
    GradientTail();
    PlanTail();
    return LineHalfEnd::kTrainHalfFollows;
  }

 private:
  Next ReadFeatures() {
    if (d.read_on()) {
      ReadOn([this] { ReadFeature(); });
      return Next::kGoOn;
    }
    while (ReadKeyword(in, kLineFile, scratch, d)) {
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
    Matched(gradient || curve || tunnel || speed_board || text_board);
    return next;
  }

  Next ReadGradient() {
    const std::int32_t progressive = ReadProgressive("the gradient's progressive");
    const std::int32_t gradient = in.ReadInt32("the gradient");
    WarnProfileStep(gradient_step_, "the gradient", progressive);
    WarnPastTheLine("the gradient", progressive, progressive);
    lint::Stored(d, Here(), "a gradient", gradient, GradientPerMille(StoredGradient(gradient)),
                 "a cell keeps the gradient plus 100 in one byte, which holds -100 to 155");
    if (!InRange(progressive, 100, "the gradient")) return Next::kEndFeatures;
    last_gradient_ = d.record;
    last_gradient_progressive_ = progressive;
    const std::int64_t cell = ProfileCellOf(progressive);
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
      d.Record(DataError::kOutsideTheTrack, last_gradient_,
               "the gradients run on into " + OutsideText(cells(), gradient_cursor_),
               last_gradient_progressive_);
      return false;
    }
    cell->gradient = StoredGradient(previous_gradient_);
    ++gradient_cursor_;
    return true;
  }

  Next ReadCurve() {
    const std::int32_t start = ReadProgressive("the curve's start");
    const std::int32_t length = in.ReadInt32("the curve's length");
    WarnCurve(start, length);
    if (!InRange(start, 100, "the curve")) return Next::kEndFeatures;
    int curve_class = 0;
    for (int digit = 1; digit <= 6 && curve_class == 0; ++digit) {
      if (Contains(field(), std::string(1, static_cast<char>('0' + digit)))) curve_class = digit;
    }
    if (curve_class == 0) {
      d.Record(DataError::kBadCurve, scratch.keyword,
               "the keyword " + Quoted(field()) + " holds no class digit from 1 to 6");
      return Next::kStop;
    }
    const bool left = Contains(field(), "s");
    lint::CurveKeyword(d, scratch.keyword, field(), curve_class, left);
    const double k = left ? -CurveClassCurvature(curve_class) : CurveClassCurvature(curve_class);
    // The straight run reaches the curve's start whatever its length; a
    // curve of no length or less has no curved run.
    const std::int64_t end = std::int64_t{start} + length;
    if (!ExtendPlan(start, 0.0, false) || !ExtendPlan(end, k, true)) return Next::kStop;
    return Next::kGoOn;
  }

  void WarnCurve(std::int64_t start, std::int64_t length) {
    if (length <= 0) {
      d.Warn(d.record, [&] {
        return "a curve of length " + Metres(length) +
               " bends nothing: only the straight run before it is drawn";
      });
    }
    if (curve_seen_ && start < curve_end_) {
      d.Warn(d.record, [&] {
        return "the curve at " + Metres(start) + " overlaps the one before, which ends at " +
               Metres(curve_end_);
      });
    }
    curve_seen_ = true;
    curve_end_ = std::max(curve_end_, start + length);
    WarnPastTheLine("the curve", start, start + length);
  }

  // The plan up to row `target`. False, with 103 recorded, when it would
  // pass the plan's last row or row 1000000; what lies before stays written.
  bool ExtendPlan(std::int64_t target, double k, bool curved) {
    LineData& plan = *out.plan;
    if (plan.next_row() > target) return true;
    const std::int64_t reach = std::min({target, std::int64_t{plan.last_row}, kPlanCursorLimit});
    ExtendPlanTo(plan, reach, k, curved);
    if (reach == target && plan.next_row() <= kPlanCursorLimit) return true;
    const bool past_limit = reach == kPlanCursorLimit;
    d.Record(DataError::kBadCurve, d.record,
             std::string(curved ? "the curve" : "the straight run before the curve") +
                 " would run to row " + std::to_string(target) + " of the plan, past " +
                 (past_limit ? "row 1000000, the most a plan may have"
                             : "its last row, " + std::to_string(plan.last_row)));
    return false;
  }

  Next ReadTunnel() {
    const std::int32_t inizio = ReadProgressive("the span's start");
    const std::int32_t fine = in.ReadInt32("the span's end");
    std::int32_t tipo = in.ReadInt32("the span's type");
    if (fine <= inizio) {
      d.Warn(d.record, [&] {
        return "the tunnel span ends at " + Metres(fine) + ", not after its start at " +
               Metres(inizio) + ": it covers no cell";
      });
    }
    WarnPastTheLine("the tunnel span", inizio, fine);
    const SpanType type = SpanTypeOf(tipo);
    lint::Stored(d, Here(),
                 type.markers ? "a span type (less the 10 that asks for markers)" : "a span type",
                 type.type, static_cast<std::uint8_t>(type.type),
                 "a cell keeps the type in one byte, 0 to 255");
    if (!InRange(inizio, 100, "the tunnel span")) return Next::kEndFeatures;
    memo_montagna(cells(), scratch.spans, d, inizio, fine, tipo);
    return Refused(d, inizio) ? Next::kStop : Next::kGoOn;
  }

  Next ReadSpeedBoard() {
    std::int32_t v[9];
    std::int64_t at[9];
    v[0] = ReadProgressive("the board's progressive");
    static constexpr const char* kValues[] = {"the left first speed",  "the left second speed",
                                              "the left third speed",  "the left stripes",
                                              "the right first speed", "the right second speed",
                                              "the right third speed", "the right stripes"};
    for (int i = 1; i < 9; ++i) v[i] = in.ReadInt32(kValues[i - 1]), at[i] = in.field_start();
    WarnPastTheLine("the speed-indicator board", v[0], v[0]);
    static constexpr const char* kPairs[] = {"first speeds", "second speeds", "third speeds"};
    for (int i = 0; i < 3; ++i) {
      const std::int64_t stored = static_cast<std::int16_t>(BoardSpeedValue(v[1 + i], v[5 + i]));
      WarnBoardPair(at[1 + i], kPairs[i], {v[1 + i], v[5 + i]}, BoardSpeedsOf(stored),
                    "left × 20 + right ÷ 5");
    }
    const std::int64_t stripes = static_cast<std::int16_t>(BoardStripesValue(v[4], v[8]));
    WarnBoardPair(at[4], "stripes", {v[4], v[8]}, BoardStripesOf(stripes), "left × 10 + right");
    if (!InRange(v[0], 100, "the speed-indicator board")) return Next::kEndFeatures;
    memo_indicatori_v_max(cells(), d, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]);
    return Refused(d, v[0]) ? Next::kStop : Next::kGoOn;
  }

  // A board keeps each pair in one 16-bit value (`how`); a pair it cannot
  // give back as written is worth a word.
  void WarnBoardPair(std::int64_t at, const char* what, FieldPair written, FieldPair back,
                     const char* how) {
    if (back == written) return;
    d.Warn({SourceLocation::File::kLine, at}, [&] {
      return "the board's " + std::string(what) + ", " + std::to_string(written.left) + " and " +
             std::to_string(written.right) + ", are stored as " + std::to_string(back.left) +
             " and " + std::to_string(back.right) + ": a board keeps each pair as " + how +
             " in 16 bits";
    });
  }

  Next ReadTextBoard() {
    const std::int32_t progressive = ReadProgressive("the board's progressive");
    const SourceLocation board = d.record;
    const std::string_view text = in.ReadText("the board text");
    const SourceLocation text_at = Here();
    lint::Text(d, text_at, text);
    WarnPastTheLine("the text board", progressive, progressive);
    if (!InRange(progressive, 100, "the text board")) return Next::kEndFeatures;
    const std::int64_t index = CellOf(progressive);
    TrackCell* cell = CellAt(cells(), index);
    if (cell == nullptr) {
      d.Record(DataError::kOutsideTheTrack, board,
               "the text board falls in " + OutsideText(cells(), index), progressive);
      return Next::kEndFeatures;
    }
    if (!IsFree(*cell)) {
      d.Record(DataError::kTextBoardCellTaken, board,
               CellText(index) + ", where the board goes, already holds a " +
                   std::string(CellKindName(cell->kind)),
               progressive, d.OriginOf(index));
      return Next::kStop;
    }
    if (scratch.board_slot < 0) {
      d.Record(DataError::kTooManyTextBoards, board, "this is board 82", progressive);
      return Next::kStop;
    }
    if (text.size() > kLongestName) {
      throw RuntimeFailure("the board text is " + std::to_string(text.size()) +
                               " characters long; a text holds at most 65535",
                           text_at.offset);
    }
    PutFeature(*cell, index, kTextBoard, d);
    TextBoardCell{* cell}.text_entry = static_cast<std::int16_t>(scratch.board_slot);
    out.header[static_cast<std::size_t>(scratch.board_slot)].name = text;
    --scratch.board_slot;
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
    if (!out.plan) throw RuntimeFailure("the file has no 'lunghezza percorso' record", -1);
    LineData& plan = *out.plan;
    ExtendPlanTo(plan, std::int64_t{plan.last_row} - 2, 0.0, false);
  }

  bool plan_;
  std::int64_t gradient_cursor_ = 0;
  std::int32_t previous_gradient_ = 0;
  std::int32_t last_gradient_progressive_ = 0;
  SourceLocation last_gradient_;
  ProfileStep gradient_step_;
  bool curve_seen_ = false;
  std::int64_t curve_end_ = 0;
};

}  // namespace

LineHalfEnd ReadLineFile(std::string_view bytes, bool plan, CompiledScenario& out,
                         ReaderScratch& scratch, Diagnostics& diagnostics) {
  LineHalfEnd end = LineHalfEnd::kStop;
  try {
    FieldReader in(bytes);
    if (scratch.records != nullptr) in.KeepValues();
    end = LineReader(in, plan, out, scratch, diagnostics).Run();
  } catch (const RuntimeFailure& failure) {
    RecordReadFailure(failure, kLineFile, scratch, diagnostics);
  }
  lint::WrongWayRound(diagnostics, kLineFile, scratch.foreign_keywords, scratch.own_records);
  return end;
}

}  // namespace tarvosa
