#include "tool/inputs/compiled_directory.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "tool/compile_command.h"
#include "util/files.h"

namespace tarvosa::tool {
namespace fs = std::filesystem;
namespace {

bool EndsWith(const std::string& name, const std::string& end) {
  return name.size() >= end.size() && name.compare(name.size() - end.size(), end.size(), end) == 0;
}

// The names of the entries of `directory`.
std::optional<std::vector<std::string>> List(const std::string& directory, InputProblem& problem) {
  std::vector<std::string> names;
  std::error_code error;
  fs::directory_iterator it(PathFromUtf8(directory), error), end;
  for (; !error && it != end; it.increment(error)) names.push_back(it->path().string());
  if (!error) return names;
  problem = {kFileSystem, directory + ": cannot be read: " + error.message()};
  return std::nullopt;
}

// The one name ending in `ending` and not in `unless`, the `what` file;
// none when `optional` and there is none.
bool FindOne(std::vector<std::string> names, const std::string& directory, const std::string& what,
             const std::string& ending, const std::string& unless, bool optional,
             std::optional<std::string>& found, InputProblem& problem) {
  std::erase_if(names, [&](const std::string& name) {
    return !EndsWith(name, ending) || (!unless.empty() && EndsWith(name, unless));
  });
  std::sort(names.begin(), names.end());
  if (names.size() == 1) found = names.front();
  if (names.size() == 1 || (names.empty() && optional)) return true;
  const std::string which = what + " file (a name ending in " + ending +
                            (unless.empty() ? "" : " but not " + unless) + ")";
  if (names.empty()) {
    problem = {kFileSystem, directory + ": no " + which};
  } else {
    problem = {kUsage, directory + ": more than one " + which + ": " + names[0] + " and " +
                           names[1] + "; compare the files one by one"};
  }
  return false;
}

}  // namespace

std::optional<CompiledDirectory> FindCompiledFiles(const std::string& directory,
                                                   InputProblem& problem) {
  const auto names = List(directory, problem);
  if (!names) return std::nullopt;
  std::optional<std::string> track, table, plan;
  if (!FindOne(*names, directory, "track", ".dat", "_linea.dat", false, track, problem) ||
      !FindOne(*names, directory, "table", ".sim", "", false, table, problem) ||
      !FindOne(*names, directory, "plan", "_linea.dat", "", true, plan, problem)) {
    return std::nullopt;
  }
  return CompiledDirectory{*track, *table, plan};
}

std::optional<CompiledScenario> LoadCompiledScenario(const std::string& directory,
                                                     InputProblem& problem) {
  const auto files = FindCompiledFiles(directory, problem);
  if (!files) return std::nullopt;
  const auto track = LoadCompiled(files->track, CompiledKind::kTrack, problem);
  const auto table =
      track ? LoadCompiled(files->table, CompiledKind::kTable, problem) : std::nullopt;
  if (!table) return std::nullopt;
  CompiledScenario scenario{track->cells, table->header, std::nullopt};
  if (!files->plan) return scenario;
  const auto plan = LoadCompiled(*files->plan, CompiledKind::kPlan, problem);
  if (!plan) return std::nullopt;
  LineData& line = scenario.plan.emplace();
  const DecodedPlan& rows = plan->plan;
  line.last_row = static_cast<std::int32_t>(rows.first.size()) - 1;
  line.origin_set = rows.first.size() >= 2 && rows.first[0].tag != 0;
  for (std::size_t row = 2; row < rows.first.size() && rows.first[row].tag != 0; ++row) {
    line.x.push_back(rows.first[row].value);
    line.y.push_back(rows.second[row].value);
  }
  return scenario;
}

std::optional<ScenarioHeader> TableBeside(const std::string& track_file) {
  if (!EndsWith(track_file, ".dat")) return std::nullopt;
  InputProblem ignored;
  const auto table = LoadCompiled(track_file.substr(0, track_file.size() - 4) + ".sim",
                                  CompiledKind::kTable, ignored);
  if (!table) return std::nullopt;
  return table->header;
}

}  // namespace tarvosa::tool
