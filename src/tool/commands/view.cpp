// scenario view: one self-contained HTML page that shows a scenario: the
// plan, the profiles on one kilometre axis, what stands at any point and
// which record put it there, the stations, and the compile's messages.
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>

#include "tool/commands/registry.h"
#include "tool/compile_step.h"
#include "tool/inputs/compiled_directory.h"
#include "tool/presenters/view_data.h"
#include "tool/presenters/view_page.h"
#include "tool/presenters/view_run.h"
#include "tool/run_step.h"
#include "tool/terminal.h"
#include "util/escape.h"
#include "util/files.h"

namespace tarvosa::tool {
namespace {

struct ViewOptions {
  // LINE TRAIN, compiled in memory; or DIR, a directory of compiled files.
  std::vector<std::string> inputs;
  std::string output;
  std::string route_title;  // as for compile: "" for the one the names give
  std::string train_title;
  bool watch = false;         // rewrite the page whenever an input changes
  std::string rolling_stock;  // the train whose run is drawn; "" for the scenario's own
};

// The page's data, and how the command ends once the page is written: a
// data error or fatal conflict whose verdict has been printed already.
struct Built {
  Json data;
  Status ending;
};

// The run of the given train, or of the scenario's own, drawn over the line
// speed. A scenario the train cannot run (no two timed stations, a stall)
// is still shown, with the reason in place of the run.
void AddRun(Json& data, const CompiledScenario& scenario,
            const std::optional<running::RollingStock>& given, Context& context) {
  const auto stock = TrainFor(given, scenario);
  const auto run = stock.ok() ? running::ComputeRun(scenario, *stock, {})
                              : Result<running::RunResult>(stock.status());
  if (!run.ok()) {
    data["run_note"] = "no run: " + run.status().message();
    Tell(context.err, "scenario: the page shows no run: " + run.status().message() + '\n');
    return;
  }
  const RunSettings settings{.train = stock->name,
                             .mass = stock->mass,
                             .length = stock->length,
                             .dwell_s = running::RunOptions{}.dwell_s};
  data["run"] = ViewRun(*run, settings, data["cells"]["km"].size());
}

// `given` is the train whose run is drawn, if not the scenario's own.
Result<Built> FromSources(const ViewOptions& options,
                          const std::optional<running::RollingStock>& given, Context& context) {
  CompileOptions compile;
  compile.line = options.inputs[0];
  compile.train = options.inputs[1];
  compile.route_title = options.route_title;
  compile.train_title = options.train_title;
  TitlesFromNames(compile);
  const auto done = CompileAndWarn(context.os, compile, context.err);
  if (!done.ok()) return done.status();
  const Sources& sources = done->sources;
  const Compilation& compiled = done->compilation;
  const Status verdict = Verdict(compile, sources, compiled);
  Report(verdict, context.err);
  if (!compiled.HasTrack()) {
    return Status::DataError("nothing to show: the line leaves no track");
  }
  const ViewSources texts{{compile.line, sources.line}, {compile.train, sources.train}};
  Built built{ViewData(compiled.scenario, &compiled.diagnostics, &texts), Restated(verdict, "")};
  AddRun(built.data, compiled.scenario, given, context);
  return built;
}

Result<Built> FromDirectory(const std::string& directory,
                            const std::optional<running::RollingStock>& given, Context& context) {
  const auto scenario = LoadCompiledScenario(context.os, directory);
  if (!scenario.ok()) return scenario.status();
  if (scenario->cells.size() < 2) return Status::DataError(directory + ": no track to show");
  Built built{ViewData(*scenario, nullptr, nullptr), Status()};
  AddRun(built.data, *scenario, given, context);
  return built;
}

Result<Built> Build(const ViewOptions& options, Context& context) {
  // A train file at fault is told before anything is compiled, and no page
  // is written.
  const auto read = GivenTrain(context.os, options.rolling_stock);
  if (!read.ok()) return read.status();
  const std::optional<running::RollingStock>& given = *read;
  return options.inputs.size() == 2 ? FromSources(options, given, context)
                                    : FromDirectory(options.inputs[0], given, context);
}

// Writes the page; with --watch, also the stamp the page polls for.
Status Write(Os& os, const ViewOptions& options, Result<Built> built, int version) {
  if (!built.ok()) return built.status();
  const std::string stamp = options.output + ".stamp.js";
  if (options.watch) {
    // The page loads it by a relative URL: no name may read as a scheme or a query.
    const std::string stamp_name = Utf8FromPath(PathFromUtf8(stamp).filename());
    built->data["watch"] = {{"stamp", EscapeUrlPathSegment(stamp_name)},
                            {"version", std::to_string(version)}};
  }
  if (Status s = ReplaceFileContent(os, options.output, ViewPage(built->data)); !s.ok()) return s;
  if (options.watch) {
    const std::string script = "window.scenarioStamp = \"" + std::to_string(version) + "\";\n";
    if (Status s = ReplaceFileContent(os, stamp, script); !s.ok()) return s;
  }
  return built->ending;
}

// When each input was last written; a directory counts with its files. What
// cannot be looked at counts as never written.
std::vector<std::chrono::system_clock::time_point> Stamps(Os& os,
                                                          const std::vector<std::string>& inputs) {
  std::vector<std::chrono::system_clock::time_point> stamps;
  const auto stamp = [&](const std::string& name) {
    const Result<FileInfo> info = os.Stat(name);
    stamps.push_back(info.ok() ? info->last_written : std::chrono::system_clock::time_point{});
    return info.ok() && info->type == FileType::kDirectory;
  };
  for (const std::string& input : inputs) {
    if (!stamp(input)) continue;
    Result<std::vector<std::string>> entries = os.ListDirectory(input);
    if (!entries.ok()) continue;
    std::sort(entries->begin(), entries->end());
    for (const std::string& entry : *entries) stamp(PathIn(input, entry));
  }
  return stamps;
}

// With --watch it never ends: each rewrite reports its own failure, and
// Ctrl-C ends the program.
Outcome RunView(const ViewOptions& options, Context& context) {
  int version = 1;
  Os& os = context.os;
  const Status written = Write(os, options, Build(options, context), version);
  if (!options.watch) return written;
  Report(written, context.err);
  context.err << "watching; the page reloads itself when an input changes (Ctrl-C ends)"
              << std::endl;
  auto stamps = Stamps(os, options.inputs);
  for (;;) {
    os.Sleep(std::chrono::milliseconds(500));
    auto now = Stamps(os, options.inputs);
    if (now == stamps) continue;
    stamps = std::move(now);
    Report(Write(os, options, Build(options, context), ++version), context.err);
    Tell(context.err, "rewrote " + options.output + '\n');
    context.err.flush();
  }
}

Handler Declare(CLI::App& command, Os&) {
  auto options = std::make_shared<ViewOptions>();
  command.add_option("INPUTS", options->inputs, "LINE TRAIN, or DIR")->required()->expected(1, 2);
  command.add_option("-o", options->output, "the HTML file to write")->required();
  command.add_option("--route", options->route_title, "route title (default: from LINE's name)");
  command.add_option("--train", options->train_title, "train title (default: from TRAIN's name)");
  command.add_option("--rolling-stock", options->rolling_stock,
                     "the railjson train whose run the speed chart draws (default: the "
                     "scenario's own train)");
  command.add_flag("--watch", options->watch,
                   "rewrite the page whenever an input changes; the page reloads itself");
  command.footer(kExitStatuses);
  return [options](Context& context) { return RunView(*options, context); };
}

}  // namespace

const Command kViewCommand = {
    "view",
    "Write one self-contained HTML page that shows the scenario: from LINE and TRAIN, compiled "
    "in memory, or from DIR, a directory of compiled files.",
    Declare};

}  // namespace tarvosa::tool
