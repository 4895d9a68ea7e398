// An install of the embedded scenario into a directory of an Os in memory,
// and what it showed: shared by the tests of whole runs.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "app/form_load.h"
#include "fake_os.h"
#include "test_support.h"

namespace tarvosa::testing {

inline const std::string kInstallDirectory = "/Giochi di treni";

inline std::string PathOf(const std::string& file) {
  return kInstallDirectory + "/" + file;
}

inline Form1 FormIn(const std::string& directory) {
  Form1 form;
  form.app_path = directory;
  form.separator = '/';
  return form;
}

inline FakeOs& WithDirectory(FakeOs& os) {
  os.AddDirectory(kInstallDirectory);
  return os;
}

struct InstallOutcome {
  ExitStatus status;
  std::vector<std::string> shown;
};

inline InstallOutcome Install(Os& os, std::chrono::milliseconds lock_wait = kLockWait) {
  Form1 form = FormIn(kInstallDirectory);
  RecordingScreen screen;
  const ExitStatus status = Form_Load(os, form, screen, lock_wait);
  return {status, screen.shown};
}

}  // namespace tarvosa::testing
