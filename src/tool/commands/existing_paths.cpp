#include "tool/commands/existing_paths.h"

#include <string>

namespace tarvosa::tool {
namespace {

// As CLI11 tells them apart: what cannot be looked at is not there.
FileType TypeOf(Os& os, const std::string& name) {
  const Result<FileInfo> info = os.Stat(name);
  return info.ok() ? info->type : FileType::kMissing;
}

}  // namespace

CLI::Validator ExistingFile(Os& os) {
  return CLI::Validator(
      [&os](std::string& name) -> std::string {
        switch (TypeOf(os, name)) {
          case FileType::kMissing:
            return "File does not exist: " + name;
          case FileType::kDirectory:
            return "File is actually a directory: " + name;
          case FileType::kRegular:
          case FileType::kOther:
            break;
        }
        return "";
      },
      "FILE");
}

CLI::Validator ExistingDirectory(Os& os) {
  return CLI::Validator(
      [&os](std::string& name) -> std::string {
        switch (TypeOf(os, name)) {
          case FileType::kMissing:
            return "Directory does not exist: " + name;
          case FileType::kRegular:
          case FileType::kOther:
            return "Directory is actually a file: " + name;
          case FileType::kDirectory:
            break;
        }
        return "";
      },
      "DIR");
}

}  // namespace tarvosa::tool
