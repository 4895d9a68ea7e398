#include "tool/compile_command.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <tuple>

#include "documents/file_names.h"
#include "util/files.h"
#include "util/windows1252.h"

namespace tarvosa::tool {
namespace {

Status ReadSource(const std::string& name, std::string& bytes) {
  std::error_code error;
  if (std::filesystem::is_directory(PathFromUtf8(name), error)) {
    return Status::FileSystemError(name + ": is a directory, not a file");
  }
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

std::string FileNameOf(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

std::string StemOf(const std::string& path) {
  return std::filesystem::path(path).stem().string();
}

// The stations in the table: from entry 1 up, each with a name and a place.
int Stations(const ScenarioHeader& header) {
  int count = 0;
  for (std::size_t e = 1; e < kFirstBoardSlot; ++e) {
    const ScenarioEntry& entry = header[e];
    if (entry.name.empty() && entry.position == 0 && entry.kind == 0) break;
    ++count;
  }
  return count;
}

// "1 signal", "3 stations".
std::string Count(long long count, const std::string& what) {
  return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

std::string Summary(const ScenarioFiles& files, const Compilation& c, int warnings) {
  const auto signals = std::count_if(c.scenario.cells.begin(), c.scenario.cells.end(),
                                     [](const TrackCell& cell) { return cell.kind == kSignal; });
  std::string text = "wrote ";
  if (c.scenario.plan) text += files.plan + ", ";
  text += files.table + " and " + files.track + ": a line of " +
          std::to_string(c.scenario.header[kNumbersEntry].end) + " m, " +
          Count(Stations(c.scenario.header), "station") + ", " + Count(signals, "signal") + ", " +
          Count(warnings, "warning");
  return text;
}

}  // namespace

void TitlesFromNames(CompileOptions& options) {
  if (options.route_title.empty()) {
    const std::string name = FileNameOf(options.line);
    constexpr std::string_view kSuffix = "_linea.txt";
    const bool named = name.size() > kSuffix.size() && name.ends_with(kSuffix);
    options.route_title =
        named ? name.substr(0, name.size() - kSuffix.size()) : StemOf(options.line);
  }
  if (options.train_title.empty()) {
    std::string name = FileNameOf(options.train);
    constexpr std::string_view kSuffix = "-.txt";
    const std::size_t underscore = name.find('_');
    const bool named = name.ends_with(kSuffix) && underscore != std::string::npos &&
                       underscore + 1 < name.size() - kSuffix.size();
    options.train_title =
        named ? name.substr(underscore + 1, name.size() - kSuffix.size() - underscore - 1)
              : StemOf(options.train);
  }
}

Status ReadSources(const CompileOptions& options, Sources& sources) {
  if (Status read = ReadSource(options.line, sources.line); !read.ok()) return read;
  return ReadSource(options.train, sources.train);
}

Compilation CompileSources(const CompileOptions& options, const Sources& sources) {
  const std::string route = Title(options.route_title);
  const std::string train = Title(options.train_title);
  return Compile({.line_text = sources.line,
                  .train_text = sources.train,
                  .route_title = route,
                  .train_title = train,
                  .plan = options.plan});
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

int PrintWarnings(const CompileOptions& options, const Sources& sources, const Compilation& c) {
  std::vector<Warning> warnings = c.diagnostics.warnings();
  std::stable_sort(warnings.begin(), warnings.end(), [](const Warning& a, const Warning& b) {
    return std::tie(a.at.file, a.at.offset) < std::tie(b.at.file, b.at.offset);
  });
  const SourceText line{options.line, sources.line};
  const SourceText train{options.train, sources.train};
  int counted = 0;
  for (const Warning& w : warnings) {
    std::fprintf(stderr, "%s: warning: %s\n", Where(w.at, line, train).c_str(), w.text.c_str());
    counted += w.kind == WarningKind::kMistake;
  }
  return counted;
}

std::string Verdict(const CompileOptions& options, const Sources& sources, const Compilation& c) {
  if (c.fatal_conflict != 0) {
    return "error " + std::to_string(c.fatal_conflict) +
           ": a marker's place in the first cell or the route entry is already taken (fatal "
           "conflict, nothing written)";
  }
  std::string verdict = DescribeError(c.diagnostics.error(), {options.line, sources.line},
                                      {options.train, sources.train});
  if (!c.HasTrack() && verdict.empty()) {
    verdict = options.line + ": the line is too short to hold any track";
  }
  return verdict;
}

int ExitCode(const Compilation& c) {
  if (c.fatal_conflict != 0) return kFatal;
  if (!c.HasTrack() || c.diagnostics.HasError()) return kDataError;
  return kClean;
}

std::optional<WarnedCompilation> CompileAndWarn(const CompileOptions& options) {
  WarnedCompilation done;
  if (const Status read = ReadSources(options, done.sources); !read.ok()) {
    std::fprintf(stderr, "%s\n", read.message().c_str());
    return std::nullopt;
  }
  done.compilation = CompileSources(options, done.sources);
  done.strict_warnings = PrintWarnings(options, done.sources, done.compilation);
  return done;
}

int RunCompile(const CompileOptions& options) {
  const auto done = CompileAndWarn(options);
  if (!done) return kFileSystem;
  const Sources& sources = done->sources;
  const Compilation& compilation = done->compilation;
  const int warnings = done->strict_warnings;
  const int status = ExitCode(compilation);
  const bool refused = options.strict && warnings > 0;
  const bool write = compilation.Writable() && !refused &&
                     (status == kClean || (status == kDataError && options.keep_going));
  if (write) {
    const ScenarioFiles files = OutputFiles(options);
    const Status written = WriteCompiledFiles(compilation.scenario, files);
    if (!written.ok()) {
      std::fprintf(stderr, "%s\n", written.message().c_str());
      return kFileSystem;
    }
    if (status == kClean) {
      const auto all = static_cast<int>(compilation.diagnostics.warnings().size());
      std::printf("%s\n", Summary(files, compilation, all).c_str());
    }
  }
  if (const std::string verdict = Verdict(options, sources, compilation); !verdict.empty()) {
    const char* why = "";
    if (!compilation.HasTrack()) why = " (nothing written: the line leaves no track)";
    if (status == kDataError && !write && compilation.Writable()) {
      why = " (nothing written; --keep-going writes the files all the same)";
    }
    std::fprintf(stderr, "%s%s\n", verdict.c_str(), why);
  }
  if (refused && status == kClean) {
    std::fprintf(stderr, "%d warning%s and --strict: nothing written\n", warnings,
                 warnings == 1 ? "" : "s");
    return kDataError;
  }
  return status;
}

}  // namespace tarvosa::tool
