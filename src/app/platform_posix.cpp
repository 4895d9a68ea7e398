// On Linux the waiting notice and every message go to the standard error.
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/platform.h"

namespace tarvosa::platform {
namespace {

class TerminalScreen final : public Screen {
 public:
  void ShowWaitingWindow(std::string_view caption) override { Print(caption); }
  void ShowMessage(std::string_view text) override { Print(text); }

 private:
  static void Print(std::string_view text) {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    std::fflush(stderr);
  }
};

}  // namespace

void PrepareProcess() {
  std::signal(SIGXFSZ, SIG_IGN);
}

std::optional<std::string> ExecutableDirectory() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || !program.has_parent_path())
    return std::nullopt;
  return program.parent_path().string();
}

char PathSeparator() {
  return '/';
}

std::unique_ptr<Screen> OpenScreen() {
  return std::make_unique<TerminalScreen>();
}

}  // namespace tarvosa::platform
