// The format reference for scenario authors, docs/format.md, held to the
// compiler: every example in a `linea` or `treno` block compiles without a
// data error and changes what is compiled, every record keyword of both
// files has an example, and the error table names exactly the numbers the
// compiler records, with their meanings.
#include <algorithm>
#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "compile_support.h"
#include "compiler/compile.h"
#include "compiler/data_errors.h"
#include "compiler/diagnostics.h"
#include "test_support.h"
#include "util/windows1252.h"

namespace tarvosa {
namespace {

// A fenced block of the reference whose info string is "linea" or "treno".
struct Example {
  std::string kind;
  std::string text;  // UTF-8, lines ended by LF
  int line = 0;      // the line of format.md where its fence opens
};

std::string Reference() {
  std::string text = testing::ReadFile(TARVOSA_FORMAT_REFERENCE);
  EXPECT_FALSE(text.empty()) << "cannot read " << TARVOSA_FORMAT_REFERENCE;
  return text;
}

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(start, end - start));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

std::string Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return "";
  const std::size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last + 1 - first));
}

std::vector<Example> Examples(const std::string& reference) {
  std::vector<Example> examples;
  const std::vector<std::string> lines = Lines(reference);
  bool in_block = false;
  bool kept = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.rfind("```", 0) != 0) {
      if (in_block && kept) examples.back().text += line + "\n";
      continue;
    }
    if (in_block) {
      in_block = false;
      continue;
    }
    in_block = true;
    const std::string info = Trimmed(std::string_view(line).substr(3));
    kept = info == "linea" || info == "treno";
    if (kept) examples.push_back({info, "", static_cast<int>(i + 1)});
  }
  return examples;
}

// `utf8` in Windows-1252, as the files are on disk.
std::string OnDisk(const std::string& utf8) {
  std::string bytes;
  const Status encoded = EncodeWindows1252(utf8, bytes);
  EXPECT_TRUE(encoded.ok()) << "not Windows-1252 at column " << encoded.message() << "\n" << utf8;
  return bytes;
}

// A record of the line file's general part, by its keyword field.
bool IsGeneralSetting(std::string_view line) {
  const std::string_view keyword = line.substr(0, line.find(','));
  for (const std::string_view word : {"lunghezza", "progressiva", "sfondo", "ripetizione"}) {
    if (keyword.find(word) != std::string_view::npos) return true;
  }
  return false;
}

// The two files an example is compiled in: a line of 20 km (cells 0 to 540)
// with the example's general settings and features, or with no feature and
// the example as the whole train file.
struct Files {
  std::string line;
  std::string train;
};

Files Wrap(const Example& example) {
  std::string general;
  std::string records;
  for (const std::string& line : Lines(example.text)) {
    const std::string bytes = OnDisk(line) + "\r\n";
    if (example.kind == "linea" && IsGeneralSetting(line)) {
      general += bytes;
    } else {
      records += bytes;
    }
  }
  const std::string line_start = "[generale]\r\nlunghezza percorso, 20000\r\n" + general;
  // The header closes the general part; after it the features are read.
  // A train file that says its coaches and clock, lest their absence warn.
  const std::string train_start = "[generale]\r\nnumero vetture, 6\r\norologio, 8 0 0\r\n";
  if (example.kind == "linea") {
    return {line_start + "[tracciato]\r\n" + records + "[fine]\r\n", train_start + "[fine]\r\n"};
  }
  return {line_start + "[tracciato]\r\n[fine]\r\n", train_start + records + "[fine]\r\n"};
}

struct Outcome {
  Compilation compiled;
  std::string message;                // the data error, as a message, or ""
  std::vector<std::string> warnings;  // each as "FILE:LINE:COLUMN: words"
};

Outcome CompileFiles(const Files& files) {
  Outcome outcome{Compile(testing::Input(files.line, files.train, true)), "", {}};
  const SourceText line{"linea", files.line}, train{"treno", files.train};
  outcome.message = DescribeError(outcome.compiled.diagnostics.error(), line, train);
  for (const Warning& w : outcome.compiled.diagnostics.warnings()) {
    outcome.warnings.push_back(Where(w.at, line, train) + ": " + w.text);
  }
  return outcome;
}

// Whether two compiles made the same track cells, scenario table and plan.
bool SameScenario(const CompiledScenario& a, const CompiledScenario& b) {
  if (a.cells != b.cells || a.header != b.header) return false;
  if (a.plan.has_value() != b.plan.has_value()) return false;
  return !a.plan || (a.plan->x == b.plan->x && a.plan->y == b.plan->y);
}

std::string Shown(const Example& example) {
  return "the `" + example.kind + "` example at format.md:" + std::to_string(example.line) + ":\n" +
         example.text;
}

