// scenario package: an author's scenario as a self-installing program,
// which installs it as the Tarvosa installer installs its own.
#include <memory>

#include "documents/author_lines.h"
#include "documents/payload.h"
#include "packaging/author_scenario.h"
#include "packaging/document_agreement.h"
#include "packaging/installer_program.h"
#include "packaging/made_documents.h"
#include "tool/commands/existing_paths.h"
#include "tool/commands/registry.h"
#include "tool/commands/source_options.h"
#include "tool/compile_step.h"
#include "tool/terminal.h"
#include "util/files.h"

namespace tarvosa::tool {
namespace {

struct PackageOptions {
  std::string directory;    // R_linea.txt, R_T-.txt and any of the three documents
  std::string output;       // the program to write
  std::string installer;    // "" for the default place (FindInstaller)
  bool windows = false;     // package the Windows build of the installer
  bool strict = false;      // warnings (but of comment lines) refuse the scenario
  bool regenerate = false;  // the slow-down order and sheet made from the data, not the author's
  bool force = false;       // replace an existing output
};

// What the packaged program will write and read back, compiled now as it
// will compile it: the warnings printed, and refused unless clean.
Result<Compilation> CompileAsInstalled(const packaging::AuthorFiles& files,
                                       const ScenarioDocuments& scenario, bool strict,
                                       Context& context) {
  const CompileOptions compile{.line = DocumentName(DocumentKind::kLineDefinition, files.place),
                               .train = DocumentName(DocumentKind::kTrainData, files.place),
                               .route_title = files.route_title,
                               .train_title = files.train_title,
                               .strict = strict};
  const Sources sources{InstalledBytes(*scenario[DocumentKind::kLineDefinition]),
                        InstalledBytes(*scenario[DocumentKind::kTrainData])};
  Result<Compilation> compiled = CompileCleanly(compile, sources, "nothing packaged", context.err);
  // A train that reads nothing would run with no stations and no line
  // speed: compiled, but no scenario.
  if (compiled.ok() && compiled->train_records == 0) {
    return Status::DataError(compile.train +
                             ": no record was read from the train data file; its records "
                             "must follow a '[generale]' line (nothing packaged)");
  }
  return compiled;
}

// Prints where the author's slow-down order and sheet disagree with the
// compiled data; with --strict any disagreement refuses the scenario.
Status CheckAuthorDocuments(const CompiledScenario& compiled, const ScenarioDocuments& scenario,
                            const packaging::AuthorFiles& files, bool strict, Context& context) {
  const std::vector<std::string> warnings =
      packaging::DocumentWarnings(compiled, scenario, files.place);
  for (const std::string& warning : warnings) Tell(context.err, warning + '\n');
  if (strict && !warnings.empty()) {
    return Status::DataError(WarningsAndStrict(static_cast<int>(warnings.size())) +
                             ": nothing packaged");
  }
  return Status();
}

// The scenario's names as the program will have them beside itself.
ScenarioPlace InstalledPlace(const packaging::AuthorFiles& files, const std::string& output) {
  ScenarioPlace place = files.place;
  const std::u8string program = PathFromUtf8(output).filename().u8string();
  place.program_name.assign(program.begin(), program.end());
  return place;
}

// "wrote OUT: R_T for Linux, N bytes; the slow-down order made from its data".
std::string Summary(const PackageOptions& options, const packaging::AuthorFiles& files,
                    std::size_t size, const std::vector<DocumentKind>& made) {
  std::string summary = "wrote " + options.output + ": " + files.route_title + "_" +
                        files.train_title + " for " + (options.windows ? "Windows" : "Linux") +
                        ", " + std::to_string(size) + " bytes";
  for (std::size_t i = 0; i < made.size(); ++i) {
    summary += (i == 0 ? "; the " : " and ") + std::string(DocumentTitle(made[i]));
  }
  if (!made.empty()) summary += " made from its data";
  return summary;
}

// Finds the scenario, refuses one that does not compile cleanly, sets the
// author's documents against it, makes the documents it lacks and writes
// the installer with the scenario appended.
Outcome RunPackage(const PackageOptions& options, Context& context) {
  Os& os = context.os;
  const auto files = packaging::FindAuthorScenario(os, options.directory);
  if (!files.ok()) return files.status();
  if (Status titles = packaging::CheckTitles(*files); !titles.ok()) return titles;
  if (Status names = CheckScenarioNames(InstalledPlace(*files, options.output)); !names.ok()) {
    return names;
  }
  const auto installer =
      packaging::FindInstaller(os, options.installer, options.windows, context.program);
  if (!installer.ok()) return installer.status();
  auto scenario = packaging::ReadAuthorDocuments(os, *files);
  if (!scenario.ok()) return scenario.status();
  const auto compiled = CompileAsInstalled(*files, *scenario, options.strict, context);
  if (!compiled.ok()) return compiled.status();
  if (!options.regenerate) {
    if (Status agree =
            CheckAuthorDocuments(compiled->scenario, *scenario, *files, options.strict, context);
        !agree.ok()) {
      return agree;
    }
  }
  const auto made = packaging::AddMadeDocuments(
      compiled->scenario, *scenario,
      options.regenerate ? packaging::Making::kBoth : packaging::Making::kWhatIsLacking);
  const auto program =
      packaging::PackagedProgram(os, *installer, options.windows, EncodePayload(*scenario));
  if (!program.ok()) return program.status();
  if (Status written = packaging::WriteProgram(os, options.output, *program, options.force);
      !written.ok()) {
    return written;
  }
  Tell(context.out, Summary(options, *files, program->size(), made) + '\n');
  return Status();
}

constexpr const char* kPackageMeaning =
    "DIR holds one scenario: R_linea.txt and R_T-.txt (R and T its titles), and any of "
    "R_T_note.txt, R_T_rallentamenti.txt and R_T_scheda_treno.txt, in Windows-1252 or UTF-8. "
    "The scenario must compile without an error (warnings are printed; --strict refuses them "
    "too). Where the slow-down order or the timetable sheet disagrees with the data (a "
    "slow-down's place or speed; the stations, their order, kilometres and times) a warning "
    "names both values; --strict refuses these too. A slow-down order or timetable sheet it "
    "lacks is made from its data, and with --regenerate both are, whatever the author wrote; "
    "without notes the program writes none. "
    "The installer comes from --installer, else from beside this tool (Tarvosa_Corvale, or "
    "Tarvosa_Corvale.exe with --windows), else with --windows from this source tree's "
    "build-windows/src/.";

Handler Declare(CLI::App& command, Os& os) {
  auto options = std::make_shared<PackageOptions>();
  command.add_option("DIR", options->directory, "directory of the scenario")
      ->required()
      ->check(ExistingDirectory(os));
  command.add_option("-o", options->output, "the program to write")->required();
  command.add_flag("--windows", options->windows, "package the Windows build of the installer");
  command.add_option("--installer", options->installer, "the installer to package");
  command.add_flag("--strict", options->strict,
                   "count warnings as errors (all but those of lines passed over for a '-')");
  command.add_flag("--regenerate", options->regenerate,
                   "package the slow-down order and timetable sheet made from the data, not the "
                   "author's");
  command.add_flag("--force", options->force, "replace the program if it exists already");
  command.footer(std::string(kPackageMeaning) + "\n\n" + kExitStatuses);
  return [options](Context& context) { return RunPackage(*options, context); };
}

}  // namespace

const Command kPackageCommand = {
    "package", "Make a self-installing program of the scenario in DIR, as Tarvosa_Corvale is.",
    Declare};

}  // namespace tarvosa::tool
