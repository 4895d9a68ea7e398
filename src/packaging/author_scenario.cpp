#include "packaging/author_scenario.h"

#include <algorithm>
#include <vector>

#include "documents/author_lines.h"
#include "util/files.h"

namespace tarvosa::packaging {
namespace {

constexpr std::string_view kLineEnding = "_linea.txt";
constexpr std::string_view kTrainEnding = "-.txt";

// The names of the regular files in `directory`, or links to them, sorted.
Result<std::vector<std::string>> FileNames(Os& os, const std::string& directory) {
  const Result<std::vector<std::string>> entries = os.ListDirectory(directory);
  if (!entries.ok()) {
    return Status::FileSystemError(directory + ": cannot be read: " + entries.status().message());
  }
  std::vector<std::string> names;
  for (const std::string& entry : *entries) {
    const Result<FileInfo> info = os.Stat(PathIn(directory, entry));
    if (info.ok() && info->type == FileType::kRegular) names.push_back(entry);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Every pair R_linea.txt and R_T-.txt among `names`.
std::vector<AuthorFiles> Pairs(const std::vector<std::string>& names) {
  std::vector<AuthorFiles> pairs;
  for (const std::string& line : names) {
    if (line.size() <= kLineEnding.size() || !line.ends_with(kLineEnding)) continue;
    const std::string route = line.substr(0, line.size() - kLineEnding.size());
    const std::string prefix = route + "_";
    for (const std::string& train : names) {
      if (train.size() > prefix.size() + kTrainEnding.size() && train.starts_with(prefix) &&
          train.ends_with(kTrainEnding)) {
        pairs.push_back({route, train.substr(prefix.size(),
                                             train.size() - prefix.size() - kTrainEnding.size())});
      }
    }
  }
  return pairs;
}

// The lines of the document `name` whose bytes are `bytes`.
Result<DocumentLines> AuthorLines(const std::string& name, std::string_view bytes) {
  DocumentLines lines;
  if (Status read = ReadAuthorLines(name, bytes, lines); !read.ok()) {
    return Status::DataError(read.message());
  }
  if (Status wrong = DocumentProblem(lines); !wrong.ok()) {
    return Status::DataError(name + ": " + wrong.message());
  }
  return lines;
}

}  // namespace

Result<AuthorFiles> FindAuthorScenario(Os& os, const std::string& directory) {
  const auto names = FileNames(os, directory);
  if (!names.ok()) return names.status();
  std::vector<AuthorFiles> pairs = Pairs(*names);
  if (pairs.empty()) {
    return Status::FileSystemError(directory +
                                   ": no scenario: a line definition file R_linea.txt and a "
                                   "train data file R_T-.txt are needed");
  }
  if (pairs.size() > 1) {
    return Status::UsageError(directory + ": more than one scenario: " + pairs[0].route_title +
                              "_" + pairs[0].train_title + " and " + pairs[1].route_title + "_" +
                              pairs[1].train_title + "; keep one in the directory");
  }
  AuthorFiles& found = pairs.front();
  found.place = {
      .route_title = found.route_title, .train_title = found.train_title, .app_path = directory};
  return found;
}

Status CheckTitles(const AuthorFiles& files) {
  const std::string line = DocumentName(DocumentKind::kLineDefinition, files.place);
  for (const auto& [title, what] :
       {std::pair{&files.route_title, "route"}, {&files.train_title, "train"}}) {
    if (Status wrong = TitleProblem(*title); !wrong.ok()) {
      return Status::DataError(line + ": the " + what + " title '" + *title +
                               "': " + wrong.message());
    }
  }
  return Status();
}

Result<std::optional<DocumentLines>> ReadAuthorDocument(Os& os, const AuthorFiles& files,
                                                        DocumentKind kind) {
  const std::string name = DocumentName(kind, files.place);
  // What cannot be looked at is not there, as a file an author never wrote.
  const Result<FileInfo> info = os.Stat(name);
  if (!info.ok() || info->type == FileType::kMissing) return std::optional<DocumentLines>();
  const Result<std::string> bytes = ReadWholeFile(os, name, Links::kFollow);
  if (!bytes.ok()) return Status::FileSystemError(name + ": cannot read the file");
  Result<DocumentLines> lines = AuthorLines(name, *bytes);
  if (!lines.ok()) return lines.status();
  return std::optional<DocumentLines>(std::move(lines).value());
}

Result<ScenarioDocuments> ReadAuthorDocuments(Os& os, const AuthorFiles& files) {
  ScenarioDocuments scenario{.route_title = files.route_title, .train_title = files.train_title};
  for (const DocumentKind kind : kWritingOrder) {
    auto document = ReadAuthorDocument(os, files, kind);
    if (!document.ok()) return document.status();
    scenario[kind] = std::move(document).value();
  }
  return scenario;
}

}  // namespace tarvosa::packaging
