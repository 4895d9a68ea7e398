#include "large_scenario.h"

#include <gtest/gtest.h>

#include "compile_support.h"

namespace tarvosa {
namespace {

std::size_t Count(const std::string& text, const std::string& keyword) {
  std::size_t count = 0;
  for (std::size_t at = text.find(keyword); at != std::string::npos;
       at = text.find(keyword, at + 1)) {
    ++count;
  }
  return count;
}

TEST(LargeScenario, AThousandKilometresCompileWithoutADataError) {
  const LargeScenario scenario = MakeLargeScenario(1000000);
  EXPECT_EQ(Count(scenario.line, "\r\ncurva"), 499u);
  EXPECT_EQ(Count(scenario.line, "\r\nmontagna"), 62u);
  EXPECT_EQ(Count(scenario.line, "\r\ncartello_indicatore"), 40u);
  EXPECT_EQ(Count(scenario.train, "\r\nstazione"), 36u);
  EXPECT_GT(Count(scenario.train, "\r\nsegnale"), 450u);

  const Compilation compiled = testing::CompileTexts(scenario.line, scenario.train);
  ASSERT_TRUE(compiled.Writable());
  EXPECT_EQ(compiled.diagnostics.error_code(), 0) << compiled.diagnostics.error_position();
  const CompiledScenario& state = compiled.scenario;
  EXPECT_EQ(LastCell(state.cells), 20140);
  EXPECT_EQ(state.plan->next_row(), 1007000 - 1);
  std::size_t points = 0;
  for (const TrackCell& cell : state.cells) points += cell.kind == kBrakingPoint;
  EXPECT_GT(points, 9u * 4u);  // the slow-downs got theirs
}

}  // namespace
}  // namespace tarvosa
