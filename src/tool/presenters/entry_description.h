// An entry of the scenario table as an author reads it: its role and what
// its stored members mean.
#pragma once

#include <cstddef>
#include <string>

#include "compiler/compiled_model.h"
#include "tool/presenters/described_fields.h"

namespace tarvosa::tool {

struct EntryDescription {
  // "station", "board text", "kilometre reference", "train and line
  // numbers", "route", "train", or "empty".
  std::string role;
  // A station: name, time, position, stretch, type, fields 4-13. The other
  // roles: their name when they have one, their values; then any member the
  // role leaves unexplained, as stored, when it is not 0.
  Fields fields;
};

EntryDescription DescribeEntry(std::size_t index, const ScenarioEntry& entry);

// Whether the entry holds nothing at all.
bool EmptyEntry(const ScenarioEntry& entry);

// A station's stretch: "-500 to 500 m".
std::string StretchText(const ScenarioEntry& entry);

}  // namespace tarvosa::tool
