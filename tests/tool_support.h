// The scenario tool run in-process: the words of a command line in, what it
// wrote on each stream and its exit status out, as a process would give
// them but without starting one.
#pragma once

#include <string>
#include <vector>

namespace tarvosa::testing {

struct ToolRun {
  int exit_status = -1;
  std::string standard_output;
  std::string standard_error;
};

// `scenario` with `arguments`, e.g. RunScenario({"check", line, train}).
ToolRun RunScenario(const std::vector<std::string>& arguments);

}  // namespace tarvosa::testing
