// The order of the signals in the train file, from the approach codes.
#pragma once

#include <vector>

#include "decompiler/recovery.h"

namespace tarvosa::decompiler {

// A signal as recovered: its cell and sx × 3 + dx, which its codes carry.
struct PlacedSignal {
  std::int64_t cell = 0;
  std::int64_t approach = 0;
};

struct SignalOrder {
  std::vector<std::size_t> sequence;  // indices into the signals, in file order
  std::vector<bool> before_stations;  // a station's code lies over one of its own
};

// Signals whose codes a later one wrote over come before it, and those
// whose codes a station wrote over come before the stations; the rest go
// along the line.
SignalOrder OrderSignals(const CompiledInput& in, const std::vector<PlacedSignal>& signals);

}  // namespace tarvosa::decompiler
