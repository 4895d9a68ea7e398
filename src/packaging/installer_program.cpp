#include "packaging/installer_program.h"

#include <filesystem>
#include <vector>

#include "documents/payload.h"
#include "util/coding.h"
#include "util/files.h"

namespace tarvosa::packaging {
namespace {

// The places an installer is looked for when none is given.
std::vector<std::string> DefaultPlaces(bool windows, const Result<std::string>& tool) {
  std::vector<std::string> places;
  if (tool.ok()) {
    const std::filesystem::path beside = PathFromUtf8(*tool).parent_path();
    places.push_back(Utf8FromPath(beside / (windows ? "Tarvosa_Corvale.exe" : "Tarvosa_Corvale")));
  }
  if (windows) places.push_back(TARVOSA_SOURCE_DIR "/build-windows/src/Tarvosa_Corvale.exe");
  return places;
}

bool IsRegularFile(Os& os, const std::string& name) {
  const Result<FileInfo> info = os.Stat(name);
  return info.ok() && info->type == FileType::kRegular;
}

// Where the slot's marker is, when it is there exactly once.
Result<std::size_t> FindSlot(const std::string& installer, const std::string& bytes) {
  const std::string_view marker(kSlotMarker, kSlotMarkerBytes);
  const std::size_t at = bytes.find(marker);
  if (at == std::string::npos || bytes.size() - at < sizeof(PayloadSlot)) {
    return Status::UsageError(installer +
                              ": not an installer that can carry a scenario (it has no slot "
                              "for one)");
  }
  if (bytes.find(marker, at + 1) != std::string::npos) {
    return Status::UsageError(installer +
                              ": not an installer that can carry a scenario (it has two "
                              "slots for one)");
  }
  return at;
}

}  // namespace

Result<std::string> FindInstaller(Os& os, const std::string& given, bool windows,
                                  const Result<std::string>& tool) {
  const std::vector<std::string> places =
      given.empty() ? DefaultPlaces(windows, tool) : std::vector<std::string>{given};
  for (const std::string& place : places) {
    if (IsRegularFile(os, place)) return place;
  }
  std::string looked;
  for (const std::string& place : places) looked += (looked.empty() ? "" : ", ") + place;
  return Status::FileSystemError(
      std::string("the installer of the ") + (windows ? "Windows build" : "Linux build") +
      " is missing (looked for " + looked + "); build it, or give its place with --installer");
}

Result<std::string> PackagedProgram(Os& os, const std::string& installer, bool windows,
                                    const std::string& payload) {
  Result<std::string> bytes = ReadWholeFile(os, installer, Links::kFollow);
  if (!bytes.ok()) return Status::FileSystemError(installer + ": cannot read the installer");
  const std::string_view magic = windows ? "MZ"
                                         : "\x7F"
                                           "ELF";
  if (!bytes->starts_with(magic)) {
    return Status::UsageError(installer + (windows ? ": not a Windows program; --windows "
                                                     "packages the installer of the Windows build"
                                                   : ": not a Linux program; without --windows "
                                                     "the installer of the Linux build is "
                                                     "packaged"));
  }
  const auto slot = FindSlot(installer, *bytes);
  if (!slot.ok()) return slot.status();
  char* offset = bytes->data() + *slot + kSlotMarkerBytes;
  if (std::string_view(offset, kSlotOffsetBytes) != std::string(kSlotOffsetBytes, '\0')) {
    return Status::UsageError(installer +
                              ": carries a scenario already; package the installer as built");
  }
  EncodeFixed64(offset, bytes->size());
  return *bytes + payload;
}

Status WriteProgram(Os& os, const std::string& output, const std::string& bytes, bool force) {
  const Result<FileInfo> there = os.Stat(output);
  if (!force && there.ok() && there->type != FileType::kMissing) {
    return Status::FileSystemError(output + ": exists already; --force replaces it");
  }
  // A directory that cannot be made fails the write, which says why.
  const std::filesystem::path path = PathFromUtf8(output);
  if (path.has_parent_path()) {
    const std::u8string directory = path.parent_path().u8string();
    (void)os.MakeDirectories(std::string(directory.begin(), directory.end()));
  }
  if (Status written = ReplaceFileContent(os, output, bytes); !written.ok()) return written;
  if (Status runnable = os.AddExecutePermission(output); !runnable.ok()) {
    return Status::FileSystemError(output + ": cannot make it a program: " + runnable.message());
  }
  return Status();
}

}  // namespace tarvosa::packaging
