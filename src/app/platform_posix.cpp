// Linux: the executable's directory from /proc/self/exe; the waiting notice
// and every message on the standard error.
#include <csignal>
#include <filesystem>
#include <system_error>

#include "app/platform.h"
#include "app/terminal_screen.h"

namespace tarvosa::platform {

void PrepareProcess() {
  std::signal(SIGXFSZ, SIG_IGN);
}

std::optional<std::string> ExecutableDirectory() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || !program.has_parent_path()) return std::nullopt;
  return program.parent_path().string();
}

char PathSeparator() {
  return '/';
}

std::unique_ptr<Screen> OpenScreen() {
  return std::make_unique<TerminalScreen>();
}

}  // namespace tarvosa::platform
