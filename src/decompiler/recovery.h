// What the decompiler recovers from the compiled files, record by record,
// before the records are put together into the two texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/compiled_files.h"
#include "compiler/compiled_model.h"
#include "compiler/stored_format.h"
#include "compiler/stored_views.h"
#include "decompiler/decompile.h"

namespace tarvosa::decompiler {

// The compiled files decoded, and checked to belong together.
struct CompiledInput {
  std::vector<TrackCell> cells;
  ScenarioHeader header{};
  std::optional<DecodedPlan> plan;

  std::int64_t last_cell() const { return static_cast<std::int64_t>(cells.size()) - 1; }
};

// A braking point of the train file: its cell and its value (0 for a point
// without one).
struct BrakingPointRecord {
  std::int64_t cell = 0;
  std::int64_t value = 0;
};

// Each section's record lines, without their line ends.
struct Recovery {
  std::vector<std::string> line_general, curves, gradients, spans, speed_boards, text_boards;
  std::vector<std::string> train_general, adhesion, speeds, stations, slow_downs, signals;
  std::vector<std::string> signals_before_stations;  // a station wrote over their codes
  std::vector<BrakingPointRecord> points;
  std::vector<DecompileWarning> warnings;

  void Warn(CompiledPart part, std::string text) { warnings.push_back({part, std::move(text)}); }
};

// "keyword,  1,  2,  3": a record of whole numbers.
std::string Record(std::string_view keyword, const std::vector<std::int64_t>& values);

// The field a text (a station name, a board text) is written as, so that it
// reads back as `text`; when it cannot (a leading blank, a comma, a line end,
// a leading double quote), the closest field that can, and `problem` says
// why.
struct WrittenText {
  std::string field;
  std::string problem;  // empty when the field reads back as the text
};
WrittenText TextField(std::string_view text);

// The two texts, with their section headers.
std::string LineText(const Recovery& recovery);
std::string TrainText(const Recovery& recovery);

// The recoveries, each from what the compiled files hold.
void RecoverGeneralSettings(const CompiledInput& in, Recovery& out);
void RecoverProfiles(const CompiledInput& in, Recovery& out);
void RecoverCurves(const CompiledInput& in, Recovery& out);
void RecoverSpans(const CompiledInput& in, Recovery& out);
void RecoverBoards(const CompiledInput& in, Recovery& out);
void RecoverStations(const CompiledInput& in, Recovery& out);
void RecoverSignals(const CompiledInput& in, Recovery& out);
void RecoverSlowDowns(const CompiledInput& in, Recovery& out);
// Only the braking points that cannot be the compiler's own (kind 13, or
// kind 12 with a value other than 180).
void RecoverOwnBrakingPoints(const CompiledInput& in, Recovery& out);

}  // namespace tarvosa::decompiler
