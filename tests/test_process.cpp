#include "test_process.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "test_support.h"

namespace tarvosa::testing {
namespace fs = std::filesystem;

StartedProgram StartProgram(const fs::path& program, const fs::path& working, RunOptions options,
                            const std::vector<std::string>& arguments) {
  static int started = 0;
  const std::string tag = std::to_string(getpid()) + "-" + std::to_string(++started);
  StartedProgram run{-1, working / (".stdout-of-program-" + tag),
                     working / (".stderr-of-program-" + tag)};
  std::vector<std::string> words = {program.string()};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  run.pid = fork();
  if (run.pid == 0) {
    const int output = open(run.output_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int error = open(run.error_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (output < 0 || error < 0 || dup2(output, STDOUT_FILENO) < 0 ||
        dup2(error, STDERR_FILENO) < 0 || chdir(working.c_str()) != 0) {
      _exit(127);
    }
    for (const auto& [name, value] : options.environment) setenv(name.c_str(), value.c_str(), 1);
    if (options.file_size_limit != 0) {
      const rlimit limit{options.file_size_limit, options.file_size_limit};
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(127);
    }
    if (options.cpu_seconds_limit != 0) {
      // SIGXCPU at the soft limit, SIGKILL a second later.
      const rlimit limit{options.cpu_seconds_limit, options.cpu_seconds_limit + 1};
      if (setrlimit(RLIMIT_CPU, &limit) != 0) _exit(127);
    }
    constexpr uid_t kNobody = 65534;
    if (options.as_nobody &&
        (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
      _exit(127);
    }
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  return run;
}

ProgramResult WaitProgram(const StartedProgram& run) {
  ProgramResult result;
  int status = 0;
  if (run.pid > 0 && waitpid(run.pid, &status, 0) == run.pid && WIFEXITED(status)) {
    result.exit_status = WEXITSTATUS(status);
  }
  result.standard_output = ReadFile(run.output_file);
  result.standard_error = ReadFile(run.error_file);
  fs::remove(run.output_file);
  fs::remove(run.error_file);
  return result;
}

ProgramResult RunProgram(const fs::path& program, const fs::path& working, RunOptions options,
                         const std::vector<std::string>& arguments) {
  return WaitProgram(StartProgram(program, working, std::move(options), arguments));
}

}  // namespace tarvosa::testing
