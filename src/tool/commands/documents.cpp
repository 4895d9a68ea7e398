// scenario documents: the timetable sheet and slow-down order a scenario's
// line and train files give, for an author to start from or ship as they
// are.
#include <cmath>
#include <memory>

#include "documents/generated_slow_down_order.h"
#include "documents/generated_timetable.h"
#include "tool/commands/registry.h"
#include "tool/commands/source_options.h"
#include "tool/document_files.h"
#include "tool/run_step.h"
#include "tool/terminal.h"

namespace tarvosa::tool {
namespace {

struct DocumentsOptions {
  CompileOptions compile;
  bool force = false;
  // The sheet's times from a run of the train instead of the train file's.
  bool times_from_run = false;
  std::string rolling_stock;  // "" for the scenario's own train
  running::RunOptions run;
};

// Each station the run meets gets the time the run gives it, as a clock
// time from the first stop's: its departure, or its passing time, and at
// the last its arrival. The others have none.
void TimesFromRun(const running::RunResult& run, RouteFacts& facts) {
  std::int32_t clock = 0;
  for (const StationFact& s : facts.stations) {
    if (s.position == run.stations.front().position) clock = s.time;
  }
  for (StationFact& s : facts.stations) {
    const auto met =
        std::find_if(run.stations.begin(), run.stations.end(),
                     [&s](const running::StationTime& t) { return t.position == s.position; });
    s.time = met == run.stations.end()
                 ? 0
                 : clock + static_cast<std::int32_t>(std::lround(met->departure_s));
  }
}

// The facts of the compiled scenario, with the run's times when asked.
Result<RouteFacts> Facts(const DocumentsOptions& options, const CompiledScenario& scenario,
                         const std::optional<running::RollingStock>& given) {
  RouteFacts facts = FactsOf(scenario);
  if (!options.times_from_run) return facts;
  const auto stock = TrainFor(given, scenario);
  if (!stock.ok()) return stock.status();
  const auto run = running::ComputeRun(scenario, *stock, options.run);
  if (!run.ok()) return run.status();
  TimesFromRun(*run, facts);
  return facts;
}

// Compiles LINE and TRAIN, refusing a scenario that does not compile
// cleanly, and writes R_T_rallentamenti.txt and R_T_scheda_treno.txt.
Outcome RunDocuments(const DocumentsOptions& options, Context& context) {
  const CompileOptions& compile = options.compile;
  const auto read = GivenTrain(context.os, options.rolling_stock);
  if (!read.ok()) return read.status();
  const std::optional<running::RollingStock>& given = *read;
  const auto sources = ReadSources(context.os, compile);
  if (!sources.ok()) return sources.status();
  const auto compiled = CompileCleanly(compile, *sources, "nothing written", context.err);
  if (!compiled.ok()) return compiled.status();
  const auto made = Facts(options, compiled->scenario, given);
  if (!made.ok()) return made.status();
  const RouteFacts& facts = *made;
  const DocumentLines order = GenerateSlowDownOrder(facts, compile.train_title);
  const DocumentLines timetable = GenerateTimetable(facts, compile.train_title);
  const ScenarioPlace place{.route_title = compile.route_title,
                            .train_title = compile.train_title,
                            .app_path = compile.output};
  const auto file = [&](DocumentKind kind, const DocumentLines& lines) {
    return DocumentFile{DocumentName(kind, place), [&context, &place, kind, &lines] {
                          return WriteScenarioDocument(context.os, place, kind, lines);
                        }};
  };
  const std::vector<DocumentFile> files = {file(DocumentKind::kSlowDownOrder, order),
                                           file(DocumentKind::kTimetable, timetable)};
  if (Status written = WriteDocumentFiles(context.os, compile.output, files, options.force);
      !written.ok()) {
    return written;
  }
  Tell(context.out, "wrote " + files[0].name + " and " + files[1].name + '\n');
  return Status();
}

Handler Declare(CLI::App& command, Os& os) {
  auto options = std::make_shared<DocumentsOptions>();
  AddSourceOptions(command, os, options->compile);
  command.add_option("-o", options->compile.output, "directory to write into (default .)");
  command.add_flag("--force", options->force, "replace files that exist already");
  command.add_flag("--times-from-run", options->times_from_run,
                   "the sheet's times from the fastest run of the train (as `run` makes it), "
                   "not the train file's");
  command.add_option("--rolling-stock", options->rolling_stock,
                     "with --times-from-run: a railjson rolling-stock file (default: the "
                     "scenario's own train)");
  command
      .add_option("--allowance", options->run.allowance_pct,
                  "with --times-from-run: percent added to every section's running time")
      ->check(CLI::Range(0.0, 1000.0));
  command.footer(kExitStatuses);
  return [options](Context& context) -> Outcome {
    if (!options->times_from_run &&
        (!options->rolling_stock.empty() || options->run.allowance_pct != 0)) {
      return Status::UsageError("--rolling-stock and --allowance go with --times-from-run");
    }
    if (Status titles = SettleTitlesAndNames(options->compile); !titles.ok()) return titles;
    return RunDocuments(*options, context);
  };
}

}  // namespace

const Command kDocumentsCommand = {
    "documents",
    "Make the timetable sheet and slow-down order of LINE and TRAIN from their data: "
    "R_T_scheda_treno.txt and R_T_rallentamenti.txt.",
    Declare};

}  // namespace tarvosa::tool
