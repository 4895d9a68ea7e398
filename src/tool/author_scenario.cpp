#include "tool/author_scenario.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "documents/author_lines.h"
#include "tool/compile_command.h"
#include "util/files.h"

namespace tarvosa::tool {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kLineEnding = "_linea.txt";
constexpr std::string_view kTrainEnding = "-.txt";

// The names of the regular files in `directory`, sorted.
std::optional<std::vector<std::string>> FileNames(const std::string& directory,
                                                  InputProblem& problem) {
  std::vector<std::string> names;
  std::error_code error;
  fs::directory_iterator it(PathFromUtf8(directory), error), end;
  for (; !error && it != end; it.increment(error)) {
    if (IsRegularFile(it->path().string())) names.push_back(it->path().filename().string());
  }
  if (error) {
    problem = {kFileSystem, directory + ": cannot be read: " + error.message()};
    return std::nullopt;
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

}  // namespace

std::optional<AuthorFiles> FindAuthorScenario(const std::string& directory, InputProblem& problem) {
  const auto names = FileNames(directory, problem);
  if (!names) return std::nullopt;
  std::vector<AuthorFiles> pairs = Pairs(*names);
  if (pairs.empty()) {
    problem = {kFileSystem, directory +
                                ": no scenario: a line definition file R_linea.txt and a train "
                                "data file R_T-.txt are needed"};
    return std::nullopt;
  }
  if (pairs.size() > 1) {
    problem = {kUsage, directory + ": more than one scenario: " + pairs[0].route_title + "_" +
                           pairs[0].train_title + " and " + pairs[1].route_title + "_" +
                           pairs[1].train_title + "; keep one in the directory"};
    return std::nullopt;
  }
  AuthorFiles& found = pairs.front();
  found.place = {
      .route_title = found.route_title, .train_title = found.train_title, .app_path = directory};
  return found;
}

std::optional<DocumentLines> ReadAuthorDocument(const AuthorFiles& files, DocumentKind kind,
                                                InputProblem& problem) {
  const std::string name = DocumentName(kind, files.place);
  std::error_code error;
  if (!fs::exists(PathFromUtf8(name), error)) return std::nullopt;
  const auto bytes = ReadWholeFile(name);
  if (!bytes) {
    problem = {kFileSystem, name + ": cannot read the file"};
    return std::nullopt;
  }
  return AuthorLines(name, *bytes, problem);
}

std::optional<DocumentLines> AuthorLines(const std::string& name, std::string_view bytes,
                                         InputProblem& problem) {
  DocumentLines lines;
  if (const Status read = ReadAuthorLines(name, bytes, lines); !read.ok()) {
    problem = {kDataError, read.message()};
    return std::nullopt;
  }
  if (const std::string wrong = DocumentProblem(lines); !wrong.empty()) {
    problem = {kDataError, name + ": " + wrong};
    return std::nullopt;
  }
  return lines;
}

}  // namespace tarvosa::tool
