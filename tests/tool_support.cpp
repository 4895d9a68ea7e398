#include "tool_support.h"

#include <sstream>

#include "tool/runner.h"

namespace tarvosa::testing {

ToolRun RunScenario(const std::vector<std::string>& arguments) {
  std::ostringstream out, err;
  tool::Context context{out, err, DefaultOs(),
                        Status::FileSystemError("the tool runs inside a test: no file of its own")};
  const int status = tool::RunTool(arguments, context);
  return {status, out.str(), err.str()};
}

}  // namespace tarvosa::testing
