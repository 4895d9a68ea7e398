// scenario map: one SVG page of a compiled scenario: the plan of the line
// and, under it, the profile along the line.
#include <memory>

#include "tool/commands/existing_paths.h"
#include "tool/commands/registry.h"
#include "tool/inputs/compiled_directory.h"
#include "tool/presenters/map_svg.h"
#include "tool/presenters/view_data.h"
#include "util/files.h"

namespace tarvosa::tool {
namespace {

// Reads the compiled files in `directory` and writes `output`.
Outcome RunMap(Os& os, const std::string& directory, const std::string& output) {
  const auto scenario = LoadCompiledScenario(os, directory);
  if (!scenario.ok()) return scenario.status();
  if (scenario->cells.size() < 2) return Status::DataError(directory + ": no track to draw");
  return ReplaceFileContent(os, output, MapSvg(ViewData(*scenario, nullptr, nullptr)));
}

Handler Declare(CLI::App& command, Os& os) {
  struct Options {
    std::string directory, output;
  };
  auto options = std::make_shared<Options>();
  command.add_option("DIR", options->directory, "directory of the three compiled files")
      ->required()
      ->check(ExistingDirectory(os));
  command.add_option("-o", options->output, "the SVG file to write")->required();
  command.footer(kExitStatuses);
  return [options](Context& context) {
    return RunMap(context.os, options->directory, options->output);
  };
}

}  // namespace

const Command kMapCommand = {"map", "Draw the compiled scenario in DIR as one SVG page.", Declare};

}  // namespace tarvosa::tool
