// scenario compile: the installer's compiler on any two scenario files.
#pragma once

#include <string>

#include "compiler/compiler_state.h"
#include "util/status.h"

namespace tarvosa::tool {

// The tool's exit statuses: the installer's, and 4 for a usage error.
enum : int { kClean = 0, kFileSystem = 1, kDataError = 2, kFatal = 3, kUsage = 4 };

struct CompileOptions {
  std::string line;          // the line definition file
  std::string train;         // the train data file
  std::string output = ".";  // where the compiled files go
  std::string route_title = "Tarvosa";
  std::string train_title = "Corvale";
  bool plan = true;  // the plan flag, j
};

// A compilation of copies of the two files (the compiler deletes what it
// reads): its outcome, its state, and the files' bytes, for naming places.
struct Compilation {
  Status status;
  CompilerState state;
  std::string line_bytes;
  std::string train_bytes;
};

// Compiles copies of the files; the compiled files go to `options.output`
// when `keep` is set, else to a scratch directory that is removed.
Compilation Compile(const CompileOptions& options, bool keep, CompilerObserver* observer = nullptr);

// The outcome as the tool reports it, one line ("" for a clean compile):
// "FILE:LINE:COLUMN: error N at P m: meaning" for a data error.
std::string Verdict(const CompileOptions& options, const Compilation& compilation);
int ExitCode(const Compilation& compilation);

// The whole command: compile, report on stderr, return the exit status.
int RunCompile(const CompileOptions& options);

}  // namespace tarvosa::tool
