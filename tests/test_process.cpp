#include "test_process.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "test_support.h"

namespace tarvosa::testing {
namespace fs = std::filesystem;

ProgramResult RunProgram(const fs::path& program, const fs::path& working, RunOptions options,
                         const std::vector<std::string>& arguments) {
  const fs::path output_file = working / ".stdout-of-program";
  const fs::path error_file = working / ".stderr-of-program";
  std::vector<std::string> words = {program.string()};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    const int output = open(output_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int error = open(error_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (output < 0 || error < 0 || dup2(output, STDOUT_FILENO) < 0 ||
        dup2(error, STDERR_FILENO) < 0 || chdir(working.c_str()) != 0) {
      _exit(127);
    }
    if (options.file_size_limit != 0) {
      const rlimit limit{options.file_size_limit, options.file_size_limit};
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(127);
    }
    constexpr uid_t kNobody = 65534;
    if (options.as_nobody &&
        (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
      _exit(127);
    }
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  ProgramResult result;
  int status = 0;
  if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) {
    result.exit_status = WEXITSTATUS(status);
  }
  result.standard_output = ReadFile(output_file);
  result.standard_error = ReadFile(error_file);
  fs::remove(output_file);
  fs::remove(error_file);
  return result;
}

}  // namespace tarvosa::testing
