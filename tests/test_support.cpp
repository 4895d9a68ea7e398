#include "test_support.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

namespace tarvosa::testing {
namespace fs = std::filesystem;

ScratchDirectory::ScratchDirectory(const std::string& name) {
  std::random_device random;
  do {
    root_ = fs::temp_directory_path() / ("tarvosa-test-" + std::to_string(random()));
  } while (!fs::create_directory(root_));
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

WrittenDocument WriteDocument(Status (*writer)(Os&, const ScenarioPlace&),
                              const std::string& file) {
  ScratchDirectory dir;
  const ScenarioPlace form{
      .route_title = "Tarvosa", .train_title = "Corvale", .app_path = dir.text()};
  WrittenDocument document;
  const Status status = writer(DefaultOs(), form);
  EXPECT_TRUE(status.ok()) << status.message();
  document.bytes = ReadFile(dir.path() / file);
  EXPECT_TRUE(SplitCrLfLines(document.bytes, &document.lines)) << file;
  return document;
}

}  // namespace tarvosa::testing
