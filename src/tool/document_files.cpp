#include "tool/document_files.h"

namespace tarvosa::tool {
namespace {

// Why `file` may not be written now; empty when it may. A name that cannot
// be looked at cannot be written either: it stops the run before any file
// is, so that none is left without the others.
std::string Refusal(Os& os, const DocumentFile& file, bool force) {
  const Result<FileInfo> info = os.Stat(file.name);
  if (!info.ok()) return "cannot be written: " + info.status().message();
  if (!force && info->type != FileType::kMissing) return "exists already; --force replaces it";
  return "";
}

}  // namespace

Status WriteDocumentFiles(Os& os, const std::string& directory,
                          const std::vector<DocumentFile>& files, bool force) {
  if (Status made = os.MakeDirectories(directory); !made.ok()) {
    return Status::FileSystemError(directory + ": cannot make the directory: " + made.message());
  }
  std::string refused;
  for (const DocumentFile& file : files) {
    const std::string why = Refusal(os, file, force);
    if (!why.empty()) refused += (refused.empty() ? "" : "\n") + file.name + ": " + why;
  }
  if (!refused.empty()) return Status::FileSystemError(refused);
  for (const DocumentFile& file : files) {
    if (Status written = file.write(); !written.ok()) return written;
  }
  return Status();
}

}  // namespace tarvosa::tool
