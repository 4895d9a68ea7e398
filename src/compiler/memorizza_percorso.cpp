#include "compiler/memorizza_percorso.h"

#include <optional>
#include <utility>

#include "compiler/compile.h"
#include "compiler/compiled_files.h"
#include "util/files.h"

namespace tarvosa {
namespace {

// A text file's bytes; nothing when there is no such file.
struct InputFile {
  std::optional<std::string> bytes;
  Status status;  // why a file that is there could not be read
};

InputFile ReadInput(Os& os, const std::string& name) {
  const Status unreadable = Status::FileSystemError(name + ": cannot read the file");
  const Result<FileInfo> info = os.Stat(name);
  if (!info.ok()) return {std::nullopt, unreadable};
  if (info->type != FileType::kRegular) return {};
  Result<std::string> bytes = ReadWholeFile(os, name);
  if (!bytes.ok()) return {std::nullopt, unreadable};
  return {std::move(*bytes), Status()};
}

std::optional<std::string_view> View(const InputFile& file) {
  if (!file.bytes) return std::nullopt;
  return std::string_view(*file.bytes);
}

}  // namespace

Status WriteCompiledFiles(Os& os, const CompiledScenario& scenario, const ScenarioFiles& files) {
  if (scenario.plan) {
    const auto write_plan = [&](ByteSink& sink) { WriteLineData(*scenario.plan, sink); };
    if (Status s = ReplaceFileWith(os, files.plan, write_plan); !s.ok()) return s;
  }
  if (Status s = ReplaceFileContent(os, files.table, EncodeScenarioHeader(scenario.header));
      !s.ok()) {
    return s;
  }
  if (Status s = ReplaceFileContent(os, files.track, EncodeTrackCells(scenario.cells)); !s.ok()) {
    return s;
  }
  return FlushDirectoryOf(os, files.track);
}

Status memorizza_percorso(Os& os, const ScenarioFiles& files, std::string_view route_title,
                          std::string_view train_title, std::int32_t j) {
  // Both files exist only to be read here: they go on every way out.
  const InputFile line = ReadInput(os, files.line_definition);
  const InputFile train = ReadInput(os, files.train_data);
  Status deleted;
  for (const std::string* name : {&files.line_definition, &files.train_data}) {
    Status removed = DeleteFileIfPresent(os, *name);
    if (deleted.ok()) deleted = std::move(removed);  // the first failure, once both are tried
  }
  if (!deleted.ok()) return deleted;
  if (!line.status.ok()) return line.status;
  if (!train.status.ok()) return train.status;

  const Compilation compiled = Compile({.line_text = View(line),
                                        .train_text = View(train),
                                        .route_title = route_title,
                                        .train_title = train_title,
                                        .plan = j != 0});
  const SourceText line_text{files.line_definition, View(line).value_or("")};
  const SourceText train_text{files.train_data, View(train).value_or("")};
  const std::string error = DescribeError(compiled.diagnostics.error(), line_text, train_text);
  if (!compiled.HasTrack()) {
    return Status::DataError(error.empty() ? files.line_definition +
                                                 ": the line is too short to hold any track"
                                           : error);
  }
  if (compiled.fatal_conflict != 0) {
    return Status::FatalConflict(std::to_string(compiled.fatal_conflict));
  }
  if (Status written = WriteCompiledFiles(os, compiled.scenario, files); !written.ok()) {
    return written;
  }
  return error.empty() ? Status() : Status::DataError(error);
}

}  // namespace tarvosa
