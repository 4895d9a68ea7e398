#include "app/terminal_screen.h"

#include <cstdio>

namespace tarvosa {
namespace {

void PrintLine(std::string_view text) {
  std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
  std::fflush(stderr);
}

}  // namespace

void TerminalScreen::ShowWaitingWindow(std::string_view, std::string_view caption) {
  PrintLine(caption);
}

void TerminalScreen::ShowMessage(std::string_view text) {
  PrintLine(text);
}

}  // namespace tarvosa
