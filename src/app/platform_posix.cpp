// Linux: the executable and its directory from /proc/self/exe; the waiting notice
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

Result<std::string> ExecutablePath() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || !program.has_parent_path()) {
    return Status::FileSystemError("cannot find the running program's file");
  }
  return program.string();
}

std::optional<std::string> ExecutableDirectory() {
  const auto program = ExecutablePath();
  if (!program.ok()) return std::nullopt;
  return std::filesystem::path(*program).parent_path().string();
}

char PathSeparator() {
  return '/';
}

std::unique_ptr<Screen> OpenScreen() {
  return std::make_unique<TerminalScreen>();
}

}  // namespace tarvosa::platform
