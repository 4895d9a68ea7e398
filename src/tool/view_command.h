// scenario view: one self-contained HTML page that shows a scenario: the
// plan, the profiles on one kilometre axis, what stands at any point and
// which record put it there, the stations, and the compile's messages.
#pragma once

#include <string>
#include <vector>

#include "tool/compile_command.h"

namespace tarvosa::tool {

struct ViewOptions {
  // LINE TRAIN, compiled in memory; or DIR, a directory of compiled files.
  std::vector<std::string> inputs;
  std::string output;
  std::string route_title;  // as for compile: "" for the one the names give
  std::string train_title;
  bool watch = false;  // rewrite the page whenever an input changes
};

int RunView(const ViewOptions& options);

}  // namespace tarvosa::tool
