#include "tool/clean_compile.h"

#include <cstdio>

namespace tarvosa::tool {

int CompileCleanly(const CompileOptions& options, const Sources& sources,
                   const std::string& refused, Compilation& compilation) {
  compilation = CompileSources(options, sources);
  const int warnings = PrintWarnings(options, sources, compilation);
  if (const int status = ExitCode(compilation); status != kClean) {
    std::fprintf(stderr, "%s (%s)\n", Verdict(options, sources, compilation).c_str(),
                 refused.c_str());
    return status;
  }
  if (options.strict && warnings > 0) {
    std::fprintf(stderr, "%d warning%s and --strict: %s\n", warnings, warnings == 1 ? "" : "s",
                 refused.c_str());
    return kDataError;
  }
  return kClean;
}

}  // namespace tarvosa::tool
