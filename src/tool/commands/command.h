// A command of the tool as the runner knows it: its name and description,
// and how it declares its options. The handler that declaration gives runs
// the command once the options are parsed.
#pragma once

#include <functional>
#include <string_view>

#include <CLI/CLI.hpp>

#include "tool/context.h"
#include "tool/outcome.h"

namespace tarvosa::tool {

using Handler = std::function<Outcome(Context& context)>;

struct Command {
  std::string_view name;
  std::string_view description;
  // Adds the options, arguments and footer to the command's own CLI::App;
  // the handler holds what they are parsed into. The arguments that must
  // name a file or directory there already are looked for on `os`.
  Handler (*declare)(CLI::App& command, Os& os);
};

// What the help of the tool and of every command ends with.
inline constexpr const char* kExitStatuses =
    "Exit status: 0 clean, 1 a file could not be read or written, 2 a data error, 3 a fatal "
    "conflict (1250 or 1251), 4 a usage error.";

}  // namespace tarvosa::tool
