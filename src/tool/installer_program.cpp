#include "tool/installer_program.h"

#include <filesystem>
#include <vector>

#include "documents/payload.h"
#include "tool/compile_command.h"
#include "util/coding.h"
#include "util/files.h"

namespace tarvosa::tool {
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

// Where the slot's marker is; nothing, with the problem, unless it is
// there exactly once.
std::optional<std::size_t> FindSlot(const std::string& installer, const std::string& bytes,
                                    InputProblem& problem) {
  const std::string_view marker(kSlotMarker, kSlotMarkerBytes);
  const std::size_t at = bytes.find(marker);
  if (at == std::string::npos || bytes.size() - at < sizeof(PayloadSlot)) {
    problem = {kUsage, installer +
                           ": not an installer that can carry a scenario (it has no slot "
                           "for one)"};
    return std::nullopt;
  }
  if (bytes.find(marker, at + 1) != std::string::npos) {
    problem = {kUsage, installer +
                           ": not an installer that can carry a scenario (it has two "
                           "slots for one)"};
    return std::nullopt;
  }
  return at;
}

}  // namespace

std::optional<std::string> FindInstaller(const std::string& given, bool windows,
                                         InputProblem& problem) {
  const std::vector<std::string> places =
      given.empty() ? DefaultPlaces(windows) : std::vector<std::string>{given};
  for (const std::string& place : places) {
    if (IsRegularFile(place)) return place;
  }
  std::string looked;
  for (const std::string& place : places) looked += (looked.empty() ? "" : ", ") + place;
  problem = {kFileSystem, std::string("the installer of the ") +
                              (windows ? "Windows build" : "Linux build") +
                              " is missing (looked for " + looked +
                              "); build it, or give its "
                              "place with --installer"};
  return std::nullopt;
}

std::optional<std::string> PackagedProgram(const std::string& installer, bool windows,
                                           const std::string& payload, InputProblem& problem) {
  auto bytes = ReadWholeFile(installer);
  if (!bytes) {
    problem = {kFileSystem, installer + ": cannot read the installer"};
    return std::nullopt;
  }
  const std::string_view magic = windows ? "MZ"
                                         : "\x7F"
                                           "ELF";
  if (!bytes->starts_with(magic)) {
    problem = {kUsage, installer + (windows ? ": not a Windows program; --windows packages the "
                                              "installer of the Windows build"
                                            : ": not a Linux program; without --windows the "
                                              "installer of the Linux build is packaged")};
    return std::nullopt;
  }
  const auto slot = FindSlot(installer, *bytes, problem);
  if (!slot) return std::nullopt;
  char* offset = bytes->data() + *slot + kSlotMarkerBytes;
  if (std::string_view(offset, kSlotOffsetBytes) != std::string(kSlotOffsetBytes, '\0')) {
    problem = {kUsage, installer + ": carries a scenario already; package the installer as built"};
    return std::nullopt;
  }
  EncodeFixed64(offset, bytes->size());
  return *bytes + payload;
}

}  // namespace tarvosa::tool
