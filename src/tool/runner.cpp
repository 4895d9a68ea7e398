#include "tool/runner.h"

#include <algorithm>
#include <sstream>
#include <utility>

#include "tarvosa_version.h"
#include "tool/commands/registry.h"

namespace tarvosa::tool {
namespace {

// Whether a command is to run: false once --help or --version is shown; a
// usage error, with what CLI11 says of it, when the words do not parse.
Result<bool> Parse(CLI::App& app, std::vector<std::string> arguments, Context& context) {
  std::reverse(arguments.begin(), arguments.end());  // CLI11 takes the last word first
  try {
    app.parse(arguments);
    return true;
  } catch (const CLI::Success& success) {
    app.exit(success, context.out, context.err);
    return false;
  } catch (const CLI::ParseError& error) {
    std::ostringstream said;
    app.exit(error, said, said);
    std::string message = said.str();
    if (message.ends_with('\n')) message.pop_back();
    return Status::UsageError(message);
  }
}

}  // namespace

int RunTool(const std::vector<std::string>& arguments, Context& context) {
  CLI::App app{"Compiles, checks, shows, compares and draws train-driving scenarios.", "scenario"};
  app.footer(kExitStatuses);
  app.set_version_flag("--version", std::string("scenario ") + kTarvosaVersion);
  app.require_subcommand(1);
  std::vector<std::pair<CLI::App*, Handler>> handlers;
  for (const Command* command : AllCommands()) {
    CLI::App* declared =
        app.add_subcommand(std::string(command->name), std::string(command->description));
    handlers.emplace_back(declared, command->declare(*declared, context.os));
  }
  const Result<bool> parsed = Parse(app, arguments, context);
  if (!parsed.ok()) return Finish(parsed.status(), context.err);
  if (!*parsed) return Finish(Status(), context.err);
  for (auto& [declared, handler] : handlers) {
    if (declared->parsed()) return Finish(handler(context), context.err);
  }
  // require_subcommand(1) leaves no way here.
  return Finish(Status::UsageError("scenario: no command"), context.err);
}

}  // namespace tarvosa::tool
