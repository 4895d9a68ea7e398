#include "compiler/compile.h"

#include "compiler/codes.h"
#include "compiler/memorizza_dati.h"
#include "compiler/placement.h"

namespace tarvosa {
namespace {

constexpr std::int16_t kRouteMarker = 610;
constexpr std::int16_t kTrackMarker = 5121;

// The markers and the check codes go where nothing may stand before them;
// returns the fatal conflict when something does.
std::int32_t StampHeader(CompiledScenario& scenario) {
  ScenarioEntry& route = scenario.header[kRouteEntry];
  TrackCell& first = scenario.cells[1];
  if (route.word_a != 0 || first.value_a != 0) return 1250;
  route.word_a = kRouteMarker;
  first.value_a = kTrackMarker;
  if (route.time != 0 || first.value_b != 0) return 1251;
  route.time = codice_gara_st(scenario.header);
  first.value_b = codice_gara_og(scenario.header);
  return 0;
}

}  // namespace

Compilation Compile(const CompileInput& input) {
  Compilation result;
  memorizza_dati(input, result.scenario, result.diagnostics);
  if (!result.HasTrack()) return result;
  PlaceBrakingPoints(result.scenario.cells, result.diagnostics);
  result.fatal_conflict = StampHeader(result.scenario);
  return result;
}

}  // namespace tarvosa
