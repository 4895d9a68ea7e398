#include "tool_support.h"

#include <sstream>

#include "tool/runner.h"

namespace tarvosa::testing {

ToolRun RunScenario(const std::vector<std::string>& arguments) {
  std::ostringstream out, err;
  tool::Console console{out, err};
  const int status = tool::RunTool(arguments, console);
  return {status, out.str(), err.str()};
}

}  // namespace tarvosa::testing
