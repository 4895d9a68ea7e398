// Random scenarios of a few kilometres, with records of every kind, for
// property tests. The same seed gives the same scenario everywhere.
#pragma once

#include <cstdint>
#include <string>

namespace tarvosa::testing {

struct GeneratedScenario {
  std::string line;   // the line definition file, CR LF lines, Windows-1252
  std::string train;  // the train data file
};

// Records are valid one by one and mostly keep clear of each other; a few
// scenarios still end in a data error, which callers pass over.
GeneratedScenario GenerateScenario(std::uint64_t seed);

}  // namespace tarvosa::testing
