// make_large_scenario: writes a synthetic line definition file and train
// data file of the given length, for measuring the compiler at scale.
//
//   make_large_scenario LENGTH LINE_FILE TRAIN_FILE
#include <cstdio>
#include <cstdlib>
#include <string>

#include "large_scenario.h"
#include "util/files.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: make_large_scenario LENGTH LINE_FILE TRAIN_FILE\n");
    return 4;
  }
  const long length = std::strtol(argv[1], nullptr, 10);
  if (length < 20000 || length > 1000000) {
    std::fprintf(stderr, "make_large_scenario: LENGTH must be 20000 to 1000000 metres\n");
    return 4;
  }
  const tarvosa::LargeScenario scenario = tarvosa::MakeLargeScenario(static_cast<int>(length));
  for (const auto& [name, bytes] :
       {std::pair{argv[2], &scenario.line}, {argv[3], &scenario.train}}) {
    if (const tarvosa::Status s = tarvosa::ReplaceFileContent(tarvosa::DefaultOs(), name, *bytes);
        !s.ok()) {
      std::fprintf(stderr, "%s\n", s.message().c_str());
      return 1;
    }
  }
  return 0;
}
