#include "compiler/compile.h"

#include "compiler/codes.h"
#include "compiler/internal/memorizza_dati.h"
#include "compiler/internal/placement.h"
#include "compiler/internal/railway_checks.h"
#include "compiler/stored_format.h"
#include "compiler/stored_views.h"

namespace tarvosa {
namespace {

// The markers and the check codes go where nothing may stand before them;
// returns the fatal conflict when something does.
std::int32_t StampHeader(CompiledScenario& scenario) {
  RouteEntry route(scenario.header[kRouteEntry]);
  StampedCell first(scenario.cells[1]);
  if (route.marker != 0 || first.marker != 0) return 1250;
  route.marker = kRouteMarker;
  first.marker = kTrackMarker;
  if (route.check_code != 0 || first.check_code != 0) return 1251;
  route.check_code = codice_gara_st(scenario.header);
  first.check_code = codice_gara_og(scenario.header);
  return 0;
}

}  // namespace

Compilation Compile(const CompileInput& input) {
  Compilation result;
  result.diagnostics = Diagnostics(input.read_on);
  SourceRecords records;
  // The records are kept only for the checks: a hostile file may hold
  // millions.
  result.train_records = memorizza_dati(input, result.scenario, result.diagnostics,
                                        input.railway_checks ? &records : nullptr);
  // Records past a data error were never read: the checks would judge a
  // railway cut short.
  if (input.railway_checks && !result.diagnostics.HasError()) {
    CheckRailway(records, input, result.diagnostics);
  }
  if (!result.HasTrack()) return result;
  // The automatic points belong to no record read.
  if (input.read_on) result.diagnostics.record = {};
  PlaceBrakingPoints(result.scenario.cells, result.diagnostics);
  result.fatal_conflict = StampHeader(result.scenario);
  return result;
}

Diagnostics Diagnose(CompileInput input) {
  input.read_on = true;
  return std::move(Compile(input).diagnostics);
}

}  // namespace tarvosa
