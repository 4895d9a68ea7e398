#include "compiler/memorizza_percorso.h"

#include "compiler/codes.h"
#include "compiler/compiled_files.h"
#include "compiler/data_errors.h"
#include "compiler/memorizza_dati.h"
#include "compiler/placement.h"

namespace tarvosa {
namespace {

constexpr std::int16_t kRouteMarker = 610;
constexpr std::int16_t kTrackMarker = 5121;

// The markers and the check codes go where nothing may stand before them.
Status StampHeader(CompilerState& state) {
  ScenarioEntry& route = state.header[kRouteEntry];
  TrackCell& first = (*state.cells)[1];
  if (route.word_a != 0 || first.value_a != 0) return Status::FatalConflict("1250");
  route.word_a = kRouteMarker;
  first.value_a = kTrackMarker;
  if (route.time != 0 || first.value_b != 0) return Status::FatalConflict("1251");
  route.time = codice_gara_st(state.header);
  first.value_b = codice_gara_og(state.header);
  return Status();
}

}  // namespace

Status memorizza_percorso(CompilerState& state, std::int32_t j) {
  state.j = j;
  state.error_code = 0;
  state.error_location = {};
  state.header = ScenarioHeader{};
  if (Status read = memorizza_dati(state); !read.ok()) return read;
  if (!state.cells || state.cells->size() < 2) {
    if (state.error_code != 0) return Status::DataError(DescribeDataError(state));
    return Status::DataError(state.line_file + ": the line is too short to hold any track");
  }
  PlaceBrakingPoints(state);
  if (Status stamped = StampHeader(state); !stamped.ok()) return stamped;
  return WriteCompiledFiles(state);
}

}  // namespace tarvosa
