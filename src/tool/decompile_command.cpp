#include "tool/decompile_command.h"

#include <cstdio>

#include "decompiler/decompile.h"
#include "documents/file_names.h"
#include "tool/compile_command.h"
#include "tool/document_files.h"
#include "tool/inputs/compiled_directory.h"
#include "util/files.h"
#include "util/windows1252.h"

namespace tarvosa::tool {
namespace {

int Problem(const InputProblem& problem) {
  std::fprintf(stderr, "%s\n", problem.message.c_str());
  return problem.status;
}

struct CompiledBytesRead {
  CompiledDirectory names;
  std::string track, table;
  std::optional<std::string> plan;
};

std::optional<CompiledBytesRead> ReadCompiledFiles(const std::string& directory,
                                                   InputProblem& problem) {
  auto names = FindCompiledFiles(directory, problem);
  if (!names) return std::nullopt;
  CompiledBytesRead read{*names, {}, {}, {}};
  auto track = ReadInput(names->track, problem);
  if (!track) return std::nullopt;
  auto table = ReadInput(names->table, problem);
  if (!table) return std::nullopt;
  if (names->plan) {
    read.plan = ReadInput(*names->plan, problem);
    if (!read.plan) return std::nullopt;
  }
  read.track = std::move(*track), read.table = std::move(*table);
  return read;
}

std::string PartName(const CompiledBytesRead& read, CompiledPart part) {
  switch (part) {
    case CompiledPart::kTrack:
      return read.names.track;
    case CompiledPart::kTable:
      return read.names.table;
    case CompiledPart::kPlan:
      return read.names.plan.value_or(read.names.table);
  }
  return "";
}

// A title must name a file of its own in the output directory.
bool NamesAFile(const std::string& title) {
  return !title.empty() && title != "." && title != ".." &&
         title.find_first_of("/\\") == std::string::npos &&
         title.find("\xEF\xBF\xBD") == std::string::npos;  // a byte with no character
}

// The titles `compile` takes from the names of the two files.
bool NamesGiveTitlesBack(const std::string& line, const std::string& train,
                         const ScenarioPlace& place) {
  CompileOptions options;
  options.line = line, options.train = train;
  TitlesFromNames(options);
  return options.route_title == place.route_title && options.train_title == place.train_title;
}

}  // namespace

int RunDecompile(const DecompileOptions& options) {
  InputProblem problem;
  const auto read = ReadCompiledFiles(options.directory, problem);
  if (!read) return Problem(problem);
  const Decompilation d =
      Decompile({.track = read->track,
                 .table = read->table,
                 .plan = read->plan ? std::optional<std::string_view>(*read->plan) : std::nullopt});
  if (d.refusal) {
    return Problem({kDataError, PartName(*read, d.refusal->part) + ": " + d.refusal->text});
  }
  const ScenarioPlace place{
      .route_title =
          options.route_title.empty() ? Windows1252ToUtf8(d.route_title) : options.route_title,
      .train_title =
          options.train_title.empty() ? Windows1252ToUtf8(d.train_title) : options.train_title,
      .app_path = options.output};
  for (const std::string& title : {place.route_title, place.train_title}) {
    if (!NamesAFile(title)) {
      return Problem(
          {options.route_title.empty() || options.train_title.empty() ? kDataError : kUsage,
           read->names.table + ": the title '" + title +
               "' cannot name a file; --route and --train give others"});
    }
  }
  for (const DecompileWarning& w : d.warnings) {
    std::fprintf(stderr, "%s: warning: %s\n", PartName(*read, w.part).c_str(), w.text.c_str());
  }
  const std::string line = LineDefinitionName(place), train = TrainDataName(place);
  const int status =
      WriteDocumentFiles(options.output,
                         {{line, [&] { return ReplaceFileContent(line, d.line_text); }},
                          {train, [&] { return ReplaceFileContent(train, d.train_text); }}},
                         options.force);
  if (status != kClean) return status;
  std::printf("wrote %s and %s: %zu warning%s\n", line.c_str(), train.c_str(), d.warnings.size(),
              d.warnings.size() == 1 ? "" : "s");
  if (!NamesGiveTitlesBack(line, train, place)) {
    std::printf(
        "their names do not give the titles back: compile them with --route '%s' "
        "--train '%s'\n",
        place.route_title.c_str(), place.train_title.c_str());
  }
  return kClean;
}

}  // namespace tarvosa::tool
