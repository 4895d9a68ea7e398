#include "tool/map_command.h"

#include <cstdio>

#include "tool/compile_command.h"
#include "tool/inputs/compiled_directory.h"
#include "tool/presenters/map_svg.h"
#include "tool/presenters/view_data.h"
#include "util/files.h"

namespace tarvosa::tool {

int RunMap(const std::string& directory, const std::string& output) {
  InputProblem problem;
  const auto scenario = LoadCompiledScenario(directory, problem);
  if (!scenario) {
    std::fprintf(stderr, "%s\n", problem.message.c_str());
    return problem.status;
  }
  if (scenario->cells.size() < 2) {
    std::fprintf(stderr, "%s: no track to draw\n", directory.c_str());
    return kDataError;
  }
  if (const Status s = ReplaceFileContent(output, MapSvg(ViewData(*scenario, nullptr, nullptr)));
      !s.ok()) {
    std::fprintf(stderr, "%s\n", s.message().c_str());
    return kFileSystem;
  }
  return kClean;
}

}  // namespace tarvosa::tool
