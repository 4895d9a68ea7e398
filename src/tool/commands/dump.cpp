// scenario dump: any of the three compiled files as a table an author can
// read, or as stored (--raw).
#include <memory>
#include <sstream>

#include "tool/commands/registry.h"
#include "tool/inputs/compiled_directory.h"
#include "tool/inputs/compiled_input.h"
#include "tool/presenters/raw_tables.h"
#include "tool/presenters/readable_tables.h"
#include "util/files.h"

namespace tarvosa::tool {
namespace {

struct DumpOptions {
  std::string file;
  std::string format = "text";  // text, csv or json
  std::string kind;             // track, table or plan; "" to tell by the layout
  long step = 1;                // every step-th row of the plan
  bool raw = false;             // the stored members instead of what they mean
  std::string output;           // "" for standard output
};

Table ReadableTable(Os& os, const CompiledFile& file, const DumpOptions& options) {
  switch (file.kind) {
    case CompiledKind::kTrack: {
      const auto header = TableBeside(os, options.file);
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

Status Write(const Table& table, const DumpOptions& options, Context& context) {
  if (options.output.empty()) {
    Print(table, options.format, context.out);
    context.out.flush();
    if (!context.out) {
      return Status::FileSystemError("scenario: the standard output cannot be written");
    }
    return Status();
  }
  std::ostringstream text;
  Print(table, options.format, text);
  return ReplaceFileContent(context.os, options.output, text.str());
}

Outcome Dump(const DumpOptions& options, Context& context) {
  const auto kind = options.kind.empty() ? std::nullopt : KindFromWord(options.kind);
  const auto file = LoadCompiled(context.os, options.file, kind);
  if (!file.ok()) return file.status();
  return Write(options.raw ? RawTable(*file, options) : ReadableTable(context.os, *file, options),
               options, context);
}

// What escapes the libraries (memory) ends the command with the file's name, not the program.
Outcome RunDump(const DumpOptions& options, Context& context) {
  try {
    return Dump(options, context);
  } catch (const std::exception& failure) {
    return Status::FileSystemError(options.file + ": cannot be shown: " + failure.what());
  }
}

constexpr const char* kDumpLayout =
    "A track shows cell 0, every cell that holds a feature, a value or an approach code, and "
    "every cell where the profile changes: its metres (cell c stands for 50 x (c - 1) m, where "
    "a feature at that progressive lands), line speed, gradient, adhesion, tunnel type, kind "
    "and what its values mean; the table written beside it (.sim beside .dat) names stations "
    "and boards. A table shows its stations with times, metres and stretches, board texts, "
    "kilometre references, train and line numbers, route and train. A plan shows X and Y by "
    "the metre. JSON adds the members as stored.";

Handler Declare(CLI::App& command, Os&) {
  auto options = std::make_shared<DumpOptions>();
  command.add_option("FILE", options->file, "track, scenario table or plan file")->required();
  command.add_option("--format", options->format, "text, csv or json (default text)")
      ->check(CLI::IsMember({"text", "csv", "json"}));
  command
      .add_option("--kind", options->kind,
                  "track, table or plan (default: by the layout and its marker)")
      ->check(CLI::IsMember({"track", "table", "plan"}));
  command.add_option("--step", options->step, "every K-th row of the plan (default 1)");
  command.add_flag("--raw", options->raw, "every member as stored, not what it means");
  command.add_option("-o", options->output, "write to this file instead of the standard output");
  command.footer(std::string(kDumpLayout) + "\n\n" + kExitStatuses);
  return [options](Context& context) -> Outcome {
    if (options->step < 1) return Status::UsageError("the step must be at least 1");
    return RunDump(*options, context);
  };
}

}  // namespace

const Command kDumpCommand = {
    "dump", "Show a compiled file as a table an author can read, or as stored (--raw).", Declare};

}  // namespace tarvosa::tool
