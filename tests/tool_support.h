// The scenario tool run in-process: the words of a command line in, what it
// wrote on each stream and its exit status out, as a process would give
// them but without starting one.
#pragma once

#include <string>
#include <vector>

#include "util/os.h"
#include "util/status.h"

namespace tarvosa::testing {

struct ToolRun {
  int exit_status = -1;
  std::string standard_output;
  std::string standard_error;
};

// `scenario` with `arguments`, e.g. RunScenario({"check", line, train}).
ToolRun RunScenario(const std::vector<std::string>& arguments);

// The same on `os`, the tool's own file being `program`.
ToolRun RunScenario(const std::vector<std::string>& arguments, Os& os,
                    const Result<std::string>& program);

}  // namespace tarvosa::testing
