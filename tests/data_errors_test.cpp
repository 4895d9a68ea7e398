#include "compiler/data_errors.h"

#include <gtest/gtest.h>

namespace tarvosa {
namespace {

std::string Describe(std::int32_t code, std::int32_t position = 0) {
  CompilerState state;
  state.line_file = "/d/Tarvosa_linea.txt";
  state.train_file = "/d/Tarvosa_Corvale-.txt";
  state.error_code = code;
  state.error_position = position;
  return DescribeDataError(state);
}

TEST(DataErrors, EachNumberIsToldWithItsFileAndPositionWhereItHasThem) {
  EXPECT_EQ(Describe(16, 6200),
            "/d/Tarvosa_Corvale-.txt: error 16 at 6200 m: a signal's cell already holds another "
            "feature");
  EXPECT_EQ(Describe(6, 500),
            "/d/Tarvosa_linea.txt: error 6 at 500 m: a text board's cell already holds another "
            "feature");
  EXPECT_EQ(Describe(10, 99),
            "/d/Tarvosa_Corvale-.txt: error 10: too many stations: they reach "
            "the entries of the text boards");
  EXPECT_EQ(Describe(12, 1150),
            "error 12 at 1150 m: no room for a braking point before a "
            "slow-down");
  EXPECT_EQ(Describe(15, 16950),
            "error 15 at 16950 m: a feature lies too close to the end of the track or beyond it");
  EXPECT_EQ(Describe(99), "error 99");
}

}  // namespace
}  // namespace tarvosa
