// scenario compile: the installer's compiler on any two scenario files.
#include <algorithm>
#include <memory>

#include "compiler/memorizza_percorso.h"
#include "documents/file_names.h"
#include "tool/commands/existing_paths.h"
#include "tool/commands/registry.h"
#include "tool/commands/source_options.h"
#include "tool/terminal.h"

namespace tarvosa::tool {
namespace {

// The compiled files' names in `options.output`, as the installer names
// them.
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

// Compiles, reports on `context.err`, writes the compiled files when the
// compile is clean (or with --keep-going after a data error, as the
// installer does) and says what was written.
Outcome RunCompile(const CompileOptions& options, Context& context) {
  const auto done = CompileAndWarn(context.os, options, context.err);
  if (!done.ok()) return done.status();
  const Compilation& compilation = done->compilation;
  const Status verdict = Verdict(options, done->sources, compilation);
  const bool data_error = verdict.kind() == ExitStatus::kDataError;
  const bool refused = options.strict && done->strict_warnings > 0;
  const bool write =
      compilation.Writable() && !refused && (verdict.ok() || (data_error && options.keep_going));
  if (write) {
    const ScenarioFiles files = OutputFiles(options);
    if (Status written = WriteCompiledFiles(context.os, compilation.scenario, files);
        !written.ok()) {
      return written;
    }
    if (verdict.ok()) {
      const auto all = static_cast<int>(compilation.diagnostics.warning_count());
      Tell(context.out, Summary(files, compilation, all) + '\n');
    }
  }
  if (!verdict.ok()) {
    std::string why;
    if (!compilation.HasTrack()) why = " (nothing written: the line leaves no track)";
    if (data_error && !write && compilation.Writable()) {
      why = " (nothing written; --keep-going writes the files all the same)";
    }
    return Restated(verdict, verdict.message() + why);
  }
  if (refused) {
    return Status::DataError(WarningsAndStrict(done->strict_warnings) + ": nothing written");
  }
  return Status();
}

Handler Declare(CLI::App& command, Os& os) {
  struct Options {
    CompileOptions compile;
    bool no_plan = false;
  };
  auto options = std::make_shared<Options>();
  AddSourceOptions(command, os, options->compile);
  command.add_option("-o", options->compile.output, "directory for the compiled files (default .)")
      ->check(ExistingDirectory(os));
  command.add_flag("--no-plan", options->no_plan, "leave out the plan of the line");
  command.add_flag("--keep-going", options->compile.keep_going,
                   "write the compiled files after a data error too, as the installer does");
  command.footer(kExitStatuses);
  return [options](Context& context) -> Outcome {
    options->compile.plan = !options->no_plan;
    if (Status titles = SettleTitlesAndNames(options->compile); !titles.ok()) return titles;
    return RunCompile(options->compile, context);
  };
}

}  // namespace

const Command kCompileCommand = {
    "compile", "Compile LINE and TRAIN into the three compiled files, as the installer does.",
    Declare};

}  // namespace tarvosa::tool
