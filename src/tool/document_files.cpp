#include "tool/document_files.h"

#include <filesystem>

#include "util/files.h"

namespace tarvosa::tool {

Status WriteDocumentFiles(const std::string& directory, const std::vector<DocumentFile>& files,
                          bool force) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::create_directories(PathFromUtf8(directory), error);
  if (error) {
    return Status::FileSystemError(directory + ": cannot make the directory: " + error.message());
  }
  std::string existing;
  for (const DocumentFile& file : files) {
    if (!force && fs::exists(PathFromUtf8(file.name), error)) {
      existing +=
          (existing.empty() ? "" : "\n") + file.name + ": exists already; --force replaces it";
    }
  }
  if (!existing.empty()) return Status::FileSystemError(existing);
  for (const DocumentFile& file : files) {
    if (Status written = file.write(); !written.ok()) return written;
  }
  return Status();
}

}  // namespace tarvosa::tool
