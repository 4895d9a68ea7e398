// The state of the program's one window that every step of a run shares.
#pragma once

#include <string>

namespace tarvosa {

struct Form1 {
  std::string route_title;  // the first piece of every output file name
  std::string train_title;  // a piece of every name but the line files'
  std::string app_path;     // the executable's directory, as the platform gives it
  char separator = '/';     // between the directory and a file name
};

}  // namespace tarvosa
