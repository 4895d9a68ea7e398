#include "tool/inputs/compiled_directory.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "util/files.h"

namespace tarvosa::tool {
namespace {

bool EndsWith(const std::string& name, const std::string& end) {
  return name.size() >= end.size() && name.compare(name.size() - end.size(), end.size(), end) == 0;
}

// The paths of the entries of `directory`: the directory and their names.
Result<std::vector<std::string>> List(Os& os, const std::string& directory) {
  Result<std::vector<std::string>> names = os.ListDirectory(directory);
  if (!names.ok()) {
    return Status::FileSystemError(directory + ": cannot be read: " + names.status().message());
  }
  for (std::string& name : *names) name = PathIn(directory, name);
  return names;
}

// The one name ending in `ending` and not in `unless`, the `what` file;
// none when `optional` and there is none.
Result<std::optional<std::string>> FindOne(std::vector<std::string> names,
                                           const std::string& directory, const std::string& what,
                                           const std::string& ending, const std::string& unless,
                                           bool optional) {
  std::erase_if(names, [&](const std::string& name) {
    return !EndsWith(name, ending) || (!unless.empty() && EndsWith(name, unless));
  });
  std::sort(names.begin(), names.end());
  if (names.size() == 1) return std::optional<std::string>(names.front());
  if (names.empty() && optional) return std::optional<std::string>();
  const std::string which = what + " file (a name ending in " + ending +
                            (unless.empty() ? "" : " but not " + unless) + ")";
  if (names.empty()) return Status::FileSystemError(directory + ": no " + which);
  return Status::UsageError(directory + ": more than one " + which + ": " + names[0] + " and " +
                            names[1] + "; compare the files one by one");
}

}  // namespace

Result<CompiledDirectory> FindCompiledFiles(Os& os, const std::string& directory) {
  const auto names = List(os, directory);
  if (!names.ok()) return names.status();
  const auto track = FindOne(*names, directory, "track", ".dat", "_linea.dat", false);
  if (!track.ok()) return track.status();
  const auto table = FindOne(*names, directory, "table", ".sim", "", false);
  if (!table.ok()) return table.status();
  const auto plan = FindOne(*names, directory, "plan", "_linea.dat", "", true);
  if (!plan.ok()) return plan.status();
  return CompiledDirectory{**track, **table, *plan};
}

namespace {

// The plan in `name`, refused before it is decoded when its rows are not
// those the table's line length gives.
Result<CompiledFile> LoadPlan(Os& os, const std::string& name, std::int64_t length) {
  const Result<std::string> bytes = ReadInput(os, name);
  if (!bytes.ok()) return bytes.status();
  if (const auto rows = CountPlanRows(*bytes)) {
    if (const std::string mismatch = PlanSizeMismatch(*rows, length); !mismatch.empty()) {
      return Status::DataError(name + ": " + mismatch + ": the plan does not fit the table");
    }
  }
  return DecodeCompiled(name, *bytes, CompiledKind::kPlan);
}

}  // namespace

CompiledScenario ScenarioOf(const CompiledFile& track, const CompiledFile& table,
                            const CompiledFile* plan) {
  CompiledScenario scenario{track.cells, table.header, std::nullopt};
  if (plan == nullptr) return scenario;
  LineData& line = scenario.plan.emplace();
  const DecodedPlan& rows = plan->plan;
  line.last_row = static_cast<std::int32_t>(rows.first.size()) - 1;
  line.origin_set = rows.first.size() >= 2 && rows.first[0].tag != 0;
  std::size_t computed = 2;
  while (computed < rows.first.size() && rows.first[computed].tag != 0) ++computed;
  if (computed > 2) line.x.reserve(computed - 2), line.y.reserve(computed - 2);
  for (std::size_t row = 2; row < computed; ++row) {
    line.x.push_back(rows.first[row].value);
    line.y.push_back(rows.second[row].value);
  }
  return scenario;
}

Result<CompiledScenario> LoadCompiledScenario(Os& os, const std::string& directory) {
  const auto files = FindCompiledFiles(os, directory);
  if (!files.ok()) return files.status();
  const auto track = LoadCompiled(os, files->track, CompiledKind::kTrack);
  if (!track.ok()) return track.status();
  const auto table = LoadCompiled(os, files->table, CompiledKind::kTable);
  if (!table.ok()) return table.status();
  const std::int64_t length = table->header[kNumbersEntry].end;
  if (const std::string mismatch = TrackSizeMismatch(track->cells.size(), length);
      !mismatch.empty()) {
    return Status::DataError(files->track + ": " + mismatch + ": the track does not fit the table");
  }
  if (!files->plan) return ScenarioOf(*track, *table, nullptr);
  const auto plan = LoadPlan(os, *files->plan, length);
  if (!plan.ok()) return plan.status();
  return ScenarioOf(*track, *table, &*plan);
}

std::optional<ScenarioHeader> TableBeside(Os& os, const std::string& track_file) {
  if (!EndsWith(track_file, ".dat")) return std::nullopt;
  const auto table =
      LoadCompiled(os, track_file.substr(0, track_file.size() - 4) + ".sim", CompiledKind::kTable);
  if (!table.ok()) return std::nullopt;
  return table->header;
}

}  // namespace tarvosa::tool
