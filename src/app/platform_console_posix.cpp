// Linux: the words are bytes, UTF-8 by convention, and the streams pass
// bytes as they are.
#include "app/platform_console.h"

namespace tarvosa::platform {

std::vector<std::string> CommandLineWords(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

void PrepareConsole() {}

}  // namespace tarvosa::platform
