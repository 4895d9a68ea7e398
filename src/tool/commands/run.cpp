// scenario run: the fastest run of a train over a scenario, against the
// timetable: each timed station's computed and scheduled times and the
// time to spare, as text, JSON or a speed profile in CSV.
#include <memory>
#include <sstream>

#include "tool/commands/registry.h"
#include "tool/commands/source_options.h"
#include "tool/compile_step.h"
#include "tool/inputs/compiled_directory.h"
#include "tool/presenters/run_report.h"
#include "tool/run_step.h"
#include "util/files.h"

namespace tarvosa::tool {
namespace {

struct RunCommandOptions {
  std::vector<std::string> inputs;  // LINE TRAIN, or DIR
  std::string route_title;
  std::string train_title;
  std::string rolling_stock;  // "" for the scenario's own train
  running::RunOptions run;
  std::string format = "text";
  std::string output;   // "" for the standard output
  bool strict = false;  // a time that cannot be kept ends with 2
};

Result<CompiledScenario> FromSources(const RunCommandOptions& options, Context& context) {
  CompileOptions compile;
  compile.line = options.inputs[0];
  compile.train = options.inputs[1];
  compile.route_title = options.route_title;
  compile.train_title = options.train_title;
  compile.plan = false;
  if (Status titles = SettleTitles(compile); !titles.ok()) return titles;
  const auto sources = ReadSources(context.os, compile);
  if (!sources.ok()) return sources.status();
  // The compiler's warnings are check's to tell; a data error stops the run.
  Compilation compiled = CompileSources(compile, *sources);
  if (Status verdict = Verdict(compile, *sources, compiled); !verdict.ok()) {
    return Restated(verdict, verdict.message() + " (nothing run)");
  }
  return std::move(compiled.scenario);
}

Result<CompiledScenario> Scenario(const RunCommandOptions& options, Context& context) {
  if (options.inputs.size() == 2) return FromSources(options, context);
  return LoadCompiledScenario(context.os, options.inputs[0]);
}

Status Write(const std::string& text, const RunCommandOptions& options, Context& context) {
  if (!options.output.empty()) return ReplaceFileContent(context.os, options.output, text);
  context.out << text;
  context.out.flush();
  if (!context.out)
    return Status::FileSystemError("scenario: the standard output cannot be written");
  return Status();
}

Outcome RunTrain(const RunCommandOptions& options, Context& context) {
  // A train that cannot run is told before anything is compiled.
  const auto read = GivenTrain(context.os, options.rolling_stock);
  if (!read.ok()) return read.status();
  const std::optional<running::RollingStock>& given = *read;
  const auto scenario = Scenario(options, context);
  if (!scenario.ok()) return scenario.status();
  const auto stock = TrainFor(given, *scenario);
  if (!stock.ok()) return stock.status();
  const auto run = running::ComputeRun(*scenario, *stock, options.run);
  if (!run.ok()) return run.status();
  std::ostringstream text;
  PrintRun(*run,
           {.train = stock->name,
            .mass = stock->mass,
            .length = stock->length,
            .dwell_s = options.run.dwell_s,
            .allowance_pct = options.run.allowance_pct},
           options.format, text);
  if (Status written = Write(text.str(), options, context); !written.ok()) return written;
  if (options.strict && !run->AllKept()) {
    return Status::DataError("a scheduled time cannot be kept, and --strict");
  }
  return Status();
}

// What escapes the libraries (memory) ends the command with a message.
Outcome RunCommand(const RunCommandOptions& options, Context& context) {
  try {
    return RunTrain(options, context);
  } catch (const std::exception& failure) {
    return Status::FileSystemError("scenario run: cannot run: " + std::string(failure.what()));
  }
}

constexpr const char* kRunFooter =
    "The train starts at rest at the first station with a time, stops at every later one with a "
    "time (at its stop cell, else at its position) and passes the others. Without "
    "--rolling-stock it is an E.402B locomotive and the train file's coaches, braked as its "
    "braked weight percentage gives (docs/running.md). A station's time is its departure, the "
    "last one's its arrival; a section cannot be kept when its running time and the dwell take "
    "more than the timetable gives it.";

Handler Declare(CLI::App& command, Os&) {
  auto options = std::make_shared<RunCommandOptions>();
  command.add_option("INPUTS", options->inputs, "LINE TRAIN, or DIR")->required()->expected(1, 2);
  command.add_option("--route", options->route_title, "route title (default: from LINE's name)");
  command.add_option("--train", options->train_title, "train title (default: from TRAIN's name)");
  command.add_option("--rolling-stock", options->rolling_stock,
                     "a railjson rolling-stock file (default: the scenario's own train)");
  command.add_option("--dwell", options->run.dwell_s, "seconds at each stop (default 30)")
      ->check(CLI::Range(0.0, 86400.0));
  command
      .add_option("--allowance", options->run.allowance_pct,
                  "percent added to every section's running time (default 0)")
      ->check(CLI::Range(0.0, 1000.0));
  command.add_option("--format", options->format, "text, json or csv (default text)")
      ->check(CLI::IsMember({"text", "json", "csv"}));
  command.add_option("-o", options->output, "write to this file instead of the standard output");
  command.add_flag("--strict", options->strict, "end with 2 when a time cannot be kept");
  command.footer(std::string(kRunFooter) + "\n\n" + kExitStatuses);
  return [options](Context& context) { return RunCommand(*options, context); };
}

}  // namespace

const Command kRunCommand = {
    "run",
    "Time the fastest run of a train over the scenario, from LINE and TRAIN or from DIR, against "
    "its timetable.",
    Declare};

}  // namespace tarvosa::tool
