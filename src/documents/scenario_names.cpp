#include "documents/scenario_names.h"

#include <iterator>
#include <tuple>
#include <utility>

#include "util/files.h"
#include "util/portable_names.h"
#include "util/windows1252.h"

namespace tarvosa {
namespace {

Status Problem(std::string reason) {
  return Status::DataError(std::move(reason));
}

std::string Quoted(std::string_view text) {
  std::string quoted(1, '\'');
  quoted += text;
  quoted += '\'';
  return quoted;
}

// The name without the directory and separator FileName puts before it.
std::string BareName(const ScenarioPlace& place, const std::string& path) {
  return path.substr(place.app_path.size() + 1);
}

Status TitlesProblem(const ScenarioPlace& place) {
  for (const auto& [title, what] :
       {std::pair{&place.route_title, "route"}, {&place.train_title, "train"}}) {
    if (Status wrong = TitleProblem(*title); !wrong.ok()) {
      return Problem(std::string("the ") + what + " title " + Quoted(*title) + ": " +
                     wrong.message());
    }
  }
  return Status();
}

// "the program 'X'".
std::string Named(const ScenarioName& file) {
  return "the " + std::string(file.what) + " " + Quoted(file.name);
}

Status NotPortable(const ScenarioName& file) {
  if (Status wrong = PortableNameProblem(file.name); !wrong.ok()) {
    return Problem(Named(file) + ": " + wrong.message());
  }
  if (!file.written) return Status();
  const std::string temporary = SampleTemporaryName(file.name);
  if (Status wrong = PortableNameProblem(temporary); !wrong.ok()) {
    return Problem("the temporary file " + Quoted(temporary) + " of " + Named(file) + ": " +
                   wrong.message());
  }
  return Status();
}

// Whether `a` and `b` clash: one file, or `a` taken for a temporary file of
// `b`, which the run removes as left by a killed run.
Status Clash(const ScenarioName& a, const ScenarioName& b) {
  const std::string folded_a = FoldedName(a.name), folded_b = FoldedName(b.name);
  if (folded_a == folded_b) {
    const std::string why =
        a.name == b.name ? "" : " (Windows does not tell capitals from small letters)";
    return Problem(Named(a) + " and " + Named(b) + " would be one file" + why);
  }
  for (const auto& [one, other, folded_one, folded_other] :
       {std::tuple{&a, &b, &folded_a, &folded_b}, {&b, &a, &folded_b, &folded_a}}) {
    if (other->written && IsTemporaryNameOf(*folded_one, *folded_other)) {
      return Problem(Named(*one) + " would be taken for a temporary file of " + Named(*other) +
                     " and removed");
    }
  }
  return Status();
}

}  // namespace

Status TitleProblem(std::string_view title) {
  if (title.empty()) return Problem("the title is empty");
  if (title.size() > kLongestTitle) {
    return Problem("the title is longer than " + std::to_string(kLongestTitle) + " bytes");
  }
  for (const char c : title) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return Problem("the title holds a control character");
    if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) {
      return Problem(std::string("the title holds '") + c + "', which a file name cannot hold");
    }
  }
  if (IsDeviceName(StemOf(title))) {
    return Problem("the title is '" + std::string(StemOf(title)) +
                   "', which Windows keeps for a device");
  }
  std::string bytes;
  if (Status encoded = EncodeWindows1252(title, bytes); !encoded.ok()) {
    return Problem("the title's character " + encoded.message());
  }
  return Status();
}

std::vector<ScenarioName> ScenarioNames(const ScenarioPlace& place) {
  // What each of WrittenFileNames is, in its order.
  static constexpr std::string_view kWritten[] = {
      "line definition file", "train data file", "notes",          "slow-down order",
      "timetable sheet",      "line plan",       "scenario table", "track cells"};
  const std::vector<std::string> paths = WrittenFileNames(place);
  std::vector<ScenarioName> names;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const std::string_view what = i < std::size(kWritten) ? kWritten[i] : "file";
    names.push_back({BareName(place, paths[i]), what, true});
  }
  names.push_back({BareName(place, LockName(place)), "lock", false});
  if (!place.program_name.empty()) names.push_back({place.program_name, "program", false});
  return names;
}

Status ScenarioNamesProblem(const ScenarioPlace& place) {
  if (Status titles = TitlesProblem(place); !titles.ok()) return titles;
  const std::vector<ScenarioName> names = ScenarioNames(place);
  for (const ScenarioName& file : names) {
    if (Status wrong = NotPortable(file); !wrong.ok()) return wrong;
  }
  for (std::size_t i = 0; i < names.size(); ++i) {
    for (std::size_t j = i + 1; j < names.size(); ++j) {
      if (Status clash = Clash(names[i], names[j]); !clash.ok()) return clash;
    }
  }
  return Status();
}

}  // namespace tarvosa
