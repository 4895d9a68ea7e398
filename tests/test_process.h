// Running a program as a separate process, as a user would (POSIX only).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tarvosa::testing {

struct ProgramResult {
  int exit_status = -1;  // -1 when the program did not exit normally
  std::string standard_output;
  std::string standard_error;
};

// How to start a program: as the unprivileged user nobody (whom permission
// bits stop, unlike root), and with a limit on the size of any file it
// writes (0 for none).
struct RunOptions {
  bool as_nobody = false;
  unsigned long file_size_limit = 0;
};

// Runs `program` with `arguments` in the working directory `working`.
ProgramResult RunProgram(const std::filesystem::path& program, const std::filesystem::path& working,
                         RunOptions options = {}, const std::vector<std::string>& arguments = {});

}  // namespace tarvosa::testing
