#include "tool/dump_command.h"

#include <cstdio>
#include <iostream>
#include <sstream>

#include "tool/compile_command.h"
#include "tool/inputs/compiled_directory.h"
#include "tool/inputs/compiled_input.h"
#include "tool/presenters/raw_tables.h"
#include "tool/presenters/readable_tables.h"
#include "util/files.h"

namespace tarvosa::tool {
namespace {

Table ReadableTable(const CompiledFile& file, const DumpOptions& options) {
  switch (file.kind) {
    case CompiledKind::kTrack: {
      const auto header = TableBeside(options.file);
      return TrackTable(file.cells, header ? &*header : nullptr);
    }
    case CompiledKind::kTable:
      return ScenarioTable(file.header);
    case CompiledKind::kPlan:
      break;
  }
  return PlanTable(file.plan, options.step);
}

Table RawTable(const CompiledFile& file, const DumpOptions& options) {
  switch (file.kind) {
    case CompiledKind::kTrack:
      return RawTrackTable(file.cells);
    case CompiledKind::kTable:
      return RawScenarioTable(file.header);
    case CompiledKind::kPlan:
      break;
  }
  return RawPlanTable(file.plan, options.step);
}

int Write(const Table& table, const DumpOptions& options) {
  if (options.output.empty()) {
    Print(table, options.format, std::cout);
    std::cout.flush();
    if (!std::cout) {
      std::fprintf(stderr, "scenario: the standard output cannot be written\n");
      return kFileSystem;
    }
    return kClean;
  }
  std::ostringstream text;
  Print(table, options.format, text);
  if (const Status s = ReplaceFileContent(options.output, text.str()); !s.ok()) {
    std::fprintf(stderr, "%s\n", s.message().c_str());
    return kFileSystem;
  }
  return kClean;
}

int Dump(const DumpOptions& options) {
  InputProblem problem;
  const auto kind = options.kind.empty() ? std::nullopt : KindFromWord(options.kind);
  const auto file = LoadCompiled(options.file, kind, problem);
  if (!file) {
    std::fprintf(stderr, "%s\n", problem.message.c_str());
    return problem.status;
  }
  return Write(options.raw ? RawTable(*file, options) : ReadableTable(*file, options), options);
}

}  // namespace

int RunDump(const DumpOptions& options) {
  try {
    return Dump(options);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "%s: cannot be shown: %s\n", options.file.c_str(), failure.what());
    return kFileSystem;
  }
}

}  // namespace tarvosa::tool
