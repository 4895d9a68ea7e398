// The tool run in-process: the command line's words in, the exit status
// out, every word it says on a Console.
#pragma once

#include <string>
#include <vector>

#include "tool/console.h"

namespace tarvosa::tool {

// Parses `arguments` (the words after the program's name), runs the command
// they name and returns the exit status; --help and --version are shown on
// `console.out`, a command line that cannot be parsed is a usage error.
int RunTool(const std::vector<std::string>& arguments, Console& console);

}  // namespace tarvosa::tool
