#include "tool/commands/source_options.h"

#include "documents/scenario_names.h"
#include "tool/commands/existing_paths.h"
#include "util/windows1252.h"

namespace tarvosa::tool {

void AddSourceOptions(CLI::App& command, Os& os, CompileOptions& options) {
  command.add_option("LINE", options.line, "line definition file")
      ->required()
      ->check(ExistingFile(os));
  command.add_option("TRAIN", options.train, "train data file")
      ->required()
      ->check(ExistingFile(os));
  command.add_option("--route", options.route_title,
                     "route title (default: from LINE's name, R_linea.txt gives R)");
  command.add_option("--train", options.train_title,
                     "train title (default: from TRAIN's name, R_T-.txt gives T)");
  command.add_flag("--strict", options.strict,
                   "count warnings as errors (all but those of lines passed over for a '-')");
}

Status CheckTitlesSpelled(const std::string& route_title, const std::string& train_title) {
  std::string bytes;
  if (!EncodeWindows1252(route_title, bytes).ok() || !EncodeWindows1252(train_title, bytes).ok()) {
    return Status::UsageError("scenario: a title has a character with no Windows-1252 byte");
  }
  return Status();
}

Status CheckScenarioNames(const ScenarioPlace& place) {
  if (Status problem = ScenarioNamesProblem(place); !problem.ok()) {
    return Status::DataError("the titles '" + place.route_title + "' and '" + place.train_title +
                             "' cannot name the scenario's files: " + problem.message());
  }
  return Status();
}

Status SettleTitles(CompileOptions& options) {
  TitlesFromNames(options);
  return CheckTitlesSpelled(options.route_title, options.train_title);
}

Status SettleTitlesAndNames(CompileOptions& options) {
  if (Status titles = SettleTitles(options); !titles.ok()) return titles;
  return CheckScenarioNames({.route_title = options.route_title,
                             .train_title = options.train_title,
                             .app_path = options.output});
}

}  // namespace tarvosa::tool
