#include "packaging/installer_program.h"

#include <filesystem>
#include <vector>

#include "documents/payload.h"
#include "util/coding.h"
#include "util/files.h"

namespace tarvosa::packaging {
namespace fs = std::filesystem;
namespace {

// The places an installer is looked for when none is given.
std::vector<std::string> DefaultPlaces(bool windows) {
  std::vector<std::string> places;
  std::error_code error;
  const fs::path tool = fs::read_symlink("/proc/self/exe", error);
  if (!error) {
    places.push_back(
        (tool.parent_path() / (windows ? "Tarvosa_Corvale.exe" : "Tarvosa_Corvale")).string());
  }
  if (windows) places.push_back(TARVOSA_SOURCE_DIR "/build-windows/src/Tarvosa_Corvale.exe");
  return places;
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

Result<std::string> FindInstaller(const std::string& given, bool windows) {
  const std::vector<std::string> places =
      given.empty() ? DefaultPlaces(windows) : std::vector<std::string>{given};
  for (const std::string& place : places) {
    if (IsRegularFile(place)) return place;
  }
  std::string looked;
  for (const std::string& place : places) looked += (looked.empty() ? "" : ", ") + place;
  return Status::FileSystemError(
      std::string("the installer of the ") + (windows ? "Windows build" : "Linux build") +
      " is missing (looked for " + looked + "); build it, or give its place with --installer");
}

Result<std::string> PackagedProgram(const std::string& installer, bool windows,
                                    const std::string& payload) {
  auto bytes = ReadWholeFile(installer);
  if (!bytes) return Status::FileSystemError(installer + ": cannot read the installer");
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

Status WriteProgram(const std::string& output, const std::string& bytes, bool force) {
  std::error_code error;
  const fs::path path = PathFromUtf8(output);
  if (!force && fs::exists(path, error)) {
    return Status::FileSystemError(output + ": exists already; --force replaces it");
  }
  if (path.has_parent_path()) fs::create_directories(path.parent_path(), error);
  if (Status written = ReplaceFileContent(output, bytes); !written.ok()) return written;
  fs::permissions(path, fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                  fs::perm_options::add, error);
  if (error) {
    return Status::FileSystemError(output + ": cannot make it a program: " + error.message());
  }
  return Status();
}

}  // namespace tarvosa::packaging
