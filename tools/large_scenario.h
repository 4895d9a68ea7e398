// A synthetic scenario of any length, with every kind of record in the
// proportions of the real one, as far as the format's limits allow (at most
// 80 tunnel spans, 81 text boards, and stations below the boards' entries).
// It compiles without a data error, so it measures the compiler at scale.
#pragma once

#include <cstdint>
#include <string>

namespace tarvosa {

struct LargeScenario {
  std::string line;   // the line definition file, CR LF lines
  std::string train;  // the train data file
};

LargeScenario MakeLargeScenario(std::int32_t length);

}  // namespace tarvosa
