#include "tool/document_files.h"

#include <cstdio>
#include <filesystem>

#include "tool/compile_command.h"
#include "util/files.h"

namespace tarvosa::tool {

int WriteDocumentFiles(const std::string& directory, const std::vector<DocumentFile>& files,
                       bool force) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::create_directories(PathFromUtf8(directory), error);
  if (error) {
    std::fprintf(stderr, "%s: cannot make the directory: %s\n", directory.c_str(),
                 error.message().c_str());
    return kFileSystem;
  }
  bool exists = false;
  for (const DocumentFile& file : files) {
    if (!force && fs::exists(PathFromUtf8(file.name), error)) {
      std::fprintf(stderr, "%s: exists already; --force replaces it\n", file.name.c_str());
      exists = true;
    }
  }
  if (exists) return kFileSystem;
  for (const DocumentFile& file : files) {
    if (const Status s = file.write(); !s.ok()) {
      std::fprintf(stderr, "%s\n", s.message().c_str());
      return s.kind() == ExitStatus::kFileSystem ? kFileSystem : kDataError;
    }
  }
  return kClean;
}

}  // namespace tarvosa::tool
