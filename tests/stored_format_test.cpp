// The stored format's rules on the cases the data rules work through, and
// at the edges where a value is rounded, wrapped or taken apart again.
#include "compiler/stored_format.h"

#include <gtest/gtest.h>

namespace tarvosa {
namespace {

TEST(StoredFormat, CellsAndProgressives) {
  EXPECT_EQ(ProfileCellOf(1125), 22);  // 22.5: to the even neighbour
  EXPECT_EQ(ProfileCellOf(1175), 24);  // 23.5
  EXPECT_EQ(FeatureProgressive(125), 6200);
  EXPECT_EQ(ProfileProgressive(125), 6250);
  EXPECT_EQ(LastCellFor(227000), 4680);
  EXPECT_EQ(PlanLastRowFor(227000), 234000);
  EXPECT_EQ(LastCellFor(10025), 340);  // 340.5
}

TEST(StoredFormat, ProfilesInOneByte) {
  EXPECT_EQ(LineSpeedStep(92), 18);
  EXPECT_EQ(LineSpeedStep(1277), 255);
  EXPECT_EQ(LineSpeedStep(1278), 256);  // past the byte: the reader refuses it
  EXPECT_EQ(LineSpeedKmh(25), 125);
  EXPECT_EQ(StoredGradient(-100), 0);
  EXPECT_EQ(StoredGradient(155), 255);
  EXPECT_EQ(GradientPerMille(StoredGradient(200)), -56);
  EXPECT_EQ(GradientPerMille(StoredGradient(-3)), -3);
}

TEST(StoredFormat, BoardsKeepEachPairInOneValue) {
  EXPECT_EQ(BoardSpeedValue(105, 0), 2100);
  EXPECT_EQ(BoardSpeedValue(100, 12), 2002);  // 2002.4
  EXPECT_EQ(BoardSpeedValue(100, 13), 2003);  // 2002.6
  EXPECT_EQ(BoardSpeedValue(100, 15), 2003);  // exact
  EXPECT_EQ(BoardSpeedsOf(2003), (FieldPair{100, 15}));
  EXPECT_EQ(BoardSpeedsOf(-25534), (FieldPair{-1277, 30}));  // a pair that wrapped
  EXPECT_EQ(BoardStripesValue(2, 1), 21);
  EXPECT_EQ(BoardStripesOf(21), (FieldPair{2, 1}));
  EXPECT_EQ(BoardStripesOf(-1), (FieldPair{-1, 9}));
}

TEST(StoredFormat, SignalsKeepPairsACodeAndATime) {
  EXPECT_EQ(SignalPairValue(4, 0), 40);
  EXPECT_EQ(SignalPairOf(-7), (FieldPair{-1, 3}));
  EXPECT_EQ(SignalCodeValue(0, 2, 0), 6);
  EXPECT_EQ(SignalCodeValue(3, 1, 2), 35);
  for (std::int64_t k = 1; k <= kApproachCodes; ++k) {
    EXPECT_EQ(SignalApproachCell(125, k), 125 - 2 * k);
    EXPECT_EQ(SignalApproachCode(SignalApproach(2, 0), k), 60 + k);
  }
  EXPECT_EQ(SignalApproachCode(30, 1), 301 % 256);
  EXPECT_EQ(StoredSignalTime(2, 50), kRaisedSignalTime);
  EXPECT_EQ(StoredSignalTime(2, 100), kRaisedSignalTime);
  EXPECT_EQ(StoredSignalTime(2, 0), 0);
  EXPECT_EQ(StoredSignalTime(2, 245), 245);
  EXPECT_EQ(StoredSignalTime(1, 245), 0);
  EXPECT_EQ(StoredSignalTime(3, 50), 0);
}

TEST(StoredFormat, StationStretchesStopCellsAndCodes) {
  EXPECT_EQ(StretchOf(8, 0, 500, false), (StationStretch{-500, 500}));
  EXPECT_EQ(StretchOf(24, 61000, 500, false), (StationStretch{60750, 61250}));
  EXPECT_EQ(StretchOf(24, 61000, 500, true), (StationStretch{60750, 61300}));
  EXPECT_EQ(StretchOf(5, 4000, 300, true), (StationStretch{3700, 4150}));
  EXPECT_EQ(StretchOf(6, 4000, 300, false), (StationStretch{3700, 4150}));
  EXPECT_EQ(StretchOf(7, 4000, 300, true), (StationStretch{3700, 4300}));
  EXPECT_EQ(StretchOf(9, 4000, 300, false), (StationStretch{3850, 4150}));
  EXPECT_TRUE(StretchEndComesFirst(5) && StretchEndComesFirst(6));
  EXPECT_FALSE(StretchEndComesFirst(4) || StretchEndComesFirst(7));
  EXPECT_FALSE(StretchClearsExtension(4) || StretchClearsExtension(9));
  EXPECT_TRUE(StretchClearsExtension(5) && StretchClearsExtension(8));

  EXPECT_EQ(StopCellOf(500), 9);
  EXPECT_EQ(StopCellOf(61250), 1224);
  EXPECT_EQ(StopCellOf(525), 10);  // 9.5
  for (std::int64_t k = 1; k <= kApproachCodes; ++k) {
    EXPECT_EQ(StationApproachCell(500, k), 9 - k);
    EXPECT_EQ(StationApproachCode(k), 80 + k);
  }
  EXPECT_EQ(StationApproachCell(525, 1), 8);  // 8.5
  EXPECT_EQ(StationApproachCell(575, 4), 6);  // 6.5
  EXPECT_TRUE(HasStopCell(24) && HasStationApproachCodes(24) && HasStationApproachCodes(7));
  EXPECT_FALSE(HasStopCell(25) || HasStationApproachCodes(25));
  EXPECT_TRUE(HasStopCell(5) && HasStopCell(6));
  EXPECT_FALSE(HasStationApproachCodes(5) || HasStationApproachCodes(6));
}

TEST(StoredFormat, TunnelSpans) {
  EXPECT_EQ(SpanTypeOf(12).type, 2);
  EXPECT_TRUE(SpanTypeOf(12).markers);
  EXPECT_EQ(SpanTypeOf(10).type, 10);
  EXPECT_FALSE(SpanTypeOf(10).markers);
  EXPECT_EQ(WrittenSpanType(2, true), 12);
  EXPECT_EQ(WrittenSpanType(2, false), 2);
  EXPECT_TRUE(SpanFollowsClosely(10550, 10400));   // 150 m after
  EXPECT_FALSE(SpanFollowsClosely(10551, 10400));  // 151 m
  EXPECT_EQ(SpanFirstCell(10950), 219);
  EXPECT_EQ(SpanLastCell(11000), 219);
  EXPECT_EQ(SpanFirstCell(9800), 196);
  EXPECT_TRUE(IsSpanMarkerCell(196, 199));
  EXPECT_TRUE(IsSpanMarkerCell(196, 203));
  EXPECT_FALSE(IsSpanMarkerCell(196, 196) || IsSpanMarkerCell(196, 200));
}

TEST(StoredFormat, SlowDownsWarnedBeyond1500Metres) {
  EXPECT_FALSE(HasWarningBoard(1500));
  EXPECT_TRUE(HasWarningBoard(1501));
  EXPECT_EQ(WarningBoardCell(201100), 3999);
  EXPECT_EQ(WarningBoardCell(1525), 8);  // 8.5
  for (std::int64_t number = 1; number <= 4; ++number) {
    EXPECT_EQ(SlowDownMarkerCell(201100, number), 3999 - number);
  }
}

}  // namespace
}  // namespace tarvosa
