// A screen on a terminal: the waiting notice and every message are lines on
// the standard error, their control characters escaped (util/escape.h); a
// window's title is not shown.
#pragma once

#include "app/screen.h"

namespace tarvosa {

class TerminalScreen final : public Screen {
 public:
  void ShowWaitingWindow(std::string_view title, std::string_view caption) override;
  void ShowMessage(std::string_view text) override;
};

}  // namespace tarvosa
