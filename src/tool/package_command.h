// scenario package: an author's scenario as a self-installing program,
// which installs it as the Tarvosa installer installs its own.
#pragma once

#include <string>

namespace tarvosa::tool {

struct PackageOptions {
  std::string directory;  // R_linea.txt, R_T-.txt and any of the three documents
  std::string output;     // the program to write
  std::string installer;  // "" for the default place (FindInstaller)
  bool windows = false;   // package the Windows build of the installer
  bool strict = false;    // warnings (but of comment lines) refuse the scenario
  bool force = false;     // replace an existing output
};

// Finds the scenario in the directory, refuses one that does not compile
// cleanly, makes the timetable sheet and slow-down order it lacks from its
// data, and writes the installer with the scenario appended; says what it
// wrote in one line. Returns the exit status.
int RunPackage(const PackageOptions& options);

}  // namespace tarvosa::tool
