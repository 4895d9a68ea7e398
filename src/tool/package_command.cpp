#include "tool/package_command.h"

#include <cstdio>
#include <filesystem>

#include "documents/author_lines.h"
#include "documents/payload.h"
#include "tool/author_scenario.h"
#include "tool/clean_compile.h"
#include "tool/documents_command.h"
#include "tool/installer_program.h"
#include "util/files.h"

namespace tarvosa::tool {
namespace fs = std::filesystem;
namespace {

constexpr const char* kRefused = "nothing packaged";

int Report(const InputProblem& problem) {
  std::fprintf(stderr, "%s\n", problem.message.c_str());
  return problem.status;
}

// The titles must name files on every system and be written in Windows-1252.
InputProblem TitlesProblem(const AuthorFiles& files) {
  const std::string line = DocumentName(DocumentKind::kLineDefinition, files.place);
  for (const auto& [title, what] :
       {std::pair{&files.route_title, "route"}, {&files.train_title, "train"}}) {
    if (const std::string wrong = TitleProblem(*title); !wrong.empty()) {
      return {kDataError, line + ": the " + what + " title '" + *title + "': " + wrong};
    }
  }
  return {};
}

// The scenario's documents as the author wrote them.
std::optional<ScenarioDocuments> AuthorDocuments(const AuthorFiles& files, InputProblem& problem) {
  ScenarioDocuments scenario{.route_title = files.route_title, .train_title = files.train_title};
  for (const DocumentKind kind : kWritingOrder) {
    scenario[kind] = ReadAuthorDocument(files, kind, problem);
    if (problem.status != kClean) return std::nullopt;
  }
  return scenario;
}

// Adds the slow-down order and timetable sheet the scenario lacks, made
// from its compiled data; returns which were made ("" for none).
std::string AddMadeDocuments(const Compilation& compiled, ScenarioDocuments& scenario) {
  const auto [order, timetable] = GeneratedDocuments(compiled, scenario.train_title);
  std::string made;
  for (const auto& [kind, lines] :
       {std::pair{DocumentKind::kSlowDownOrder, &order}, {DocumentKind::kTimetable, &timetable}}) {
    if (scenario[kind]) continue;
    scenario[kind] = *lines;
    made += (made.empty() ? "" : " and ") + std::string(DocumentTitle(kind));
  }
  return made;
}

Status WriteProgram(const PackageOptions& options, const std::string& bytes) {
  std::error_code error;
  const fs::path output = PathFromUtf8(options.output);
  if (!options.force && fs::exists(output, error)) {
    return Status::FileSystemError(options.output + ": exists already; --force replaces it");
  }
  if (output.has_parent_path()) fs::create_directories(output.parent_path(), error);
  if (Status written = ReplaceFileContent(options.output, bytes); !written.ok()) return written;
  fs::permissions(output, fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                  fs::perm_options::add, error);
  if (error) {
    return Status::FileSystemError(options.output +
                                   ": cannot make it a program: " + error.message());
  }
  return Status();
}

}  // namespace

int RunPackage(const PackageOptions& options) {
  InputProblem problem;
  const auto files = FindAuthorScenario(options.directory, problem);
  if (!files) return Report(problem);
  if (problem = TitlesProblem(*files); problem.status != kClean) return Report(problem);
  const auto installer = FindInstaller(options.installer, options.windows, problem);
  if (!installer) return Report(problem);
  auto scenario = AuthorDocuments(*files, problem);
  if (!scenario) return Report(problem);

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
  const std::string made = AddMadeDocuments(compiled, *scenario);

  const auto program =
      PackagedProgram(*installer, options.windows, EncodePayload(*scenario), problem);
  if (!program) return Report(problem);
  if (const Status written = WriteProgram(options, *program); !written.ok()) {
    std::fprintf(stderr, "%s\n", written.message().c_str());
    return kFileSystem;
  }
  std::string summary = "wrote " + options.output + ": " + files->route_title + "_" +
                        files->train_title + " for " + (options.windows ? "Windows" : "Linux") +
                        ", " + std::to_string(program->size()) + " bytes";
  if (!made.empty()) summary += "; the " + made + " made from its data";
  std::printf("%s\n", summary.c_str());
  return kClean;
}

}  // namespace tarvosa::tool
