#include "tool_support.h"

#include <sstream>

#include "tool/runner.h"

namespace tarvosa::testing {

ToolRun RunScenario(const std::vector<std::string>& arguments) {
  return RunScenario(arguments, DefaultOs(),
                     Status::FileSystemError("the tool runs inside a test: no file of its own"));
}

ToolRun RunScenario(const std::vector<std::string>& arguments, Os& os,
                    const Result<std::string>& program) {
  std::ostringstream out, err;
  tool::Context context{out, err, os, program};
  const int status = tool::RunTool(arguments, context);
  return {status, out.str(), err.str()};
}

}  // namespace tarvosa::testing
