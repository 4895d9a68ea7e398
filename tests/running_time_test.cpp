// The running time against the closed forms of its model: constant effort
// on level track and on a gradient, resistance, the comfort cap, the top
// speed, a speed drop, a slow-down, the train's length, stops, the
// timetable's margins and the allowance.
#include <gtest/gtest.h>

#include <cmath>

#include "running/running_time.h"
#include "running_line.h"

namespace tarvosa::running {
namespace {

using testing::AddStation;
using testing::ConstantEffort;
using testing::Line;

constexpr std::int32_t kNine = 9 * 3600;
constexpr double kG = 9.81;

// Within 0.1 % of the exact time (0.5 % is what the model promises).
::testing::AssertionResult Near(double computed, double exact) {
  if (std::abs(computed - exact) <= 0.001 * exact) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << computed << " s is not within 0.1 % of " << exact << " s";
}

RunResult RunOf(const CompiledScenario& line, const RollingStock& stock, RunOptions options = {}) {
  const auto result = ComputeRun(line, stock, options);
  EXPECT_TRUE(result.ok()) << result.status().message();
  return result.ok() ? *result : RunResult{};
}

// From a stand, at `a` until the brake at `b` stops it `metres` further.
double AccelerateAndStop(double metres, double a, double b) {
  const double peak = std::sqrt(2 * metres * a * b / (a + b));
  return peak / a + peak / b;
}

// A 10 km line without a limit that matters, stations at 0 and 10 km and
// one passed at 2 km, while the train still accelerates.
CompiledScenario OpenLine() {
  CompiledScenario line = Line(10000, 1275);
  AddStation(line, 1, 0, kNine, "A");
  AddStation(line, 2, 2000, 0, "P");
  AddStation(line, 3, 10000, kNine + 600, "B");
  return line;
}

TEST(ClosedForms, ConstantEffortOnLevelTrack) {
  RollingStock stock = ConstantEffort(100000, 100000, 1.0);
  stock.inertia_coefficient = 1.05;
  const double a = 1 / 1.05;
  const RunResult run = RunOf(OpenLine(), stock);
  ASSERT_EQ(run.stations.size(), 3u);
  EXPECT_TRUE(Near(run.stations[1].arrival_s, std::sqrt(2 * 2000 / a)));
  EXPECT_TRUE(Near(run.stations[2].arrival_s, AccelerateAndStop(10000, a, 1.0)));
  EXPECT_TRUE(Near(run.total_time_s, AccelerateAndStop(10000, a, 1.0)));
}

TEST(ClosedForms, ConstantGradientUpAndDown) {
  const RollingStock stock = ConstantEffort(100000, 100000, 1.0);
  for (const int per_mille : {8, -8}) {
    CompiledScenario line = OpenLine();
    testing::SetGradient(line, 0, static_cast<std::int64_t>(line.cells.size()) - 1, per_mille);
    const double a = 1 - kG * per_mille / 1000.0;
    const RunResult run = RunOf(line, stock);
    EXPECT_TRUE(Near(run.stations[1].arrival_s, std::sqrt(2 * 2000 / a))) << per_mille;
    // The service brake decelerates alike on any gradient.
    EXPECT_TRUE(Near(run.total_time_s, AccelerateAndStop(10000, a, 1.0))) << per_mille;
  }
}

// The gradient is the cell's under the head: a climb that begins past the
// passed station does not slow the train before it.
TEST(ClosedForms, TheGradientIsTheOneUnderTheHead) {
  CompiledScenario line = OpenLine();
  testing::SetGradient(line, 41, 60, 20);  // 2000 to 3000 m
  const RollingStock stock = ConstantEffort(100000, 100000, 100.0);
  const RunResult run = RunOf(line, stock);
  EXPECT_TRUE(Near(run.stations[1].arrival_s, std::sqrt(2 * 2000.0)));
  const RunResult level = RunOf(OpenLine(), stock);
  EXPECT_GT(run.total_time_s, level.total_time_s + 1);
}

TEST(ClosedForms, ConstantResistanceTakesFromTheEffort) {
  RollingStock stock = ConstantEffort(100000, 100000, 1.0);
  stock.davis_a = 20000;
  const RunResult run = RunOf(OpenLine(), stock);
  EXPECT_TRUE(Near(run.stations[1].arrival_s, std::sqrt(2 * 2000 / 0.8)));
}

// m dv/dt = F - B v: x(t) = (F / B) (t - (m / B) (1 - exp(-B t / m))).
TEST(ClosedForms, ResistanceGrowingWithSpeed) {
  RollingStock stock = ConstantEffort(100000, 100000, 1.0);
  stock.davis_b = 2000;
  stock.inertia_coefficient = 1.05;
  const double m = 105000, f = 100000, b = 2000;
  const auto x = [&](double t) { return f / b * (t - m / b * (1 - std::exp(-b * t / m))); };
  double low = 0, high = 1000;
  for (int i = 0; i < 100; ++i) (x((low + high) / 2) < 2000 ? low : high) = (low + high) / 2;
  EXPECT_TRUE(Near(RunOf(OpenLine(), stock).stations[1].arrival_s, low));
}

// The same near the balancing speed F / B = 25 m/s, where the speed gained
// over a step depends most on the speed itself: only steps of a few metres,
// each solved to the second order, stay within 0.1 % (steps of a whole
// cell are 0.3 % off, a first-order step 0.8 %).
TEST(ClosedForms, ResistanceNearTheBalancingSpeed) {
  RollingStock stock = ConstantEffort(100000, 100000, 1.0);
  stock.davis_b = 4000;
  const double m = 100000, f = 100000, b = 4000;
  const auto x = [&](double t) { return f / b * (t - m / b * (1 - std::exp(-b * t / m))); };
  double low = 0, high = 1000;
  for (int i = 0; i < 100; ++i) (x((low + high) / 2) < 2000 ? low : high) = (low + high) / 2;
  EXPECT_TRUE(Near(RunOf(OpenLine(), stock).stations[1].arrival_s, low));
}

TEST(ClosedForms, ResistanceOfTheSquareOfTheSpeedSlowsTheTrain) {
  RollingStock stock = ConstantEffort(100000, 100000, 1.0);
  const double free = RunOf(OpenLine(), stock).stations[1].arrival_s;
  stock.davis_c = 20;
  const double resisted = RunOf(OpenLine(), stock).stations[1].arrival_s;
  // m v dv/dx = F - C v²: v² = (F / C)(1 - exp(-2 C x / m)) at 2 km.
  const double v = std::sqrt(100000 / 20.0 * (1 - std::exp(-2 * 20 * 2000 / 100000.0)));
  EXPECT_GT(resisted, free * 1.05);
  const auto& profile = RunOf(OpenLine(), stock).profile;
  const auto at = std::find_if(profile.begin(), profile.end(),
                               [](const ProfilePoint& p) { return p.metres == 2000; });
  ASSERT_NE(at, profile.end());
  EXPECT_NEAR(at->speed_kmh / 3.6, v, 0.005 * v);
}

TEST(ClosedForms, TheComfortAccelerationCapsTheEffort) {
  RollingStock stock = ConstantEffort(100000, 1e6, 1.0);
  stock.comfort_acceleration = 0.5;
  EXPECT_TRUE(Near(RunOf(OpenLine(), stock).stations[1].arrival_s, std::sqrt(2 * 2000 / 0.5)));
}

// At 1 m/s² to the limit, then on at it: v / a + (x - v² / 2a) / v.
TEST(ClosedForms, TheLowerOfLineSpeedAndTopSpeedHolds) {
  RollingStock stock = ConstantEffort(100000, 100000, 1.0);
  CompiledScenario line = OpenLine();
  testing::SetSpeed(line, 0, static_cast<std::int64_t>(line.cells.size()) - 1, 90);  // 25 m/s
  stock.max_speed = 30;
  EXPECT_TRUE(Near(RunOf(line, stock).stations[1].arrival_s, 25 + (2000 - 312.5) / 25));
  stock.max_speed = 20;
  EXPECT_TRUE(Near(RunOf(line, stock).stations[1].arrival_s, 20 + (2000 - 200) / 20.0));
}

// 180 km/h, 90 km/h from 6000 m: the train brakes at 0.5 m/s² from 50 to
// 25 m/s in the 1875 m before it, then runs at 25 m/s.
TEST(ClosedForms, ASpeedDropIsReachedAtItsFirstCellByBraking) {
  CompiledScenario line = Line(10000, 180);
  testing::SetSpeed(line, 121, static_cast<std::int64_t>(line.cells.size()) - 1, 90);
  AddStation(line, 1, 0, kNine, "A");
  AddStation(line, 2, 6000, 0, "drop");
  AddStation(line, 3, 6500, 0, "after");
  AddStation(line, 4, 10000, kNine + 3600, "B");
  const RunResult run = RunOf(line, ConstantEffort(100000, 100000, 0.5));
  const double drop = 50 + (6000 - 1875 - 1250) / 50.0 + 50;
  EXPECT_TRUE(Near(run.stations[1].arrival_s, drop));
  EXPECT_TRUE(Near(run.stations[2].arrival_s, drop + 20));
  EXPECT_TRUE(Near(run.total_time_s, drop + (4000 - 625) / 25.0 + 50));
}

// The ceiling over the same drop: 50 m/s far before it, the braking curve
// √(25² + 2·0.5·d) at d metres before it, 25 m/s past it, and the curve
// down to the stand at the end; the run never goes above it.
TEST(ClosedForms, TheCeilingIsTheLimitAndTheBrakingCurvesToEachLowerOne) {
  CompiledScenario line = Line(10000, 180);
  testing::SetSpeed(line, 121, static_cast<std::int64_t>(line.cells.size()) - 1, 90);
  AddStation(line, 1, 0, kNine, "A");
  AddStation(line, 2, 10000, kNine + 3600, "B");
  const RunResult run = RunOf(line, ConstantEffort(100000, 100000, 0.5));
  const auto at = [&](double metres) {
    for (const ProfilePoint& p : run.profile) {
      if (p.metres == metres) return p.ceiling_kmh / 3.6;
    }
    ADD_FAILURE() << "no point at " << metres;
    return 0.0;
  };
  EXPECT_NEAR(at(3000), 50, 1e-9);
  EXPECT_NEAR(at(5000), std::sqrt(625 + 1000), 1e-6);
  EXPECT_NEAR(at(5500), std::sqrt(625 + 500), 1e-6);
  EXPECT_NEAR(at(8000), 25, 1e-9);
  EXPECT_NEAR(at(9900), std::sqrt(100), 1e-6);
  EXPECT_EQ(run.profile.back().ceiling_kmh, 0);
  for (const ProfilePoint& p : run.profile) EXPECT_LE(p.speed_kmh, p.ceiling_kmh + 1e-9);
}

// 90 km/h from 6000 to 7000 m, a 200 m train: it accelerates again only
// at 7200 m, then at 1 m/s² from 25 m/s.
TEST(ClosedForms, AHigherLimitHoldsOnceTheWholeTrainHasPassed) {
  CompiledScenario line = Line(15000, 180);
  testing::SetSpeed(line, 121, 140, 90);
  AddStation(line, 1, 0, kNine, "A");
  AddStation(line, 2, 6000, 0, "low");
  AddStation(line, 3, 7200, 0, "tail out");
  AddStation(line, 4, 8000, 0, "again");
  AddStation(line, 5, 15000, kNine + 3600, "B");
  RollingStock stock = ConstantEffort(100000, 100000, 0.5);
  stock.length = 200;
  const RunResult run = RunOf(line, stock);
  EXPECT_TRUE(Near(run.stations[2].arrival_s - run.stations[1].arrival_s, 48));
  EXPECT_TRUE(
      Near(run.stations[3].arrival_s - run.stations[2].arrival_s, std::sqrt(625 + 2 * 800.0) - 25));
}

// Cell 0 (the 50 m before the origin) at 45 km/h and a 200 m train standing
// at 0: its tail stands in that limit until its head is at 200 m.
TEST(ClosedForms, TheTailHoldsTheTrainAtTheStart) {
  CompiledScenario line = Line(10000, 180);
  testing::SetSpeed(line, 0, 0, 45);  // 12.5 m/s
  AddStation(line, 1, 0, kNine, "A");
  AddStation(line, 2, 500, 0, "P");
  AddStation(line, 3, 10000, kNine + 3600, "B");
  RollingStock stock = ConstantEffort(100000, 100000, 0.5);
  stock.length = 200;
  const double to_tail = 12.5 + (200 - 78.125) / 12.5;
  EXPECT_TRUE(Near(RunOf(line, stock).stations[1].arrival_s,
                   to_tail + std::sqrt(12.5 * 12.5 + 2 * 300.0) - 12.5));
}

// A slow-down as the compiler stores it: its start cell with its speed and
// its end cell, 6000 to 6500 m; 1 m of train.
TEST(ClosedForms, ASlowDownHoldsFromItsStartToItsEnd) {
  CompiledScenario line = Line(10000, 180);
  line.cells[121].kind = kSlowDownStart;
  line.cells[121].value_a = 36;
  line.cells[131].kind = kSlowDownEnd;
  AddStation(line, 1, 0, kNine, "A");
  AddStation(line, 2, 6000, 0, "start");
  AddStation(line, 3, 6500, 0, "end");
  AddStation(line, 4, 10000, kNine + 3600, "B");
  const RunResult run = RunOf(line, ConstantEffort(100000, 100000, 0.5));
  EXPECT_TRUE(Near(run.stations[1].arrival_s, 50 + (6000 - 2400 - 1250) / 50.0 + 80));
  EXPECT_TRUE(Near(run.stations[2].arrival_s - run.stations[1].arrival_s, 50));
  EXPECT_GT(run.stations[3].arrival_s - run.stations[2].arrival_s, 3500 / 50.0);
}

// Stops at 5 km: the same section twice, with the dwell between.
TEST(ClosedForms, AStopWithItsDwell) {
  CompiledScenario line = Line(10000, 1275);
  AddStation(line, 1, 0, kNine, "A");
  AddStation(line, 2, 5000, kNine + 300, "B");
  AddStation(line, 3, 10000, kNine + 600, "C");
  RunOptions options;
  options.dwell_s = 45;
  const RunResult run = RunOf(line, ConstantEffort(100000, 100000, 0.5), options);
  const double section = AccelerateAndStop(5000, 1, 0.5);
  ASSERT_EQ(run.stations.size(), 3u);
  EXPECT_EQ(run.stations[0].arrival_s, 0);
  EXPECT_EQ(run.stations[0].departure_s, 0);
  EXPECT_TRUE(Near(run.stations[1].arrival_s, section));
  EXPECT_DOUBLE_EQ(run.stations[1].departure_s, run.stations[1].arrival_s + 45);
  EXPECT_TRUE(Near(run.total_time_s, 2 * section + 45));
  EXPECT_DOUBLE_EQ(run.stations[2].departure_s, run.stations[2].arrival_s);
  EXPECT_TRUE(Near(run.stations[2].section_running_s, section));
  for (const StationTime& s : run.stations) EXPECT_TRUE(s.stops);
}

// A station with a stop cell stops there, at the metres the cell stands
// for; a station without a time is passed, not stopped at.
TEST(RunStations, StopCellsAndStationsPassed) {
  CompiledScenario line = Line(10000, 1275);
  AddStation(line, 1, 0, kNine, "A");
  AddStation(line, 2, 3000, 0, "passed", 70);
  AddStation(line, 3, 6000, kNine + 600, "B", 122);  // 6050 m
  const RunResult run = RunOf(line, ConstantEffort(100000, 100000, 1.0));
  ASSERT_EQ(run.stations.size(), 3u);
  EXPECT_EQ(run.stations[1].metres, 3000);
  EXPECT_FALSE(run.stations[1].stops);
  EXPECT_FALSE(run.stations[1].scheduled_s);
  EXPECT_EQ(run.stations[1].departure_s, run.stations[1].arrival_s);
  EXPECT_EQ(run.stations[2].metres, 6050);
  EXPECT_EQ(run.stations[2].position, 6000);
  EXPECT_EQ(run.stations[2].name, "B");
  EXPECT_TRUE(Near(run.total_time_s, AccelerateAndStop(6050, 1, 1)));
}

// An entry is a station unless it is empty: one of type 0 at the origin
// counts, and the first empty entry ends the stations.
TEST(RunStations, AnEntryOfTypeZeroAtTheOriginIsAStation) {
  CompiledScenario line = Line(10000, 1275);
  AddStation(line, 1, 0, kNine, "A");
  line.header[1].kind = 0;
  AddStation(line, 2, 6000, kNine + 600, "B");
  AddStation(line, 4, 9000, kNine + 900, "after the empty entry");
  const RunResult run = RunOf(line, ConstantEffort(100000, 100000, 1.0));
  ASSERT_EQ(run.stations.size(), 2u);
  EXPECT_EQ(run.stations[0].name, "A");
  EXPECT_EQ(run.stations[1].name, "B");
}

// Stations before the first time and after the last are not run.
TEST(RunStations, TheRunGoesFromTheFirstTimeToTheLast) {
  CompiledScenario line = Line(10000, 1275);
  AddStation(line, 1, 0, 0, "before");
  AddStation(line, 2, 2000, kNine, "A");
  AddStation(line, 3, 8000, kNine + 600, "B");
  AddStation(line, 4, 9500, 0, "after");
  const RunResult run = RunOf(line, ConstantEffort(100000, 100000, 1.0));
  ASSERT_EQ(run.stations.size(), 2u);
  EXPECT_EQ(run.stations[0].name, "A");
  EXPECT_TRUE(Near(run.total_time_s, AccelerateAndStop(6000, 1, 1)));
  EXPECT_EQ(run.profile.front().metres, 2000);
  EXPECT_EQ(run.profile.back().metres, 8000);
}

// The timetable's time less the first's; the margin against the run, and
// each section against the time the timetable gives it.
TEST(Margins, ScheduledTimesMarginsAndSections) {
  const RollingStock stock = ConstantEffort(100000, 100000, 0.5);
  const double section = AccelerateAndStop(5000, 1, 0.5);  // about 173 s
  const auto run_with = [&](std::int32_t b, std::int32_t c) {
    CompiledScenario line = Line(10000, 1275);
    AddStation(line, 1, 0, kNine, "A");
    AddStation(line, 2, 5000, kNine + b, "B");
    AddStation(line, 3, 10000, kNine + c, "C");
    return RunOf(line, stock);
  };
  const int up = static_cast<int>(std::ceil(section));
  const RunResult loose = run_with(up + 30, 2 * up + 30);
  EXPECT_EQ(*loose.stations[0].scheduled_s, 0);
  EXPECT_EQ(*loose.stations[1].scheduled_s, up + 30);
  EXPECT_DOUBLE_EQ(*loose.stations[1].margin_s, up + 30 - loose.stations[1].arrival_s);
  EXPECT_NEAR(loose.stations[1].section_margin_s, up - section, 0.01 * section);
  EXPECT_GE(loose.stations[2].section_margin_s, 0);
  EXPECT_TRUE(loose.AllKept());
  // The departure from B a second too soon: B cannot be kept, C can.
  const RunResult tight = run_with(up + 28, 2 * up + 60);
  EXPECT_FALSE(tight.stations[1].kept);
  EXPECT_GT(*tight.stations[1].margin_s, 0);
  EXPECT_TRUE(tight.stations[2].kept);
  EXPECT_FALSE(tight.AllKept());
  // The terminal has no dwell to keep.
  const RunResult terminal = run_with(up + 30, 2 * up + 30);
  EXPECT_TRUE(terminal.stations[2].kept);
  EXPECT_FALSE(run_with(up + 30, 2 * up + 28).stations[2].kept);
}

TEST(Margins, TheAllowanceStretchesEverySectionsRunningTime) {
  CompiledScenario line = Line(10000, 1275);
  AddStation(line, 1, 0, kNine, "A");
  AddStation(line, 2, 5000, kNine + 300, "B");
  AddStation(line, 3, 10000, kNine + 600, "C");
  const RollingStock stock = ConstantEffort(100000, 100000, 0.5);
  const RunResult plain = RunOf(line, stock);
  RunOptions options;
  options.allowance_pct = 7;
  const RunResult stretched = RunOf(line, stock, options);
  for (std::size_t i = 1; i < 3; ++i) {
    EXPECT_NEAR(stretched.stations[i].section_running_s, 1.07 * plain.stations[i].section_running_s,
                1e-6);
  }
  EXPECT_NEAR(stretched.total_time_s, 1.07 * (plain.total_time_s - 30) + 30, 1e-6);
  ASSERT_EQ(stretched.profile.size(), plain.profile.size());
  EXPECT_NEAR(stretched.profile[10].time_s, 1.07 * plain.profile[10].time_s, 1e-6);
}

// ---------------------------------------------------------------------------
// The profile

TEST(Profile, APointEveryCellNeverAboveTheLimitFromStandToStand) {
  CompiledScenario line = Line(10000, 180);
  testing::SetSpeed(line, 121, 140, 90);
  AddStation(line, 1, 0, kNine, "A");
  AddStation(line, 2, 10000, kNine + 900, "B");
  const RunResult run = RunOf(line, ConstantEffort(100000, 100000, 0.5));
  for (double m = 0; m <= 10000; m += 50) {
    EXPECT_TRUE(std::any_of(run.profile.begin(), run.profile.end(), [m](const ProfilePoint& p) {
      return p.metres == m;
    })) << m;
  }
  EXPECT_EQ(run.profile.front().speed_kmh, 0);
  EXPECT_EQ(run.profile.back().speed_kmh, 0);
  EXPECT_DOUBLE_EQ(run.profile.back().time_s, run.total_time_s);
  for (std::size_t i = 1; i < run.profile.size(); ++i) {
    const ProfilePoint& p = run.profile[i];
    EXPECT_GT(p.time_s, run.profile[i - 1].time_s) << p.metres;
    EXPECT_LE(p.speed_kmh, (p.metres >= 6000 && p.metres <= 7001 ? 90 : 180) + 1e-9) << p.metres;
  }
}

// A step twenty times finer changes no section by as much as 0.1 %.
TEST(Profile, TheStepIsFineEnough) {
  RollingStock stock = ConstantEffort(100000, 150000, 0.6);
  stock.davis_a = 5000, stock.davis_b = 100, stock.davis_c = 8;
  CompiledScenario line = Line(20000, 160);
  testing::SetSpeed(line, 150, 170, 60);
  testing::SetGradient(line, 200, 300, 12);
  AddStation(line, 1, 0, kNine, "A");
  AddStation(line, 2, 9000, kNine + 600, "B");
  AddStation(line, 3, 20000, kNine + 1200, "C");
  RunOptions fine;
  fine.step_m = 0.5;
  const RunResult coarse = RunOf(line, stock), exact = RunOf(line, stock, fine);
  for (std::size_t i = 1; i < 3; ++i) {
    EXPECT_TRUE(Near(coarse.stations[i].section_running_s, exact.stations[i].section_running_s));
  }
}

// ---------------------------------------------------------------------------
// Runs that cannot be made

TEST(Refusals, FewerThanTwoTimesGiveNoRun) {
  CompiledScenario line = Line(10000, 100);
  AddStation(line, 1, 0, kNine, "A");
  AddStation(line, 2, 5000, 0, "B");
  const auto run = ComputeRun(line, ConstantEffort(1e5, 1e5, 1), {});
  ASSERT_FALSE(run.ok());
  EXPECT_EQ(run.status().kind(), ExitStatus::kDataError);
  EXPECT_NE(run.status().message().find("fewer than two"), std::string::npos);
  EXPECT_FALSE(ComputeRun(Line(1000, 100), ConstantEffort(1e5, 1e5, 1), {}).ok());
}

TEST(Refusals, StationsOutOfOrder) {
  CompiledScenario line = Line(10000, 100);
  AddStation(line, 1, 5000, kNine, "A");
  AddStation(line, 2, 5000, kNine + 60, "B\x1b");
  const auto run = ComputeRun(line, ConstantEffort(1e5, 1e5, 1), {});
  ASSERT_FALSE(run.ok());
  EXPECT_NE(run.status().message().find("'B\x1b' does not lie after 'A'"), std::string::npos);
}

TEST(Refusals, ATrainTooWeakForTheClimbStalls) {
  CompiledScenario line = OpenLine();
  testing::SetGradient(line, 81, 180, 25);  // 4000 to 9000 m
  const auto run = ComputeRun(line, ConstantEffort(100000, 10000, 1), {});
  ASSERT_FALSE(run.ok());
  EXPECT_NE(run.status().message().find("stalls at"), std::string::npos);
  EXPECT_NE(run.status().message().find("gradient of 25 per mille"), std::string::npos);
  // One strong enough gets over it.
  EXPECT_TRUE(ComputeRun(line, ConstantEffort(100000, 30000, 1), {}).ok());
}

TEST(Refusals, ATrainThatCannotStart) {
  CompiledScenario line = OpenLine();
  testing::SetGradient(line, 0, 5, 30);
  EXPECT_FALSE(ComputeRun(line, ConstantEffort(100000, 20000, 1), {}).ok());
}

TEST(Refusals, ALineWithoutSpeed) {
  CompiledScenario line = OpenLine();
  testing::SetSpeed(line, 100, 101, 0);
  const auto run = ComputeRun(line, ConstantEffort(1e5, 1e5, 1), {});
  ASSERT_FALSE(run.ok());
  EXPECT_NE(run.status().message().find("no speed at 4950 m"), std::string::npos);
}

TEST(Refusals, ATrainThatCannotRun) {
  RollingStock stock = ConstantEffort(1e5, 1e5, 1);
  stock.mass = -1;
  const auto run = ComputeRun(OpenLine(), stock, {});
  ASSERT_FALSE(run.ok());
  EXPECT_NE(run.status().message().find("mass"), std::string::npos);
}

}  // namespace
}  // namespace tarvosa::running
