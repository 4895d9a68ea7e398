// scenario decompile: the compiled files of a directory back to the line
// definition and train data files that compile to them.
#include <memory>

#include "decompiler/decompile.h"
#include "documents/file_names.h"
#include "tool/commands/registry.h"
#include "tool/commands/source_options.h"
#include "tool/compile_step.h"
#include "tool/document_files.h"
#include "tool/inputs/compiled_directory.h"
#include "tool/terminal.h"
#include "util/escape.h"
#include "util/files.h"
#include "util/windows1252.h"

namespace tarvosa::tool {
namespace {

struct DecompileOptions {
  std::string directory;                 // the compiled files
  std::string output;                    // where the two texts go
  std::string route_title, train_title;  // UTF-8; empty: the table's
  bool force = false;
};

struct CompiledBytesRead {
  CompiledDirectory names;
  std::string track, table;
  std::optional<std::string> plan;
};

Result<CompiledBytesRead> ReadCompiledFiles(Os& os, const std::string& directory) {
  auto names = FindCompiledFiles(os, directory);
  if (!names.ok()) return names.status();
  auto track = ReadInput(os, names->track);
  if (!track.ok()) return track.status();
  auto table = ReadInput(os, names->table);
  if (!table.ok()) return table.status();
  CompiledBytesRead read{*names, std::move(track).value(), std::move(table).value(), {}};
  if (names->plan) {
    auto plan = ReadInput(os, *names->plan);
    if (!plan.ok()) return plan.status();
    read.plan = std::move(plan).value();
  }
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

Outcome RunDecompile(const DecompileOptions& options, Context& context) {
  Os& os = context.os;
  const auto read = ReadCompiledFiles(os, options.directory);
  if (!read.ok()) return read.status();
  const Result<Decompilation> decompiled =
      Decompile({.track = read->track,
                 .table = read->table,
                 .plan = read->plan ? std::optional<std::string_view>(*read->plan) : std::nullopt,
                 .track_name = read->names.track,
                 .table_name = read->names.table,
                 .plan_name = read->names.plan.value_or(read->names.table)});
  if (!decompiled.ok()) return decompiled.status();
  const Decompilation& d = *decompiled;
  const ScenarioPlace place{
      .route_title =
          options.route_title.empty() ? Windows1252ToUtf8(d.route_title) : options.route_title,
      .train_title =
          options.train_title.empty() ? Windows1252ToUtf8(d.train_title) : options.train_title,
      .app_path = options.output};
  for (const std::string& title : {place.route_title, place.train_title}) {
    if (NamesAFile(title)) continue;
    const std::string message = read->names.table + ": the title '" + title +
                                "' cannot name a file; --route and --train give others";
    // A title of the table's own is in the data; one given is a usage error.
    if (options.route_title.empty() || options.train_title.empty()) {
      return Status::DataError(message);
    }
    return Status::UsageError(message);
  }
  if (Status names = CheckScenarioNames(place); !names.ok()) return names;
  for (const DecompileWarning& w : d.warnings) {
    Tell(context.err, PartName(*read, w.part) + ": warning: " + w.text + '\n');
  }
  const std::string line = LineDefinitionName(place), train = TrainDataName(place);
  const Status written =
      WriteDocumentFiles(os, options.output,
                         {{line, [&] { return ReplaceFileContent(os, line, d.line_text); }},
                          {train, [&] { return ReplaceFileContent(os, train, d.train_text); }}},
                         options.force);
  if (!written.ok()) return written;
  Tell(context.out, "wrote " + line + " and " + train + ": " + std::to_string(d.warnings.size()) +
                        (d.warnings.size() == 1 ? " warning" : " warnings") + '\n');
  if (!NamesGiveTitlesBack(line, train, place)) {
    Tell(context.out, "their names do not give the titles back: compile them with --route " +
                          EscapeShellWord(place.route_title) + " --train " +
                          EscapeShellWord(place.train_title) + "\n");
  }
  return Status();
}

constexpr const char* kDecompileMeaning =
    "Reads the track (.dat), the table (.sim) and, when there, the plan (_linea.dat) in DIR, "
    "and writes R_linea.txt and R_T-.txt (titles from the table unless --route and --train "
    "say otherwise), which compile to the same bytes. The compiler's own braking points are "
    "left out, as it places them again; curves come from the plan. Where the files do not "
    "hold enough to write a record back exactly, a warning names the cell, entry or row. "
    "Files that are no compiled scenario, or do not belong together, end with 2.";

Handler Declare(CLI::App& command, Os&) {
  auto options = std::make_shared<DecompileOptions>();
  command.add_option("DIR", options->directory, "directory of the compiled files")->required();
  command.add_option("-o", options->output, "directory to write the two files into")->required();
  command.add_option("--route", options->route_title,
                     "route title R of the files' names (default: the table's)");
  command.add_option("--train", options->train_title,
                     "train title T of the files' names (default: the table's)");
  command.add_flag("--force", options->force, "replace files that exist already");
  command.footer(std::string(kDecompileMeaning) + "\n\n" + kExitStatuses);
  return [options](Context& context) -> Outcome {
    if (Status titles = CheckTitlesSpelled(options->route_title, options->train_title);
        !titles.ok()) {
      return titles;
    }
    return RunDecompile(*options, context);
  };
}

}  // namespace

const Command kDecompileCommand = {
    "decompile",
    "Write the line definition and train data files that compile to the compiled scenario in "
    "DIR.",
    Declare};

}  // namespace tarvosa::tool
