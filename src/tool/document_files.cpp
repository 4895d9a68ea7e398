#include "tool/document_files.h"

namespace tarvosa::tool {
namespace {

// What cannot be looked at counts as not there: writing it says why.
bool Exists(Os& os, const std::string& name) {
  const Result<FileInfo> info = os.Stat(name);
  return info.ok() && info->type != FileType::kMissing;
}

}  // namespace

Status WriteDocumentFiles(Os& os, const std::string& directory,
                          const std::vector<DocumentFile>& files, bool force) {
  if (Status made = os.MakeDirectories(directory); !made.ok()) {
    return Status::FileSystemError(directory + ": cannot make the directory: " + made.message());
  }
  std::string existing;
  for (const DocumentFile& file : files) {
    if (!force && Exists(os, file.name)) {
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
