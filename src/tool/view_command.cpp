#include "tool/view_command.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <thread>

#include "tool/inputs/compiled_directory.h"
#include "tool/presenters/view_assets.h"
#include "tool/presenters/view_data.h"
#include "util/files.h"

namespace tarvosa::tool {
namespace {

namespace fs = std::filesystem;

// The page's data, or the status the command ends with and why.
struct Built {
  Json data;
  int status = kClean;
  std::string problem;
};

Built FromSources(const ViewOptions& options) {
  CompileOptions compile;
  compile.line = options.inputs[0];
  compile.train = options.inputs[1];
  compile.route_title = options.route_title;
  compile.train_title = options.train_title;
  TitlesFromNames(compile);
  const auto done = CompileAndWarn(compile);
  if (!done) return {Json(), kFileSystem, ""};
  const Sources& sources = done->sources;
  const Compilation& compiled = done->compilation;
  const std::string verdict = Verdict(compile, sources, compiled);
  if (!verdict.empty()) std::fprintf(stderr, "%s\n", verdict.c_str());
  if (!compiled.HasTrack())
    return {Json(), kDataError, "nothing to show: the line leaves no track"};
  const ViewSources texts{{compile.line, sources.line}, {compile.train, sources.train}};
  return {ViewData(compiled.scenario, &compiled.diagnostics, &texts), ExitCode(compiled), ""};
}

Built FromDirectory(const std::string& directory) {
  InputProblem problem;
  const auto scenario = LoadCompiledScenario(directory, problem);
  if (!scenario) return {Json(), problem.status, problem.message};
  if (scenario->cells.size() < 2) return {Json(), kDataError, directory + ": no track to show"};
  return {ViewData(*scenario, nullptr, nullptr), kClean, ""};
}

// The chart library without its banner comment, which names where it came
// from: the page refers to nothing outside itself.
std::string_view ChartScript() {
  std::string_view script = kChartScript;
  if (script.starts_with("/*!")) script.remove_prefix(script.find('\n') + 1);
  return script;
}

void Replace(std::string& page, std::string_view mark, std::string_view with) {
  const std::size_t at = page.find(mark);
  if (at != std::string::npos) page.replace(at, mark.size(), with);
}

// `text` with `between` put between every `first` and the `second` that
// follows it.
std::string Separated(std::string_view text, char first, char second, char between) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    out += text[i];
    if (text[i] == first && i + 1 < text.size() && text[i + 1] == second) out += between;
  }
  return out;
}

std::string Page(const Json& data) {
  // Inside a script element no "</" may stand, inside a comment no "--".
  const std::string json = Separated(data.dump(), '<', '/', '\\');
  const std::string licence = Separated(kChartLicence, '-', '-', ' ');
  std::string page(kViewPage);
  Replace(page, "/*TITLE*/", data.value("title", std::string("scenario")));
  Replace(page, "/*UPLOT_LICENSE*/", licence);
  Replace(page, "/*UPLOT_CSS*/", kChartStyle);
  Replace(page, "/*VIEW_CSS*/", kViewStyle);
  Replace(page, "/*SCENARIO_DATA*/", json);
  Replace(page, "/*UPLOT_JS*/", ChartScript());
  Replace(page, "/*VIEW_JS*/", kViewScript);
  return page;
}

Built Build(const ViewOptions& options) {
  return options.inputs.size() == 2 ? FromSources(options) : FromDirectory(options.inputs[0]);
}

// Writes the page; with --watch, also the stamp the page polls for.
int Write(const ViewOptions& options, Built built, int version) {
  if (!built.problem.empty()) std::fprintf(stderr, "%s\n", built.problem.c_str());
  if (built.data.is_null()) return built.status;
  const std::string stamp = options.output + ".stamp.js";
  if (options.watch) {
    built.data["watch"] = {{"stamp", fs::path(stamp).filename().string()},
                           {"version", std::to_string(version)}};
  }
  if (const Status s = ReplaceFileContent(options.output, Page(built.data)); !s.ok()) {
    std::fprintf(stderr, "%s\n", s.message().c_str());
    return kFileSystem;
  }
  if (options.watch) {
    const std::string script = "window.scenarioStamp = \"" + std::to_string(version) + "\";\n";
    if (const Status s = ReplaceFileContent(stamp, script); !s.ok()) {
      std::fprintf(stderr, "%s\n", s.message().c_str());
      return kFileSystem;
    }
  }
  return built.status;
}

// When each input was last written; a directory counts with its files.
std::vector<fs::file_time_type> Stamps(const std::vector<std::string>& inputs) {
  std::vector<fs::file_time_type> stamps;
  for (const std::string& input : inputs) {
    std::error_code error;
    const fs::path path = PathFromUtf8(input);
    stamps.push_back(fs::last_write_time(path, error));
    if (!fs::is_directory(path, error)) continue;
    for (const auto& entry : fs::directory_iterator(path, error)) {
      stamps.push_back(fs::last_write_time(entry.path(), error));
    }
  }
  return stamps;
}

}  // namespace

int RunView(const ViewOptions& options) {
  int version = 1;
  int status = Write(options, Build(options), version);
  if (!options.watch) return status;
  std::fprintf(stderr, "watching; the page reloads itself when an input changes (Ctrl-C ends)\n");
  auto stamps = Stamps(options.inputs);
  for (;;) {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    auto now = Stamps(options.inputs);
    if (now == stamps) continue;
    stamps = std::move(now);
    status = Write(options, Build(options), ++version);
    std::fprintf(stderr, "rewrote %s\n", options.output.c_str());
  }
}

}  // namespace tarvosa::tool
