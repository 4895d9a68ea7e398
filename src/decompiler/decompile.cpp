#include "decompiler/decompile.h"

#include <algorithm>

#include "compiler/compile.h"
#include "compiler/data_errors.h"
#include "compiler/messages.h"
#include "decompiler/comparison.h"
#include "decompiler/compiled_input.h"
#include "decompiler/recovery.h"

namespace tarvosa {
namespace decompiler {
namespace {

// Enough for every point that a point of the author's moves to show up.
constexpr int kRounds = 16;

bool Automatic(const TrackCell& cell) {
  return cell.kind == kBrakingPoint && BrakingPointCell(cell).speed == kAutomaticPointSpeed;
}

Compilation CompileTexts(const Decompilation& d, bool plan) {
  return Compile({.line_text = d.line_text,
                  .train_text = d.train_text,
                  .route_title = d.route_title,
                  .train_title = d.train_title,
                  .plan = plan});
}

Recovery Recover(const CompiledInput& in) {
  Recovery r;
  RecoverGeneralSettings(in, r);
  RecoverCurves(in, r);
  RecoverProfiles(in, r);
  RecoverSpans(in, r);
  RecoverBoards(in, r);
  RecoverStations(in, r);
  RecoverSlowDowns(in, r);
  RecoverSignals(in, r);
  RecoverOwnBrakingPoints(in, r);
  return r;
}

// The compiler places its own braking points again, so the texts leave
// them out. A point of value 180 that it does not place again is the
// author's: it goes into the texts, which may move the compiler's own
// points, and the texts are compiled again until none is missing.
Compilation WithAuthorsPoints(const CompiledInput& in, Recovery& r, Decompilation& d) {
  const bool plan = in.plan.has_value();
  for (int round = 0;; ++round) {
    d.line_text = LineText(r);
    d.train_text = TrainText(r);
    Compilation compiled = CompileTexts(d, plan);
    if (!compiled.HasTrack() || round == kRounds) return compiled;
    const std::vector<TrackCell>& texts = compiled.scenario.cells;
    bool added = false;
    for (std::size_t c = 0; c < std::min(in.cells.size(), texts.size()); ++c) {
      if (Automatic(in.cells[c]) && !Automatic(texts[c])) {
        r.points.push_back({static_cast<std::int64_t>(c), kAutomaticPointSpeed});
        added = true;
      }
    }
    if (!added) return compiled;
    std::sort(
        r.points.begin(), r.points.end(),
        [](const BrakingPointRecord& a, const BrakingPointRecord& b) { return a.cell < b.cell; });
  }
}

void Verify(const CompiledInput& in, const Compilation& compiled, Decompilation& d) {
  if (compiled.diagnostics.HasError()) {
    const Diagnostic& e = compiled.diagnostics.error();
    d.warnings.push_back({CompiledPart::kTrack, "the texts compile with data error " +
                                                    std::to_string(NumberOf(e.error)) + ": " +
                                                    e.detail});
  }
  if (compiled.fatal_conflict != 0) {
    d.warnings.push_back({CompiledPart::kTrack, "the texts compile to the fatal conflict " +
                                                    std::to_string(compiled.fatal_conflict)});
  }
  CompareTrack(in.cells, compiled.scenario.cells, d.warnings);
  CompareTable(in.header, compiled.scenario.header, d.warnings);
  if (in.plan && compiled.scenario.plan) ComparePlan(*in.plan, *compiled.scenario.plan, d.warnings);
}

}  // namespace
}  // namespace decompiler

Result<Decompilation> Decompile(const CompiledBytes& files) {
  using namespace decompiler;
  Decompilation d;
  CompiledInput in;
  if (Status read = ReadCompiled(files, in); !read.ok()) return read;
  d.route_title = in.header[kRouteEntry].name;
  d.train_title = in.header[kTrainEntry].name;
  Recovery r = Recover(in);
  const Compilation compiled = WithAuthorsPoints(in, r, d);
  d.warnings = std::move(r.warnings);
  Verify(in, compiled, d);
  return d;
}

}  // namespace tarvosa
