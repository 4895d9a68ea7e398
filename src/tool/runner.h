// The tool run in-process: the command line's words in, the exit status
// out, every word it says on a Context.
#pragma once

#include <string>
#include <vector>

#include "tool/context.h"

namespace tarvosa::tool {

// Parses `arguments` (the words after the program's name), runs the command
// they name and returns the exit status; --help and --version are shown on
// `context.out`, a command line that cannot be parsed is a usage error.
int RunTool(const std::vector<std::string>& arguments, Context& context);

}  // namespace tarvosa::tool
