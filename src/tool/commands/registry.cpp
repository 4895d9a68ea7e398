#include "tool/commands/registry.h"

#include <array>

namespace tarvosa::tool {
namespace {

constexpr std::array<const Command*, 12> kCommands = {
    &kCompileCommand, &kDocumentsCommand, &kPackageCommand, &kCheckCommand,
    &kDumpCommand,    &kDiffCommand,      &kMapCommand,     &kViewCommand,
    &kRunCommand,     &kExportCommand,    &kNewCommand,     &kDecompileCommand};

}  // namespace

std::span<const Command* const> AllCommands() {
  return kCommands;
}

}  // namespace tarvosa::tool
