#include "tool/package_command.h"

#include <cstdio>

#include "documents/author_lines.h"
#include "documents/payload.h"
#include "packaging/author_scenario.h"
#include "packaging/installer_program.h"
#include "packaging/made_documents.h"
#include "tool/clean_compile.h"

namespace tarvosa::tool {
namespace {

constexpr const char* kRefused = "nothing packaged";

int Report(const Status& status) {
  std::fprintf(stderr, "%s\n", status.message().c_str());
  return status.exit_status();
}

// "; the slow-down order and timetable sheet made from its data", or "".
std::string MadeText(const std::vector<DocumentKind>& made) {
  std::string text;
  for (std::size_t i = 0; i < made.size(); ++i) {
    text += (i == 0 ? "; the " : " and ") + std::string(DocumentTitle(made[i]));
  }
  return made.empty() ? text : text + " made from its data";
}

}  // namespace

int RunPackage(const PackageOptions& options) {
  const auto files = packaging::FindAuthorScenario(options.directory);
  if (!files.ok()) return Report(files.status());
  if (const Status titles = packaging::CheckTitles(*files); !titles.ok()) return Report(titles);
  const auto installer = packaging::FindInstaller(options.installer, options.windows);
  if (!installer.ok()) return Report(installer.status());
  auto scenario = packaging::ReadAuthorDocuments(*files);
  if (!scenario.ok()) return Report(scenario.status());

  // What the packaged program will write and read back, compiled now.
  const CompileOptions compile{.line = DocumentName(DocumentKind::kLineDefinition, files->place),
                               .train = DocumentName(DocumentKind::kTrainData, files->place),
                               .route_title = files->route_title,
                               .train_title = files->train_title,
                               .strict = options.strict};
  const Sources sources{InstalledBytes(*(*scenario)[DocumentKind::kLineDefinition]),
                        InstalledBytes(*(*scenario)[DocumentKind::kTrainData])};
  Compilation compiled;
  if (const int status = CompileCleanly(compile, sources, kRefused, compiled)) return status;
  const auto made = packaging::AddMadeDocuments(compiled.scenario, *scenario);

  const auto program =
      packaging::PackagedProgram(*installer, options.windows, EncodePayload(*scenario));
  if (!program.ok()) return Report(program.status());
  if (const Status written = packaging::WriteProgram(options.output, *program, options.force);
      !written.ok()) {
    return Report(written);
  }
  std::printf("wrote %s: %s_%s for %s, %zu bytes%s\n", options.output.c_str(),
              files->route_title.c_str(), files->train_title.c_str(),
              options.windows ? "Windows" : "Linux", program->size(), MadeText(made).c_str());
  return kClean;
}

}  // namespace tarvosa::tool
