#include "tool/check_command.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <tuple>
#include <vector>

#include "compiler/arithmetic.h"

namespace tarvosa::tool {
namespace {

// The parts of a message, one after the other.
template <typename... Parts>
std::string Join(const Parts&... parts) {
  std::string text;
  (text.append(std::string_view(parts)), ...);
  return text;
}

// What a text holds that Windows-1252 cannot show as meant, or "".
std::string TextProblem(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D) {
      return "has a byte that is no Windows-1252 character";
    }
    const bool utf8_pair = byte >= 0xC2 && byte <= 0xF4 && i + 1 < text.size() &&
                           (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80;
    if (utf8_pair) return "looks like UTF-8: the simulator reads Windows-1252 and shows it garbled";
    if (byte < 0x20) return "has a control character";
  }
  return "";
}

struct Warning {
  SourceLocation at;
  std::string text;
};

// Looks over the compiler's shoulder and keeps what deserves a warning.
class Linter final : public CompilerObserver {
 public:
  void UnknownField(const SourceLocation& at, std::string_view field) override {
    const bool header =
        field.find('[') != std::string_view::npos && field.find(']') != std::string_view::npos;
    if (!header) Warn(at, Join("\"", field, "\" matches no keyword and is passed over"));
  }

  void RecordRead(const SourceLocation& at, RecordKind kind, std::int64_t progressive,
                  std::int64_t length) override {
    records_.push_back({at, kind, progressive, length});
    switch (kind) {
      case RecordKind::kGradient:
        Ascending(at, "gradient", gradient_, progressive);
        break;
      case RecordKind::kSpeed:
        Ascending(at, "line speed", speed_, progressive);
        break;
      case RecordKind::kAdhesion:
        Ascending(at, "adhesion", adhesion_, progressive);
        break;
      case RecordKind::kCurve:
        Curve(at, progressive, length);
        break;
      default:
        break;
    }
  }

  void TextRead(const SourceLocation& at, std::string_view text) override {
    if (const std::string problem = TextProblem(text); !problem.empty()) {
      Warn(at, Join("the text \"", text, "\" ", problem));
    }
  }

  void CellReplaced(const SourceLocation& at, std::int64_t cell, std::uint8_t before,
                    std::uint8_t after) override {
    const std::string was(CellKindName(before));
    Warn(at, "the " + std::string(CellKindName(after)) + " takes cell " + std::to_string(cell) +
                 ", which held a " + was + ": the " + was + " is lost");
  }

  // Records beyond the line's length, once the length is known.
  void CheckLength(std::int64_t length) {
    for (const auto& r : records_) {
      const std::int64_t end =
          r.kind == RecordKind::kCurve ? r.progressive + r.length : r.progressive;
      if (end > length) {
        Warn(r.at, "lies beyond the end of the line at " + std::to_string(length) + " m");
      }
    }
  }

  std::vector<Warning> warnings;

 private:
  struct Record {
    SourceLocation at;
    RecordKind kind;
    std::int64_t progressive, length;
  };
  struct Previous {
    bool seen = false;
    std::int64_t progressive = 0;
  };

  void Warn(const SourceLocation& at, std::string text) {
    warnings.push_back({at, std::move(text)});
  }

  // Profile records take effect from their cell to the next record's.
  void Ascending(const SourceLocation& at, const std::string& what, Previous& previous,
                 std::int64_t progressive) {
    if (previous.seen && progressive < previous.progressive) {
      Warn(at, "the " + what + " at " + std::to_string(progressive) + " m comes after one at " +
                   std::to_string(previous.progressive) + " m: records must ascend");
    } else if (previous.seen &&
               RoundHalfEven(progressive, 50) == RoundHalfEven(previous.progressive, 50)) {
      Warn(at, "the " + what + " at " + std::to_string(progressive) +
                   " m falls in the same cell as the one at " +
                   std::to_string(previous.progressive) + " m");
    }
    previous = {true, progressive};
  }

  void Curve(const SourceLocation& at, std::int64_t start, std::int64_t length) {
    if (curve_.seen && start < curve_end_) {
      Warn(at, "the curve at " + std::to_string(start) +
                   " m overlaps the one before, which ends at " + std::to_string(curve_end_) +
                   " m");
    }
    curve_ = {true, start};
    curve_end_ = std::max(curve_end_, start + length);
  }

  std::vector<Record> records_;
  Previous gradient_, speed_, adhesion_, curve_;
  std::int64_t curve_end_ = 0;
};

std::tuple<int, std::int64_t> Order(const Warning& w) {
  return {static_cast<int>(w.at.file), w.at.offset};
}

}  // namespace

int RunCheck(const CompileOptions& options) {
  Sources sources;
  if (const Status read = ReadSources(options, sources); !read.ok()) {
    std::fprintf(stderr, "%s\n", read.message().c_str());
    return kFileSystem;
  }
  Linter linter;
  const Compilation compilation = CompileSources(options, sources, &linter);
  if (!compilation.scenario.cells.empty()) {
    linter.CheckLength(compilation.scenario.header[kNumbersEntry].end);
  }
  std::stable_sort(linter.warnings.begin(), linter.warnings.end(),
                   [](const Warning& a, const Warning& b) { return Order(a) < Order(b); });
  const SourceText line{options.line, sources.line};
  const SourceText train{options.train, sources.train};
  for (const Warning& w : linter.warnings) {
    std::fprintf(stderr, "%s: warning: %s\n", Where(w.at, line, train).c_str(), w.text.c_str());
  }
  const std::string verdict = Verdict(options, sources, compilation);
  std::fprintf(stderr, "%s\n", verdict.empty() ? "no error" : verdict.c_str());
  return ExitCode(compilation);
}

}  // namespace tarvosa::tool
