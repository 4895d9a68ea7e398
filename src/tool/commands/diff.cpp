// scenario diff: what changed between two compiled scenarios, or between
// two compiled files of one kind.
#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>

#include "tool/commands/registry.h"
#include "tool/inputs/compiled_directory.h"
#include "tool/inputs/compiled_input.h"
#include "tool/presenters/comparisons.h"
#include "tool/terminal.h"
#include "util/files.h"

namespace tarvosa::tool {
namespace {

// One side of the comparison: a whole compiled scenario, or one file.
struct Side {
  std::optional<CompiledFile> track, table, plan;
  std::optional<ScenarioHeader> names;  // the table beside a track file
};

bool IsDirectory(Os& os, const std::string& name) {
  const Result<FileInfo> info = os.Stat(name);
  return info.ok() && info->type == FileType::kDirectory;
}

// Whether the name is there, as what cannot be looked at is: a link to
// nothing is a name too, and its file is what is missing.
bool Exists(Os& os, const std::string& name) {
  const Result<FileInfo> info = os.Stat(name);
  if (!info.ok() || info->type != FileType::kMissing) return true;
  const std::filesystem::path path = PathFromUtf8(name);
  if (!path.has_filename()) return false;
  const Result<std::vector<std::string>> beside =
      os.ListDirectory(path.has_parent_path() ? Utf8FromPath(path.parent_path()) : ".");
  return beside.ok() &&
         std::find(beside->begin(), beside->end(), Utf8FromPath(path.filename())) != beside->end();
}

Result<Side> LoadDirectory(Os& os, const std::string& directory) {
  const auto files = FindCompiledFiles(os, directory);
  if (!files.ok()) return files.status();
  auto track = LoadCompiled(os, files->track, CompiledKind::kTrack);
  if (!track.ok()) return track.status();
  auto table = LoadCompiled(os, files->table, CompiledKind::kTable);
  if (!table.ok()) return table.status();
  Side side{std::move(track).value(), std::move(table).value(), std::nullopt, std::nullopt};
  if (files->plan) {
    auto plan = LoadCompiled(os, *files->plan, CompiledKind::kPlan);
    if (!plan.ok()) return plan.status();
    side.plan = std::move(plan).value();
  }
  return side;
}

// A track file with the table beside it, when there is one, for names.
Result<Side> LoadFile(Os& os, const std::string& name) {
  auto file = LoadCompiled(os, name, std::nullopt);
  if (!file.ok()) return file.status();
  Side side;
  switch (file->kind) {
    case CompiledKind::kTrack:
      side.names = TableBeside(os, name);
      side.track = std::move(file).value();
      break;
    case CompiledKind::kTable:
      side.table = std::move(file).value();
      break;
    case CompiledKind::kPlan:
      side.plan = std::move(file).value();
      break;
  }
  return side;
}

Result<Side> Load(Os& os, const std::string& name, bool directory) {
  return directory ? LoadDirectory(os, name) : LoadFile(os, name);
}

// Two files can be compared when they are of one kind.
Status CheckComparable(const Side& a, const Side& b, const std::string& name_a,
                       const std::string& name_b) {
  const auto kind = [](const Side& s) {
    return std::string(s.track ? "track" : s.table ? "table" : "plan");
  };
  if (kind(a) == kind(b)) return Status();
  return Status::UsageError("scenario: " + name_a + " is a " + kind(a) + " file and " + name_b +
                            " a " + kind(b) + " file: compare two files of one kind");
}

bool Compare(const Side& a, const Side& b, std::ostream& out) {
  bool differ = false;
  const auto names = [](const Side& s) {
    return s.table ? &s.table->header : s.names ? &*s.names : nullptr;
  };
  if (a.track && b.track) {
    differ |= CompareTracks({a.track->cells, names(a)}, {b.track->cells, names(b)}, out);
  }
  if (a.table && b.table) differ |= CompareTables(a.table->header, b.table->header, out);
  if (a.plan && b.plan) {
    differ |= ComparePlans(a.plan->plan, b.plan->plan, out);
  } else if (a.plan || b.plan) {
    out << "plan: only " << (a.plan ? "A" : "B") << " has one\n";
    differ = true;
  }
  return differ;
}

Outcome Diff(const std::string& a, const std::string& b, Context& context) {
  for (const std::string& name : {a, b}) {
    if (!Exists(context.os, name)) {
      return Status::FileSystemError(name + ": no such file or directory");
    }
  }
  const bool directories = IsDirectory(context.os, a);
  if (directories != IsDirectory(context.os, b)) {
    return Status::UsageError("scenario: " + (directories ? a : b) + " is a directory and " +
                              (directories ? b : a) +
                              " is not: compare two directories or two files");
  }
  const auto side_a = Load(context.os, a, directories);
  if (!side_a.ok()) return side_a.status();
  const auto side_b = Load(context.os, b, directories);
  if (!side_b.ok()) return side_b.status();
  if (!directories) {
    if (Status comparable = CheckComparable(*side_a, *side_b, a, b); !comparable.ok()) {
      return comparable;
    }
  }
  std::ostringstream report;
  report << "A: " << a << "\nB: " << b << "\n";
  const bool differ = Compare(*side_a, *side_b, report);
  report << (differ ? "A and B differ\n" : "A and B are the same\n");
  Tell(context.out, report.str());
  context.out.flush();
  return differ ? Outcome::Differ() : Status();
}

// What escapes the libraries (memory) ends the command with both names, not
// the program.
Outcome RunDiff(const std::string& a, const std::string& b, Context& context) {
  try {
    return Diff(a, b, context);
  } catch (const std::exception& failure) {
    return Status::FileSystemError("scenario: " + a + " and " + b +
                                   " cannot be compared: " + failure.what());
  }
}

constexpr const char* kDiffMeaning =
    "A and B are two directories, each holding a compiled scenario (found by the endings "
    ".dat, .sim and _linea.dat), or two compiled files of one kind. Every cell and table entry "
    "that differs is shown with its metres and decoded values on each side; the plans by how "
    "many rows differ and their largest distance.\n\nExit status: 0 the same, 1 they differ "
    "or an input is missing or unreadable (with a message), 2 bytes of another layout, 4 a "
    "usage error.";

Handler Declare(CLI::App& command, Os&) {
  struct Inputs {
    std::string a, b;
  };
  auto inputs = std::make_shared<Inputs>();
  command.add_option("A", inputs->a, "directory of compiled files, or a compiled file")->required();
  command.add_option("B", inputs->b, "the same for the other scenario")->required();
  command.footer(kDiffMeaning);
  return [inputs](Context& context) { return RunDiff(inputs->a, inputs->b, context); };
}

}  // namespace

const Command kDiffCommand = {
    "diff", "Show what changed between two compiled scenarios, or two compiled files.", Declare};

}  // namespace tarvosa::tool
