#include "compiler/internal/arithmetic.h"

#include <cmath>

#include <gtest/gtest.h>

namespace tarvosa {
namespace {

TEST(RoundHalfEven, ExactHalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(49, 2), 24);  // 24.5
  EXPECT_EQ(RoundHalfEven(51, 2), 26);  // 25.5
  EXPECT_EQ(RoundHalfEven(75, 50), 2);  // 1.5
  EXPECT_EQ(RoundHalfEven(-49, 2), -24);
  EXPECT_EQ(RoundHalfEven(-51, 2), -26);
  EXPECT_EQ(RoundHalfEven(-74, 50), -1);  // -1.48
  EXPECT_EQ(RoundHalfEven(-76, 50), -2);  // -1.52
  EXPECT_EQ(RoundHalfEven(234000, 50), 4680);
}

TEST(CellOf, AFeatureLiesInCellRoundOfProgressiveOver50PlusOne) {
  EXPECT_EQ(CellOf(1100), 23);
  EXPECT_EQ(CellOf(1125), 24);  // 23.5
  EXPECT_EQ(CellOf(1175), 24);  // 24.5
  EXPECT_EQ(CellOf(125), 4);    // 3.5
  EXPECT_EQ(CellOf(175), 4);    // 4.5
  EXPECT_EQ(CellOf(6200), 125);
}

TEST(Minimo, TakesTheSmallerAndTheFirstOfEqualOnes) {
  EXPECT_EQ(minimo(180, 200), 180);
  EXPECT_EQ(minimo(180, 100), 100);
  EXPECT_FALSE(std::signbit(minimo(0.0, -0.0)));  // equal: the first
  EXPECT_TRUE(std::signbit(minimo(-0.0, 0.0)));
}

}  // namespace
}  // namespace tarvosa
