#include "tool/compile_step.h"

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "tool/outcome.h"
#include "tool/source_messages.h"
#include "tool/terminal.h"
#include "util/files.h"
#include "util/windows1252.h"

namespace tarvosa::tool {
namespace {

Result<std::string> ReadSource(Os& os, const std::string& name) {
  const Result<FileInfo> info = os.Stat(name);
  if (info.ok() && info->type == FileType::kDirectory) {
    return Status::FileSystemError(name + ": is a directory, not a file");
  }
  Result<std::string> read = ReadWholeFile(os, name, Links::kFollow);
  if (!read.ok()) return Status::FileSystemError(name + ": cannot read the file");
  return read;
}

// A title in Windows-1252; the command line has made sure it has one.
std::string Title(const std::string& utf8) {
  std::string bytes;
  (void)EncodeWindows1252(utf8, bytes);
  return bytes;
}

std::string FileNameOf(const std::string& path) {
  return Utf8FromPath(PathFromUtf8(path).filename());
}

std::string StemOf(const std::string& path) {
  return Utf8FromPath(PathFromUtf8(path).stem());
}

}  // namespace

void TitlesFromNames(CompileOptions& options) {
  if (options.route_title.empty()) {
    const std::string name = FileNameOf(options.line);
    constexpr std::string_view kSuffix = "_linea.txt";
    const bool named = name.size() > kSuffix.size() && name.ends_with(kSuffix);
    options.route_title =
        named ? name.substr(0, name.size() - kSuffix.size()) : StemOf(options.line);
  }
  if (options.train_title.empty()) {
    std::string name = FileNameOf(options.train);
    constexpr std::string_view kSuffix = "-.txt";
    const std::size_t underscore = name.find('_');
    const bool named = name.ends_with(kSuffix) && underscore != std::string::npos &&
                       underscore + 1 < name.size() - kSuffix.size();
    options.train_title =
        named ? name.substr(underscore + 1, name.size() - kSuffix.size() - underscore - 1)
              : StemOf(options.train);
  }
}

Result<Sources> ReadSources(Os& os, const CompileOptions& options) {
  Result<std::string> line = ReadSource(os, options.line);
  if (!line.ok()) return line.status();
  Result<std::string> train = ReadSource(os, options.train);
  if (!train.ok()) return train.status();
  return Sources{std::move(line).value(), std::move(train).value()};
}

Compilation CompileSources(const CompileOptions& options, const Sources& sources) {
  const std::string route = Title(options.route_title);
  const std::string train = Title(options.train_title);
  const CompileInput input{.line_text = sources.line,
                           .train_text = sources.train,
                           .route_title = route,
                           .train_title = train,
                           .plan = options.plan,
                           .railway_checks = true};
  Compilation compiled = Compile(input);
  // The compile stops at the first error of each file; a pass that reads on
  // finds the others.
  if (compiled.diagnostics.HasError()) compiled.diagnostics.TakeMessagesOf(Diagnose(input));
  return compiled;
}

int PrintWarnings(const CompileOptions& options, const Sources& sources, const Compilation& c,
                  std::ostream& err) {
  // The kept warnings are put in order by reference, not copied.
  std::vector<const Warning*> warnings;
  warnings.reserve(c.diagnostics.warnings().size());
  for (const Warning& w : c.diagnostics.warnings()) warnings.push_back(&w);
  std::stable_sort(warnings.begin(), warnings.end(), [](const Warning* a, const Warning* b) {
    return std::tie(a->at.file, a->at.offset) < std::tie(b->at.file, b->at.offset);
  });
  const SourceText line{options.line, sources.line};
  const SourceText train{options.train, sources.train};
  TextPositions in_line(sources.line), in_train(sources.train);
  for (const Warning* w : warnings) {
    std::string quoted = QuotedLine(
        w->at.file == SourceLocation::File::kLine ? sources.line : sources.train, w->at.offset);
    if (!quoted.empty()) quoted = '\n' + quoted;
    Tell(err,
         Where(w->at, line, train, in_line, in_train) + ": warning: " + w->text + quoted + '\n');
  }
  const std::size_t more = c.diagnostics.warning_count() - warnings.size();
  if (more > 0) {
    err << "scenario: " << more << " more " << (more == 1 ? "warning" : "warnings")
        << " not shown\n";
  }
  return static_cast<int>(c.diagnostics.mistake_count());
}

Result<WarnedCompilation> CompileAndWarn(Os& os, const CompileOptions& options, std::ostream& err) {
  Result<Sources> sources = ReadSources(os, options);
  if (!sources.ok()) return sources.status();
  WarnedCompilation done{std::move(sources).value(), {}, 0};
  done.compilation = CompileSources(options, done.sources);
  done.strict_warnings = PrintWarnings(options, done.sources, done.compilation, err);
  return done;
}

Status Verdict(const CompileOptions& options, const Sources& sources, const Compilation& c) {
  if (c.fatal_conflict != 0) {
    return Status::FatalConflict(
        "error " + std::to_string(c.fatal_conflict) +
        ": a marker's place in the first cell or the route entry is already taken (fatal "
        "conflict, nothing written)");
  }
  if (c.diagnostics.HasError()) {
    std::string text;
    for (const std::string& message : ErrorMessages(c.diagnostics, {options.line, sources.line},
                                                    {options.train, sources.train})) {
      text += message + '\n';
    }
    return Status::DataError(text + ErrorCount(c.diagnostics));
  }
  if (!c.HasTrack()) {
    return Status::DataError(options.line + ": the line is too short to hold any track");
  }
  return Status();
}

std::string WarningsAndStrict(int warnings) {
  return std::to_string(warnings) + (warnings == 1 ? " warning" : " warnings") + " and --strict";
}

Result<Compilation> CompileCleanly(const CompileOptions& options, const Sources& sources,
                                   const std::string& refused, std::ostream& err) {
  Compilation compilation = CompileSources(options, sources);
  const int warnings = PrintWarnings(options, sources, compilation, err);
  if (const Status verdict = Verdict(options, sources, compilation); !verdict.ok()) {
    return Restated(verdict, verdict.message() + " (" + refused + ")");
  }
  if (options.strict && warnings > 0) {
    return Status::DataError(WarningsAndStrict(warnings) + ": " + refused);
  }
  return compilation;
}

}  // namespace tarvosa::tool
