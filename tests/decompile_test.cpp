// The decompiler: texts that compile to the same bytes as the files they
// come from, and warnings wherever they cannot.
#include <iostream>

#include <gtest/gtest.h>

#include "compile_support.h"
#include "round_trip.h"
#include "scenario/line_table.h"
#include "scenario/train_table.h"
#include "scenario_generator.h"

namespace tarvosa {
namespace {

using testing::CrLf;

testing::EncodedFiles Compiled(const std::string& line, const std::string& train,
                               bool plan = true) {
  const Compilation c = testing::CompileWithTitles(line, train, "Tarvosa", "Corvale", plan);
  EXPECT_TRUE(c.Writable());
  return testing::Encode(c);
}

TEST(Decompile, TheExampleComesBackToTheSameBytes) {
  const auto files = Compiled(CrLf(scenario::kLineDefinition), CrLf(scenario::kTrainData));
  const auto trip = testing::DecompileAndCompile(files);
  ASSERT_FALSE(trip.decompiled.refusal) << trip.decompiled.refusal->text;
  EXPECT_EQ(testing::WarningsText(trip.decompiled), "");
  EXPECT_TRUE(trip.second.track == files.track);
  EXPECT_TRUE(trip.second.table == files.table);
  EXPECT_TRUE(trip.second.plan == files.plan);
}

}  // namespace
}  // namespace tarvosa

namespace tarvosa {
namespace {

TEST(Decompile, GeneratedScenariosComeBackToTheSameBytesOrSayWhere) {
  constexpr int kCases = 400;
  int cases = 0, warned = 0, same = 0;
  for (std::uint64_t seed = 1; cases < kCases && seed < 4 * kCases; ++seed) {
    const testing::GeneratedScenario s = testing::GenerateScenario(seed);
    const Compilation c = testing::CompileWithTitles(s.line, s.train, "Lago", "Espresso");
    if (!c.Writable() || c.diagnostics.HasError()) continue;  // not a scenario to install
    ++cases;
    const auto trip = testing::DecompileAndCompile(testing::Encode(c));
    ASSERT_FALSE(trip.decompiled.refusal) << seed << ": " << trip.decompiled.refusal->text;
    const bool identical = trip.second == trip.first;
    same += identical;
    warned += !trip.decompiled.warnings.empty();
    EXPECT_TRUE(identical || !trip.decompiled.warnings.empty())
        << "seed " << seed << " differs silently\n"
        << s.line << s.train << trip.decompiled.line_text << trip.decompiled.train_text;
    if (!trip.decompiled.warnings.empty()) {
      std::cout << "seed " << seed << (identical ? " same" : " DIFFERENT") << "\n"
                << testing::WarningsText(trip.decompiled);
    }
  }
  std::cout << cases << " generated scenarios, " << warned << " with a warning, " << same
            << " the same bytes\n";
  EXPECT_EQ(cases, kCases);
}

}  // namespace
}  // namespace tarvosa
