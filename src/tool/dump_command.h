// scenario dump: any of the three compiled files as a table an author can
// read, or as stored (--raw).
#pragma once

#include <string>

namespace tarvosa::tool {

struct DumpOptions {
  std::string file;
  std::string format = "text";  // text, csv or json
  std::string kind;             // track, table or plan; "" to tell by the layout
  long step = 1;                // every step-th row of the plan
  bool raw = false;             // the stored members instead of what they mean
  std::string output;           // "" for standard output
};

int RunDump(const DumpOptions& options);

}  // namespace tarvosa::tool
