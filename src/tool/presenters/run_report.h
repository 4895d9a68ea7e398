// A train's run over a scenario as the tool shows it: the timed stations
// with their computed, scheduled and spare times as text, the whole run as
// JSON, or the speed profile as CSV.
#pragma once

#include <ostream>
#include <string>

#include "running/running_time.h"
#include "tool/presenters/table_printer.h"

namespace tarvosa::tool {

// What the run was made with, for the report's head.
struct RunSettings {
  std::string train;  // the rolling stock's name, UTF-8
  double mass = 0;
  double length = 0;
  double dwell_s = 0;
  double allowance_pct = 0;
};

// The whole run: the settings, total, every station and the profile.
Json RunJson(const running::RunResult& run, const RunSettings& settings);

// "text", "json" or "csv" on `out`; every text escaped for a terminal.
void PrintRun(const running::RunResult& run, const RunSettings& settings, const std::string& format,
              std::ostream& out);

}  // namespace tarvosa::tool
