// What a run shows the user: the waiting window and messages.
#pragma once

#include <string_view>

namespace tarvosa {

class Screen {
 public:
  virtual ~Screen() = default;

  // Shows the small window titled `title` whose only content is `caption`,
  // drawn at once.
  virtual void ShowWaitingWindow(std::string_view title, std::string_view caption) = 0;

  // Shows `text` and waits until the user has taken note of it.
  virtual void ShowMessage(std::string_view text) = 0;
};

}  // namespace tarvosa
