#include "tool/check_command.h"

#include <cstdio>

namespace tarvosa::tool {

int RunCheck(const CompileOptions& options) {
  const auto done = CompileAndWarn(options);
  if (!done) return kFileSystem;
  const Compilation& compilation = done->compilation;
  const int warnings = done->strict_warnings;
  const std::string verdict = Verdict(options, done->sources, compilation);
  std::fprintf(stderr, "%s\n", verdict.empty() ? "no error" : verdict.c_str());
  const int status = ExitCode(compilation);
  if (status == kClean && options.strict && warnings > 0) {
    std::fprintf(stderr, "%d warning%s and --strict\n", warnings, warnings == 1 ? "" : "s");
    return kDataError;
  }
  return status;
}

}  // namespace tarvosa::tool
