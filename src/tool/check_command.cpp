#include "tool/check_command.h"

#include <cstdio>

namespace tarvosa::tool {

int RunCheck(const CompileOptions& options) {
  Sources sources;
  if (const Status read = ReadSources(options, sources); !read.ok()) {
    std::fprintf(stderr, "%s\n", read.message().c_str());
    return kFileSystem;
  }
  const Compilation compilation = CompileSources(options, sources);
  const int warnings = PrintWarnings(options, sources, compilation);
  const std::string verdict = Verdict(options, sources, compilation);
  std::fprintf(stderr, "%s\n", verdict.empty() ? "no error" : verdict.c_str());
  const int status = ExitCode(compilation);
  if (status == kClean && options.strict && warnings > 0) {
    std::fprintf(stderr, "%d warning%s and --strict\n", warnings, warnings == 1 ? "" : "s");
    return kDataError;
  }
  return status;
}

}  // namespace tarvosa::tool
