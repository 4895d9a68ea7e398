#include "app/terminal_screen.h"

#include <cstdio>
#include <string>

#include "util/escape.h"

namespace tarvosa {
namespace {

// A message names files and quotes the scenario: a control character in
// either is shown escaped, never sent to the terminal to act on.
void PrintLine(std::string_view text) {
  const std::string shown = EscapeTerminalLines(text);
  std::fprintf(stderr, "%.*s\n", static_cast<int>(shown.size()), shown.data());
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