TEST(FormatReferenceTest, HasManyExamplesOfBothFiles) {
  const std::vector<Example> examples = Examples(Reference());
  const auto count = [&](std::string_view kind) {
    return std::count_if(examples.begin(), examples.end(),
                         [&](const Example& e) { return e.kind == kind; });
  };
  EXPECT_GE(count("linea"), 10);
  EXPECT_GE(count("treno"), 10);
  for (const Example& example : examples) {
    EXPECT_FALSE(Trimmed(example.text).empty()) << Shown(example);
    EXPECT_EQ(example.text.find("[generale]"), std::string::npos) << Shown(example);
  }
}

TEST(FormatReferenceTest, EveryRecordKeywordHasAnExampleInItsFile) {
  const std::vector<Example> examples = Examples(Reference());
  const std::map<std::string, std::vector<std::string_view>> keywords = {
      {"linea",
       {"lunghezza percorso", "progressiva chilometrica", "sfondo", "ripetizione segnali",
        "pendenza", "curva", "montagna", "indicatori_vmax", "cartello_indicatore"}},
      {"treno",
       {"massa frenata", "vetture", "velocita", "aderenza", "orologio", "sabbia", "segnale",
        "rallentamento", "abbattimento", "stazione"}}};
  for (const auto& [kind, words] : keywords) {
    for (const std::string_view word : words) {
      const bool shown = std::any_of(examples.begin(), examples.end(), [&](const Example& e) {
        return e.kind == kind && e.text.find(word) != std::string::npos;
      });
      EXPECT_TRUE(shown) << "no `" << kind << "` example holds '" << word << "'";
    }
  }
}

// The harness itself: a fault in a wrapped example is found, in either
// file and in the general part, so a clean compile below means something.
TEST(FormatReferenceTest, WrappedExamplesAreReadWhereTheyStand) {
  const auto error_of = [](std::string kind, std::string text) {
    return CompileFiles(Wrap({std::move(kind), std::move(text), 0}))
        .compiled.diagnostics.error_code();
  };
  EXPECT_EQ(error_of("linea", "pendenza, 26950, 3\n"), 15);  // the last cell is 540
  EXPECT_EQ(error_of("linea", "pendenza, 26900, 3\n"), 0);
  EXPECT_EQ(error_of("linea", "ripetizione segnali codici, 2100, 9000\n"), 5);
  EXPECT_EQ(error_of("treno", "segnale, 300, 2, 4, 0, 0, 0, 0, 0, 0, 0, 0\n"), 15);
  EXPECT_EQ(error_of("treno", "stazione, 4325, 2, 300, 0, 0, 0, 0,0,0, 2,1,1, 0, 0,0,0, X\n"), 8);
}

TEST(FormatReferenceTest, EveryExampleCompilesWithoutAWarningAndChangesTheScenario) {
  const std::vector<Example> examples = Examples(Reference());
  ASSERT_FALSE(examples.empty());
  for (const Example& example : examples) {
    SCOPED_TRACE(Shown(example));
    const Outcome bare = CompileFiles(Wrap({example.kind, "", example.line}));
    ASSERT_FALSE(bare.compiled.diagnostics.HasError()) << bare.message;
    const Outcome outcome = CompileFiles(Wrap(example));
    EXPECT_FALSE(outcome.compiled.diagnostics.HasError()) << outcome.message;
    EXPECT_EQ(outcome.compiled.fatal_conflict, 0);
    // An example shows a record as it should be written: not one warning.
    for (const std::string& warning : outcome.warnings) ADD_FAILURE() << warning;
    EXPECT_FALSE(SameScenario(outcome.compiled.scenario, bare.compiled.scenario))
        << "the example changes nothing in the compiled scenario";
  }
}

// The rows of the table under "### Error numbers": number and meaning.
std::map<std::int32_t, std::string> ErrorTable(const std::string& reference) {
  std::map<std::int32_t, std::string> rows;
  bool in_section = false;
  for (const std::string& line : Lines(reference)) {
    if (line.rfind("#", 0) == 0) {
      in_section = line == "### Error numbers";
      continue;
    }
    if (!in_section || line.rfind("| ", 0) != 0) continue;
    const std::size_t second = line.find(" | ", 2);
    if (second == std::string::npos) continue;
    const std::string number = line.substr(2, second - 2);
    if (number.empty() ||
        !std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      continue;
    }
    const std::size_t third = line.find(" | ", second + 3);
    rows[std::stoi(number)] = line.substr(second + 3, third - second - 3);
  }
  return rows;
}

TEST(FormatReferenceTest, ErrorTableNamesEveryNumberTheCompilerRecords) {
  const std::map<std::int32_t, std::string> table = ErrorTable(Reference());
  std::map<std::int32_t, std::string> compiler;
  for (const DataErrorInfo& info : AllDataErrors()) {
    compiler[NumberOf(info.error)] = std::string(info.meaning);
  }
  EXPECT_EQ(table, compiler);
}

}  // namespace
}  // namespace tarvosa
