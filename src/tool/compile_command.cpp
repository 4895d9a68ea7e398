#include "tool/compile_command.h"

#include <cstdio>

#include "documents/file_names.h"
#include "util/files.h"
#include "util/windows1252.h"

namespace tarvosa::tool {
namespace {

Status ReadSource(const std::string& name, std::string& bytes) {
  auto read = ReadWholeFile(name);
  if (!read) return Status::FileSystemError(name + ": cannot read the file");
  bytes = std::move(*read);
  return Status();
}

// A title in Windows-1252; the command line has made sure it has one.
std::string Title(const std::string& utf8) {
  std::string bytes;
  (void)AppendWindows1252(utf8, bytes);
  return bytes;
}

}  // namespace

Status ReadSources(const CompileOptions& options, Sources& sources) {
  if (Status read = ReadSource(options.line, sources.line); !read.ok()) return read;
  return ReadSource(options.train, sources.train);
}

Compilation CompileSources(const CompileOptions& options, const Sources& sources,
                           CompilerObserver* observer) {
  const std::string route = Title(options.route_title);
  const std::string train = Title(options.train_title);
  return Compile({.line_text = sources.line,
                  .train_text = sources.train,
                  .route_title = route,
                  .train_title = train,
                  .plan = options.plan,
                  .observer = observer});
}

ScenarioFiles OutputFiles(const CompileOptions& options) {
  const ScenarioPlace place{.route_title = options.route_title,
                            .train_title = options.train_title,
                            .app_path = options.output};
  ScenarioFiles files;
  files.plan = LinePlanName(place);
  files.table = ScenarioTableName(place);
  files.track = TrackCellsName(place);
  return files;
}

std::string Verdict(const CompileOptions& options, const Sources& sources, const Compilation& c) {
  if (c.fatal_conflict != 0) {
    return "error " + std::to_string(c.fatal_conflict) +
           ": a marker's place in the first cell or the route entry is already taken (fatal "
           "conflict, nothing written)";
  }
  std::string verdict = DescribeError(c.diagnostics.error(), {options.line, sources.line},
                                      {options.train, sources.train});
  if (!c.HasTrack()) {
    if (verdict.empty()) verdict = options.line + ": the line is too short to hold any track";
    verdict += " (nothing written: the line leaves no track)";
  }
  return verdict;
}

int ExitCode(const Compilation& c) {
  if (c.fatal_conflict != 0) return kFatal;
  if (!c.HasTrack() || c.diagnostics.HasError()) return kDataError;
  return kClean;
}

int RunCompile(const CompileOptions& options) {
  Sources sources;
  if (const Status read = ReadSources(options, sources); !read.ok()) {
    std::fprintf(stderr, "%s\n", read.message().c_str());
    return kFileSystem;
  }
  const Compilation compilation = CompileSources(options, sources);
  if (compilation.Writable()) {
    const Status written = WriteCompiledFiles(compilation.scenario, OutputFiles(options));
    if (!written.ok()) {
      std::fprintf(stderr, "%s\n", written.message().c_str());
      return kFileSystem;
    }
  }
  if (const std::string verdict = Verdict(options, sources, compilation); !verdict.empty()) {
    std::fprintf(stderr, "%s\n", verdict.c_str());
  }
  return ExitCode(compilation);
}

}  // namespace tarvosa::tool
