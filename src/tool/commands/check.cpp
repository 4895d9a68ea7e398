// scenario check: what the compiler accepts silently but is almost always a
// mistake, in both files, then the compiler's own verdict. Writes nothing.
#include <memory>

#include "tool/commands/registry.h"
#include "tool/commands/source_options.h"

namespace tarvosa::tool {
namespace {

// Warnings alone leave the status clean, but with --strict.
Outcome RunCheck(const CompileOptions& options, Context& context) {
  const auto done = CompileAndWarn(context.os, options, context.err);
  if (!done.ok()) return done.status();
  if (Status verdict = Verdict(options, done->sources, done->compilation); !verdict.ok()) {
    return verdict;
  }
  context.err << "no error\n";
  if (options.strict && done->strict_warnings > 0) {
    return Status::DataError(WarningsAndStrict(done->strict_warnings));
  }
  return Status();
}

Handler Declare(CLI::App& command, Os& os) {
  auto options = std::make_shared<CompileOptions>();
  AddSourceOptions(command, os, *options);
  command.footer(kExitStatuses);
  return [options](Context& context) -> Outcome {
    if (Status titles = SettleTitles(*options); !titles.ok()) return titles;
    return RunCheck(*options, context);
  };
}

}  // namespace

const Command kCheckCommand = {
    "check",
    "Report what the compiler accepts silently but is almost always a mistake, then the "
    "compiler's verdict. Writes nothing.",
    Declare};

}  // namespace tarvosa::tool
