#include "compiler/internal/placement.h"

#include <gtest/gtest.h>

#include "compiler/stored_format.h"
#include "compiler/stored_views.h"

namespace tarvosa {
namespace {

class PlacementTest : public ::testing::Test {
 protected:
  PlacementTest() : cells_(200) {}
  void Set(std::size_t c, std::uint8_t kind, std::int16_t value = 0) {
    cells_.at(c).kind = kind;
    cells_.at(c).value_a = value;
  }
  // A slow zone from cell `start` to cell `end` at `speed`.
  void Zone(std::size_t start, std::size_t end, std::int16_t speed) {
    Set(start, kSlowDownStart, speed);
    Set(end, kSlowDownEnd, speed);
  }
  bool PointAt(std::size_t c) const {
    return cells_.at(c).kind == kBrakingPoint &&
           BrakingPointCell(cells_.at(c)).speed == kAutomaticPointSpeed;
  }
  std::vector<std::size_t> Points() const {
    std::vector<std::size_t> points;
    for (std::size_t c = 0; c < cells_.size(); ++c) {
      if (cells_.at(c).kind == kBrakingPoint) points.push_back(c);
    }
    return points;
  }
  std::vector<TrackCell> cells_;
  Diagnostics d_;
};

TEST_F(PlacementTest, EverySignalWithin20CellsBeforeAWarningBoardGetsAPoint) {
  Set(100, kSlowDownWarning);
  Set(95, kSignal);
  Set(80, kSignal);
  Set(79, kSpeedBoard);       // 80's nearer cell is taken: the point goes one further
  Set(78, kTunnelMarker);     // a marker counts as free
  Set(79 - 1 - 20, kSignal);  // too far
  PlaceBrakingPoints(cells_, d_);
  EXPECT_EQ(Points(), (std::vector<std::size_t>{78, 94}));
  EXPECT_EQ(d_.error_code(), 0);
}

TEST_F(PlacementTest, AnExistingPointInFrontOfASignalIsLoweredTo180AtMost) {
  for (const std::int16_t value : {200, 100, 180}) {
    cells_.assign(200, TrackCell{});
    Set(100, kSlowDownWarning);
    Set(90, kSignal);
    Set(89, kBrakingPoint, value);
    Set(88, kStationStop);
    PlaceBrakingPoints(cells_, d_);
    EXPECT_EQ(BrakingPointCell(cells_.at(89)).speed, std::min<std::int16_t>(value, 180));
  }
  Set(89, kStationStop);
  PlaceBrakingPoints(cells_, d_);
  EXPECT_EQ(d_.error_code(), 11);
  EXPECT_EQ(d_.error_position(), 90 * 50);
}

// Two cells taken, the farther one a point: that point is lowered.
TEST_F(PlacementTest, APointTwoCellsInFrontIsLoweredWhenTheNearerCellHoldsAFeature) {
  Set(100, kSlowDownWarning);
  Set(90, kSignal);
  Set(89, kStationStop);
  Set(88, kBrakingPoint, 200);
  PlaceBrakingPoints(cells_, d_);
  EXPECT_EQ(BrakingPointCell(cells_.at(88)).speed, 180);
  EXPECT_EQ(d_.error_code(), 0);
}

// Where a point finds no room, the message names the two cells in front of
// the signal and what holds them.
TEST_F(PlacementTest, NoRoomInFrontOfASignalNamesBothCellsTaken) {
  Set(100, kSlowDownWarning);
  Set(90, kSignal);
  Set(89, kStationStop);
  Set(88, kSpeedBoard);
  PlaceBrakingPoints(cells_, d_);
  EXPECT_EQ(d_.error_code(), 11);
  EXPECT_EQ(d_.error().detail,
            "the two cells in front of the signal in cell 90 (4450 m) are taken: cell 89 (4400 m) "
            "holds a station stop cell, cell 88 (4350 m) holds a speed-indicator board");

  cells_.assign(200, TrackCell{});
  d_ = Diagnostics();
  Zone(40, 44, 130);
  Set(45, kSignal);
  Set(43, kTextBoard);
  PlaceBrakingPoints(cells_, d_);
  EXPECT_EQ(d_.error_code(), 13);
  EXPECT_EQ(d_.error().detail,
            "the two cells in front of the signal in cell 45 (2200 m) after the slow zone are "
            "taken: cell 44 (2150 m) holds a slow-down end, cell 43 (2100 m) holds a text board");
}

TEST_F(PlacementTest, AWarningBoardNearTheOriginLooksAtCell3AtMost) {
  Set(4, kSlowDownWarning);
  Set(3, kSignal);
  Set(2, kSignal);
  Set(6, kSlowDownWarning);
  PlaceBrakingPoints(cells_, d_);
  EXPECT_EQ(Points(), (std::vector<std::size_t>{1}));  // in front of 3 (cell 2 is a signal)
}

TEST_F(PlacementTest, ZoneStartsGetPointsInTheWindowsThatFit) {
  const std::pair<std::size_t, std::vector<std::size_t>> cases[] = {
      {7, {}}, {8, {3}}, {14, {3, 9}}, {21, {3, 10, 16}}};
  for (const auto& [start, expected] : cases) {
    cells_.assign(200, TrackCell{});
    Zone(start, start + 2, 110);
    PlaceBrakingPoints(cells_, d_);
    EXPECT_EQ(Points(), expected) << "start " << start;
  }
}

TEST_F(PlacementTest, AWindowWithoutAFreeCellRecords12AndTheOthersStillGetTheirs) {
  Zone(50, 52, 120);
  Set(45, kSignal);
  Set(44, kBrakingPoint, 100);  // points count as taken here
  Set(43, kSpeedBoard);
  PlaceBrakingPoints(cells_, d_);
  EXPECT_EQ(d_.error_code(), 12);
  EXPECT_EQ(d_.error_position(), 2500);
  EXPECT_TRUE(PointAt(39));
  EXPECT_TRUE(PointAt(32));
}

TEST_F(PlacementTest, SlowZonesGetARepeatPointEvery8Cells) {
  Zone(40, 60, 105);  // 1000 m at 105 km/h
  Zone(100, 120, 110);
  PlaceBrakingPoints(cells_, d_);
  EXPECT_TRUE(PointAt(48));
  EXPECT_TRUE(PointAt(56));
  for (std::size_t c = 101; c < 120; ++c) EXPECT_FALSE(PointAt(c)) << c;
}

TEST_F(PlacementTest, ARepeatPointMovedAheadOrBackMovesTheNextOne) {
  Zone(40, 70, 60);
  Set(48, kSignal);
  Set(47, kSignal);  // 48 and 47 taken: to 49, the next one 8 cells on
  PlaceBrakingPoints(cells_, d_);
  EXPECT_TRUE(PointAt(49));
  EXPECT_TRUE(PointAt(57));

  cells_.assign(200, TrackCell{});
  Zone(40, 70, 60);
  Set(48, kSignal);  // to 47, the next one at 55
  PlaceBrakingPoints(cells_, d_);
  EXPECT_TRUE(PointAt(47));
  EXPECT_TRUE(PointAt(55));
}

TEST_F(PlacementTest, TheFirstSignalWithin12CellsAfterTheZoneGetsAPoint) {
  Zone(40, 44, 130);
  Set(56, kSignal);
  Set(60, kSignal);
  Zone(100, 104, 130);
  Set(117, kSignal);  // 13 cells on: too far
  PlaceBrakingPoints(cells_, d_);
  EXPECT_TRUE(PointAt(55));
  EXPECT_FALSE(PointAt(59));
  EXPECT_FALSE(PointAt(116));
  EXPECT_EQ(d_.error_code(), 0);
}

TEST_F(PlacementTest, AZoneWithoutAnEndRecords15AndThePassGoesOn) {
  Set(150, kSlowDownStart, 120);  // a later stop cell took its end
  Set(180, kSlowDownWarning);
  Set(175, kSignal);
  PlaceBrakingPoints(cells_, d_);
  EXPECT_EQ(d_.error_code(), 15);
  EXPECT_EQ(d_.error_position(), 150 * 50);
  EXPECT_TRUE(PointAt(174));
}

}  // namespace
}  // namespace tarvosa
