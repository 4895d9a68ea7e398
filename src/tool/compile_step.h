// The step compile, check, documents, view and package share: an author's
// two text files read, compiled in memory as the installer compiles them,
// their warnings printed and the compiler's verdict given.
#pragma once

#include <ostream>
#include <string>

#include "compiler/compile.h"
#include "util/os.h"
#include "util/status.h"

namespace tarvosa::tool {

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

// Both files, read from `os` through links; a file-system error names the
// one that cannot be read.
Result<Sources> ReadSources(Os& os, const CompileOptions& options);

// Compiles the sources in memory with the options' titles and plan flag.
// After a data error the messages (every error, every warning) are those of
// a second pass that reads on past errors; what is compiled, the error
// standing and the verdict's status are the compile's own.
Compilation CompileSources(const CompileOptions& options, const Sources& sources);

// Prints every kept warning on `err` as "FILE:LINE:COLUMN: warning: ...",
// with the line quoted below it, in file order, then "scenario: N more warnings not shown" for the
// ones only counted; returns how many of all count against --strict (all but comment lines).
int PrintWarnings(const CompileOptions& options, const Sources& sources,
                  const Compilation& compilation, std::ostream& err);

// Both files read and compiled, and the warnings printed.
struct WarnedCompilation {
  Sources sources;
  Compilation compilation;
  int strict_warnings = 0;  // the warnings that count against --strict
};

// Reads and compiles the options' files and prints the warnings on `err`.
Result<WarnedCompilation> CompileAndWarn(Os& os, const CompileOptions& options, std::ostream& err);

// The compiler's verdict: ok for a clean compile; else a fatal conflict, or
// a data error told as every error found, each "FILE:LINE:COLUMN: error N
// at P m: meaning: what was found" and the line quoted, and last their
// count ("6 errors"); one also when the line leaves no track.
Status Verdict(const CompileOptions& options, const Sources& sources,
               const Compilation& compilation);

// "1 warning and --strict", "3 warnings and --strict".
std::string WarningsAndStrict(int warnings);

// Compiles the sources as CompileSources does and prints the warnings; the
// compilation when there is no data error, and no warning that counts under
// --strict. Otherwise the verdict ("FILE:LINE:COLUMN: error N ...")
// followed by `refused` ("nothing packaged") in brackets, or the warnings
// and --strict and `refused`: a data error or a fatal conflict.
Result<Compilation> CompileCleanly(const CompileOptions& options, const Sources& sources,
                                   const std::string& refused, std::ostream& err);

}  // namespace tarvosa::tool
