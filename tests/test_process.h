// Running a program as a separate process, as a user would (POSIX only).
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace tarvosa::testing {

struct ProgramResult {
  int exit_status = -1;  // -1 when the program did not exit normally
  std::string standard_output;
  std::string standard_error;
};

// How to start a program: as the unprivileged user nobody (whom permission
// bits stop, unlike root), with a limit on the size of any file it writes
// and one on the processor seconds it may take, so that a run that would
// never end is killed (0 for none).
struct RunOptions {
  bool as_nobody = false;
  unsigned long file_size_limit = 0;
  unsigned long cpu_seconds_limit = 0;
  std::vector<std::pair<std::string, std::string>> environment = {};  // on top of the test's own
};

// A program started and not yet waited for.
struct StartedProgram {
  int pid = -1;
  std::filesystem::path output_file, error_file;
};

// Starts `program` with `arguments` in the working directory `working`.
StartedProgram StartProgram(const std::filesystem::path& program,
                            const std::filesystem::path& working, RunOptions options = {},
                            const std::vector<std::string>& arguments = {});

// Waits for a started program to end.
ProgramResult WaitProgram(const StartedProgram& started);

// Runs `program` with `arguments` in the working directory `working`.
ProgramResult RunProgram(const std::filesystem::path& program, const std::filesystem::path& working,
                         RunOptions options = {}, const std::vector<std::string>& arguments = {});

}  // namespace tarvosa::testing
