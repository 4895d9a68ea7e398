#include "large_scenario.h"

#include <gtest/gtest.h>

#include "compiler/memorizza_percorso.h"
#include "test_support.h"

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

  testing::ScratchDirectory dir;
  CompilerState state;
  state.line_file = (dir.path() / "linea.txt").string();
  state.train_file = (dir.path() / "treno.txt").string();
  state.plan_file = (dir.path() / "linea.dat").string();
  state.table_file = (dir.path() / "treno.sim").string();
  state.track_file = (dir.path() / "treno.dat").string();
  testing::WriteFile(state.line_file, scenario.line);
  testing::WriteFile(state.train_file, scenario.train);
  ASSERT_TRUE(memorizza_percorso(state, 1).ok());
  EXPECT_EQ(state.error_code, 0) << state.error_position;
  EXPECT_EQ(state.last_cell(), 20140);
  EXPECT_EQ(state.line_data->next_row(), 1007000 - 1);
  std::size_t points = 0;
  for (const TrackCell& cell : *state.cells) points += cell.kind == kBrakingPoint;
  EXPECT_GT(points, 9u * 4u);  // the slow-downs got theirs
}

}  // namespace
}  // namespace tarvosa
