// scenario compile: the installer's compiler on any two scenario files.
#pragma once

#include <optional>
#include <string>

#include "compiler/compile.h"
#include "compiler/memorizza_percorso.h"
#include "util/status.h"

namespace tarvosa::tool {

// The tool's exit statuses: the installer's, and 4 for a usage error.
enum : int { kClean = 0, kFileSystem = 1, kDataError = 2, kFatal = 3, kUsage = 4 };

struct CompileOptions {
  std::string line;          // the line definition file
  std::string train;         // the train data file
  std::string output = ".";  // where the compiled files go
  std::string route_title;   // "" for the one the line file's name gives
  std::string train_title;   // "" for the one the train file's name gives
  bool plan = true;          // the plan flag, j
  bool strict = false;       // warnings (but of comment lines) count as errors
  bool keep_going = false;   // write the compiled files after a data error too
};

// The titles the file names give where the options give none: "R_linea.txt"
// gives the route R and "R_T-.txt" the train T; any other name its stem.
void TitlesFromNames(CompileOptions& options);

// The two files as read: what is compiled, and what messages point into.
// The compiler reads them and never changes them.
struct Sources {
  std::string line;
  std::string train;
};

// Reads both files; fails with the file's name and the reason.
Status ReadSources(const CompileOptions& options, Sources& sources);

// Compiles the sources in memory with the options' titles and plan flag.
Compilation CompileSources(const CompileOptions& options, const Sources& sources);

// The compiled files' names in `options.output`, as the installer names
// them.
ScenarioFiles OutputFiles(const CompileOptions& options);

// Prints every warning on stderr as "FILE:LINE:COLUMN: warning: ...", in
// file order; returns how many count against --strict (all but comment
// lines).
int PrintWarnings(const CompileOptions& options, const Sources& sources,
                  const Compilation& compilation);

// Both files read and compiled, and the warnings printed.
struct WarnedCompilation {
  Sources sources;
  Compilation compilation;
  int strict_warnings = 0;  // the warnings that count against --strict
};

// Reads and compiles the options' files and prints the warnings; nothing,
// with the reason printed, when a file cannot be read.
std::optional<WarnedCompilation> CompileAndWarn(const CompileOptions& options);

// The outcome as the tool reports it, one line ("" for a clean compile):
// "FILE:LINE:COLUMN: error N at P m: meaning: what was found" for a data
// error.
std::string Verdict(const CompileOptions& options, const Sources& sources,
                    const Compilation& compilation);
int ExitCode(const Compilation& compilation);

// The whole command: compile, report on stderr, write the compiled files
// when the compile is clean (or with --keep-going after a data error, as
// the installer does), say what was written; returns the exit status.
int RunCompile(const CompileOptions& options);

}  // namespace tarvosa::tool
