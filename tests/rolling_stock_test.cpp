// A rolling stock's effort and resistance, what makes one unfit to run,
// and the default train of a scenario.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "running/default_train.h"
#include "running/rolling_stock.h"

namespace tarvosa::running {
namespace {

RollingStock Fit() {
  RollingStock stock;
  stock.mass = 400000;
  stock.length = 200;
  stock.max_speed = 44;
  stock.inertia_coefficient = 1.05;
  stock.davis_a = 4000, stock.davis_b = 100, stock.davis_c = 8;
  stock.curve_speeds = {0, 10, 30};
  stock.curve_efforts = {200000, 180000, 60000};
  stock.braking = 0.5;
  return stock;
}

TEST(Effort, LinearBetweenPointsAndHeldBeyondTheLast) {
  const RollingStock stock = Fit();
  EXPECT_DOUBLE_EQ(EffortAt(stock, 0), 200000);
  EXPECT_DOUBLE_EQ(EffortAt(stock, 5), 190000);
  EXPECT_DOUBLE_EQ(EffortAt(stock, 10), 180000);
  EXPECT_DOUBLE_EQ(EffortAt(stock, 25), 90000);
  EXPECT_DOUBLE_EQ(EffortAt(stock, 30), 60000);
  EXPECT_DOUBLE_EQ(EffortAt(stock, 80), 60000);
  EXPECT_DOUBLE_EQ(EffortAt(stock, -1), 200000);
}

TEST(Effort, DavisResistance) {
  EXPECT_DOUBLE_EQ(ResistanceAt(Fit(), 0), 4000);
  EXPECT_DOUBLE_EQ(ResistanceAt(Fit(), 10), 4000 + 1000 + 800);
}

// Each member that makes the train unfit, named in the message with what
// was found.
TEST(Fitness, EachMemberOutOfRangeIsNamed) {
  EXPECT_TRUE(CheckRollingStock(Fit()).ok());
  const std::pair<std::string, void (*)(RollingStock&)> unfit[] = {
      {"mass must be above 0, found -5", [](RollingStock& s) { s.mass = -5; }},
      {"mass must be above 0, found 0", [](RollingStock& s) { s.mass = 0; }},
      {"length must be above 0", [](RollingStock& s) { s.length = 0; }},
      {"max_speed must be above 0", [](RollingStock& s) { s.max_speed = -1; }},
      {"braking deceleration (const_gamma, or gamma's value) must be above 0",
       [](RollingStock& s) { s.braking = 0; }},
      {"inertia_coefficient must be 1 or more, found 0.9",
       [](RollingStock& s) { s.inertia_coefficient = 0.9; }},
      {"rolling_resistance.A must be 0 or more", [](RollingStock& s) { s.davis_a = -1; }},
      {"rolling_resistance.B must be 0 or more", [](RollingStock& s) { s.davis_b = -1; }},
      {"rolling_resistance.C must be 0 or more", [](RollingStock& s) { s.davis_c = -1; }},
      {"comfort_acceleration must be 0 or more",
       [](RollingStock& s) { s.comfort_acceleration = -0.1; }},
      {"mass must be above 0, found inf",
       [](RollingStock& s) { s.mass = std::numeric_limits<double>::infinity(); }},
      {"the effort curve has no point",
       [](RollingStock& s) { s.curve_speeds.clear(), s.curve_efforts.clear(); }},
      {"the effort curve has 3 speeds and 2 max_efforts",
       [](RollingStock& s) { s.curve_efforts.pop_back(); }},
      {"the effort curve's first speed must be 0, found 1",
       [](RollingStock& s) { s.curve_speeds[0] = 1; }},
      {"the effort curve's speeds must increase: 10 follows 10",
       [](RollingStock& s) { s.curve_speeds[2] = 10; }},
      {"the effort curve's speeds must increase: 5 follows 10",
       [](RollingStock& s) { s.curve_speeds[2] = 5; }},
      {"max_efforts must be 0 or more, found -1", [](RollingStock& s) { s.curve_efforts[1] = -1; }},
      {"max_efforts must be 0 or more, found nan",
       [](RollingStock& s) { s.curve_efforts[2] = std::nan(""); }},
      {"the effort curve's speeds must increase: nan follows 10",
       [](RollingStock& s) { s.curve_speeds[2] = std::nan(""); }},
  };
  for (const auto& [message, spoil] : unfit) {
    RollingStock stock = Fit();
    spoil(stock);
    const Status status = CheckRollingStock(stock);
    EXPECT_EQ(status.kind(), ExitStatus::kDataError) << message;
    EXPECT_NE(status.message().find(message), std::string::npos) << status.message();
  }
}

TEST(Fitness, ZeroIsFitWhereAMemberMayBeZero) {
  RollingStock stock = Fit();
  stock.davis_a = stock.davis_b = stock.davis_c = 0;
  stock.comfort_acceleration = 0;
  stock.inertia_coefficient = 1;
  stock.curve_efforts = {0, 0, 0};
  EXPECT_TRUE(CheckRollingStock(stock).ok());
}

// ---------------------------------------------------------------------------
// The default train

TEST(DefaultTrain, EachCoachAddsItsMassAndLength) {
  const auto none = DefaultTrain(0, 130), twelve = DefaultTrain(12, 130);
  ASSERT_TRUE(none.ok() && twelve.ok());
  EXPECT_TRUE(CheckRollingStock(*twelve).ok());
  const double coach_mass = (twelve->mass - none->mass) / 12;
  const double coach_length = (twelve->length - none->length) / 12;
  EXPECT_GT(coach_mass, 40000);  // a passenger coach, loaded
  EXPECT_LT(coach_mass, 55000);
  EXPECT_NEAR(coach_length, 26.4, 1e-9);  // over buffers
  // The example's train, as docs/running.md gives it: an E.402B of 89 t and
  // twelve coaches of 48 t.
  EXPECT_EQ(none->mass, 89000);
  EXPECT_EQ(twelve->mass, 665000);
  EXPECT_NEAR(twelve->length, 19.84 + 12 * 26.4, 1e-9);
  EXPECT_NE(twelve->name.find("12 coaches"), std::string::npos);
  // Resistance grows with the train's weight.
  EXPECT_NEAR(twelve->davis_a / none->davis_a, twelve->mass / none->mass, 1e-9);
  EXPECT_NEAR(twelve->davis_c / none->davis_c, twelve->mass / none->mass, 1e-9);
}

// The locomotive alone pulls: adhesion at a start, its power at speed.
TEST(DefaultTrain, EffortFromAdhesionThenPower) {
  const auto train = DefaultTrain(12, 130);
  ASSERT_TRUE(train.ok());
  const auto loco = DefaultTrain(0, 130);
  EXPECT_NEAR(EffortAt(*train, 0) / (loco->mass * 9.81), 0.161 + 7.5 / 44, 1e-9);
  for (const double kmh : {120.0, 160.0, 200.0}) {
    EXPECT_NEAR(EffortAt(*train, kmh / 3.6) * kmh / 3.6, 5.6e6, 1e-3) << kmh;
  }
  EXPECT_EQ(EffortAt(*train, 100), EffortAt(*train, 200 / 3.6));
  EXPECT_NEAR(train->max_speed * 3.6, 200, 1e-9);
  // 180 km/h, the example's highest line speed, needs less than the
  // power gives on level track, but most of it.
  EXPECT_LT(ResistanceAt(*train, 50), EffortAt(*train, 50));
  EXPECT_GT(ResistanceAt(*train, 50), 0.5 * EffortAt(*train, 50));
}

// Minden's formula: 1000 m from 160 km/h takes about 153 % of braked weight.
TEST(DefaultTrain, BrakingFromTheBrakedWeight) {
  const double v = 160 / 3.6;
  EXPECT_NEAR(v * v / (2 * BrakingFromBrakedWeight(153)), 1000, 10);
  EXPECT_LT(BrakingFromBrakedWeight(100), BrakingFromBrakedWeight(130));
  const auto train = DefaultTrain(12, 130);
  EXPECT_DOUBLE_EQ(train->braking, BrakingFromBrakedWeight(130));
}

TEST(DefaultTrain, CountsThatMakeNoTrain) {
  const auto negative = DefaultTrain(-1, 130);
  ASSERT_FALSE(negative.ok());
  EXPECT_NE(negative.status().message().find("numero vetture must be 0 or more, found -1"),
            std::string::npos);
  const auto unbraked = DefaultTrain(12, 0);
  ASSERT_FALSE(unbraked.ok());
  EXPECT_NE(unbraked.status().message().find("percentuale massa frenata must be above 0, found 0"),
            std::string::npos);
  EXPECT_TRUE(DefaultTrain(12, 1).ok());
}

}  // namespace
}  // namespace tarvosa::running
