// The commands of the tool, each defined in its own file, and the one table
// that lists them.
#pragma once

#include <span>

#include "tool/commands/command.h"

namespace tarvosa::tool {

extern const Command kCompileCommand;
extern const Command kDocumentsCommand;
extern const Command kPackageCommand;
extern const Command kCheckCommand;
extern const Command kDumpCommand;
extern const Command kDiffCommand;
extern const Command kMapCommand;
extern const Command kViewCommand;
extern const Command kExportCommand;
extern const Command kNewCommand;
extern const Command kDecompileCommand;
extern const Command kRunCommand;

// Every command, in the order `scenario --help` lists them.
std::span<const Command* const> AllCommands();

}  // namespace tarvosa::tool
