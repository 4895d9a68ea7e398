#include "tool/compile_command.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "compiler/data_errors.h"
#include "compiler/memorizza_percorso.h"
#include "tool/source_text.h"
#include "util/files.h"
#include "util/windows1252.h"

namespace tarvosa::tool {
namespace fs = std::filesystem;
namespace {

// A directory that is removed with what it holds.
class ScratchDirectory {
 public:
  ScratchDirectory() {
    std::string pattern = (fs::temp_directory_path() / "scenario-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~ScratchDirectory() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  fs::path path_;
};

// Copies `from` into the scratch file `to`, keeping its bytes in `bytes`.
Status CopyInput(const std::string& from, const std::string& to, std::string& bytes) {
  const auto read = ReadWholeFile(from);
  if (!read) return Status::FileSystemError(from + ": cannot read the file");
  bytes = *read;
  return ReplaceFileContent(to, bytes);
}

Status Titles(const CompileOptions& options, CompilerState& state) {
  if (AppendWindows1252(options.route_title, state.route_title) ||
      AppendWindows1252(options.train_title, state.train_title)) {
    return Status::DataError("a title has a character with no Windows-1252 byte");
  }
  return Status();
}

}  // namespace

Compilation Compile(const CompileOptions& options, bool keep, CompilerObserver* observer) {
  Compilation c;
  const ScratchDirectory scratch;
  CompilerState& s = c.state;
  s.line_file = scratch.File("linea.txt");
  s.train_file = scratch.File("treno.txt");
  if (c.status = Titles(options, s); !c.status.ok()) return c;
  if (c.status = CopyInput(options.line, s.line_file, c.line_bytes); !c.status.ok()) return c;
  if (c.status = CopyInput(options.train, s.train_file, c.train_bytes); !c.status.ok()) return c;
  const auto output = [&](const std::string& suffix) {
    const std::string name = options.route_title + suffix;
    return keep ? (fs::path(options.output) / name).string() : scratch.File(name);
  };
  s.plan_file = output("_linea.dat");
  s.table_file = output("_" + options.train_title + ".sim");
  s.track_file = output("_" + options.train_title + ".dat");
  s.observer = observer;
  c.status = memorizza_percorso(s, options.plan ? 1 : 0);
  s.observer = nullptr;
  return c;
}

std::string Verdict(const CompileOptions& options, const Compilation& c) {
  const CompilerState& s = c.state;
  if (c.status.kind() == tarvosa::ExitStatus::kFatalConflict) {
    return "error " + c.status.message() +
           ": a marker's place in the first cell or the route "
           "entry is already taken (fatal conflict, nothing written)";
  }
  if (c.status.kind() == tarvosa::ExitStatus::kFileSystem) return c.status.message();
  if (s.error_code == 0 && c.status.ok()) return "";
  if (s.error_code == 0) return options.line + ": the line is too short to hold any track";
  std::string where;
  if (s.error_location.file == SourceLocation::File::kLine) {
    where = Where(options.line, c.line_bytes, s.error_location.offset) + ": ";
  } else if (s.error_location.file == SourceLocation::File::kTrain) {
    where = Where(options.train, c.train_bytes, s.error_location.offset) + ": ";
  }
  std::string verdict = where + DataErrorText(s.error_code, s.error_position);
  if (!c.status.ok()) verdict += " (nothing written: the line leaves no track)";
  return verdict;
}

int ExitCode(const Compilation& c) {
  switch (c.status.kind()) {
    case tarvosa::ExitStatus::kFileSystem:
      return kFileSystem;
    case tarvosa::ExitStatus::kFatalConflict:
      return kFatal;
    case tarvosa::ExitStatus::kDataError:
      return kDataError;
    case tarvosa::ExitStatus::kClean:
      break;
  }
  return c.state.error_code != 0 ? kDataError : kClean;
}

int RunCompile(const CompileOptions& options) {
  const Compilation compilation = Compile(options, true);
  if (const std::string verdict = Verdict(options, compilation); !verdict.empty()) {
    std::fprintf(stderr, "%s\n", verdict.c_str());
  }
  return ExitCode(compilation);
}

}  // namespace tarvosa::tool
