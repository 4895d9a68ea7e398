#include "compiler/compiled_model.h"

namespace tarvosa {

std::string_view CellKindName(std::uint8_t kind) {
  switch (kind) {
    case kSignal:
      return "signal";
    case kSlowDownEnd:
      return "slow-down end";
    case kSlowDownStart:
      return "slow-down start";
    case kSlowDownWarning:
      return "slow-down warning board";
    case kSlowDownApproach:
      return "slow-down approach marker";
    case kSpeedBoard:
      return "speed-indicator board";
    case kStationStop:
      return "station stop cell";
    case kTunnelMarker:
      return "tunnel marker";
    case kBrakingPoint:
    case kBrakingPointWithoutValue:
      return "braking point";
    case kTextBoard:
      return "text board";
    default:
      return kind == kFree ? "nothing" : "feature of an unknown kind";
  }
}

}  // namespace tarvosa
