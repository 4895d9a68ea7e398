// scenario decompile: the compiled files of a directory back to the line
// definition and train data files that compile to them.
#pragma once

#include <string>

namespace tarvosa::tool {

struct DecompileOptions {
  std::string directory;                 // the compiled files
  std::string output;                    // where the two texts go
  std::string route_title, train_title;  // UTF-8; empty: the table's
  bool force = false;
};

int RunDecompile(const DecompileOptions& options);

}  // namespace tarvosa::tool
