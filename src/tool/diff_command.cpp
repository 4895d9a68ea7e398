#include "tool/diff_command.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <sstream>

#include "tool/compile_command.h"
#include "tool/inputs/compiled_directory.h"
#include "tool/inputs/compiled_input.h"
#include "tool/presenters/comparisons.h"
#include "util/files.h"

namespace tarvosa::tool {
namespace fs = std::filesystem;
namespace {

// One side of the comparison: a whole compiled scenario, or one file.
struct Side {
  std::optional<CompiledFile> track, table, plan;
  std::optional<ScenarioHeader> names;  // the table beside a track file
};

bool IsDirectory(const std::string& name) {
  std::error_code error;
  return fs::is_directory(PathFromUtf8(name), error);
}

bool Exists(const std::string& name) {
  std::error_code error;
  return fs::symlink_status(PathFromUtf8(name), error).type() != fs::file_type::not_found;
}

std::optional<Side> LoadDirectory(const std::string& directory, InputProblem& problem) {
  const auto files = FindCompiledFiles(directory, problem);
  if (!files) return std::nullopt;
  Side side;
  side.track = LoadCompiled(files->track, CompiledKind::kTrack, problem);
  if (side.track) side.table = LoadCompiled(files->table, CompiledKind::kTable, problem);
  if (side.table && files->plan) {
    side.plan = LoadCompiled(*files->plan, CompiledKind::kPlan, problem);
  }
  if (!side.track || !side.table || (files->plan && !side.plan)) return std::nullopt;
  return side;
}

// A track file with the table beside it, when there is one, for names.
std::optional<Side> LoadFile(const std::string& name, InputProblem& problem) {
  auto file = LoadCompiled(name, std::nullopt, problem);
  if (!file) return std::nullopt;
  Side side;
  switch (file->kind) {
    case CompiledKind::kTrack:
      side.names = TableBeside(name);
      side.track = std::move(file);
      break;
    case CompiledKind::kTable:
      side.table = std::move(file);
      break;
    case CompiledKind::kPlan:
      side.plan = std::move(file);
      break;
  }
  return side;
}

std::optional<Side> Load(const std::string& name, bool directory, InputProblem& problem) {
  return directory ? LoadDirectory(name, problem) : LoadFile(name, problem);
}

// Whether two files can be compared: they must be of one kind.
bool Comparable(const Side& a, const Side& b, const std::string& name_a,
                const std::string& name_b) {
  const auto kind = [](const Side& s) {
    return std::string(s.track ? "track" : s.table ? "table" : "plan");
  };
  if (kind(a) == kind(b)) return true;
  std::fprintf(stderr,
               "scenario: %s is a %s file and %s a %s file: compare two files of one kind\n",
               name_a.c_str(), kind(a).c_str(), name_b.c_str(), kind(b).c_str());
  return false;
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

int Failed(const InputProblem& problem) {
  std::fprintf(stderr, "%s\n", problem.message.c_str());
  return problem.status;
}

int Diff(const std::string& a, const std::string& b) {
  for (const std::string& name : {a, b}) {
    if (!Exists(name)) return Failed({kFileSystem, name + ": no such file or directory"});
  }
  const bool directories = IsDirectory(a);
  if (directories != IsDirectory(b)) {
    std::fprintf(stderr,
                 "scenario: %s is a directory and %s is not: compare two directories or two "
                 "files\n",
                 (directories ? a : b).c_str(), (directories ? b : a).c_str());
    return kUsage;
  }
  InputProblem problem;
  const auto side_a = Load(a, directories, problem);
  if (!side_a) return Failed(problem);
  const auto side_b = Load(b, directories, problem);
  if (!side_b) return Failed(problem);
  if (!directories && !Comparable(*side_a, *side_b, a, b)) return kUsage;
  std::ostringstream report;
  report << "A: " << a << "\nB: " << b << "\n";
  const bool differ = Compare(*side_a, *side_b, report);
  report << (differ ? "A and B differ\n" : "A and B are the same\n");
  std::cout << report.str() << std::flush;
  return differ ? 1 : kClean;
}

}  // namespace

int RunDiff(const std::string& a, const std::string& b) {
  try {
    return Diff(a, b);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "scenario: %s and %s cannot be compared: %s\n", a.c_str(), b.c_str(),
                 failure.what());
    return kFileSystem;
  }
}

}  // namespace tarvosa::tool
