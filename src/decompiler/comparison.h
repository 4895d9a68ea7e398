// What the recompiled texts give that the compiled files do not hold, as
// warnings: nothing that differs goes unsaid.
#pragma once

#include <optional>
#include <vector>

#include "compiler/compiled_files.h"
#include "decompiler/decompile.h"

namespace tarvosa::decompiler {

void CompareTrack(const std::vector<TrackCell>& file, const std::vector<TrackCell>& texts,
                  std::vector<DecompileWarning>& out);
void CompareTable(const ScenarioHeader& file, const ScenarioHeader& texts,
                  std::vector<DecompileWarning>& out);
// `texts` is the plan the texts compile to; nothing when there is no plan
// file to compare with.
void ComparePlan(const DecodedPlan& file, const LineData& texts,
                 std::vector<DecompileWarning>& out);

}  // namespace tarvosa::decompiler
