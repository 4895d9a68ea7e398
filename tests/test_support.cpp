#include "test_support.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include <gtest/gtest.h>

namespace tarvosa::testing {
namespace fs = std::filesystem;

ScratchDirectory::ScratchDirectory(const std::string& name) {
  std::string pattern = (fs::temp_directory_path() / "tarvosa-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "cannot create " << pattern;
  root_ = pattern;
  // Others may pass through, so that a program run as another user reaches it.
  fs::permissions(root_, fs::perms::group_exec | fs::perms::others_exec, fs::perm_options::add);
  path_ = root_ / name;
  fs::create_directories(path_);
}

ScratchDirectory::~ScratchDirectory() {
  std::error_code ignored;
  // Files a test made read-only must not stop the clean-up.
  for (const auto& entry : fs::recursive_directory_iterator(root_, ignored)) {
    fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
  fs::remove_all(root_, ignored);
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> ListDirectory(const fs::path& directory) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(directory)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool SplitCrLfLines(const std::string& bytes, std::vector<std::string>* lines) {
  lines->clear();
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) return false;
    lines->push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return true;
}

WrittenDocument WriteDocument(Status (*writer)(const Form1&), const std::string& file) {
  ScratchDirectory dir;
  const Form1 form{.route_title = "Tarvosa", .train_title = "Corvale", .app_path = dir.text()};
  WrittenDocument document;
  const Status status = writer(form);
  EXPECT_TRUE(status.ok()) << status.message();
  document.bytes = ReadFile(dir.path() / file);
  EXPECT_TRUE(SplitCrLfLines(document.bytes, &document.lines)) << file;
  return document;
}

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
