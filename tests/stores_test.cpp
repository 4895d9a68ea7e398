#include "compiler/internal/stores.h"
#include "compiler/references.h"
#include "compiler/stored_views.h"

#include <gtest/gtest.h>

namespace tarvosa {
namespace {

// Track cells for the stores, and what the stores record.
struct Track {
  explicit Track(std::size_t count = 4681) : cells(count) {}  // as this scenario's line gives
  std::int32_t error_code() const { return d.error_code(); }

  std::vector<TrackCell> cells;
  Diagnostics d;
  SpanTable spans;
};

const TrackCell& At(const Track& track, std::size_t index) {
  return track.cells.at(index);
}

void SetReferences(ScenarioHeader& h, std::array<std::int32_t, 3> starts,
                   std::array<std::int32_t, 3> ends = {}) {  // tre, due, uno
  for (std::size_t i = 0; i < 3; ++i) {
    h[kReferenceTre + i].start = starts[i];
    h[kReferenceTre + i].end = ends[i];
    h[kReferenceTre + i].position = static_cast<std::int32_t>(100 * (i + 1));
  }
}

std::array<std::int32_t, 3> PositionsIn81To83(const ScenarioHeader& h) {
  return {h[81].position, h[82].position, h[83].position};
}

TEST(ProgressiveOrdina, TheGreatestStartFirstThenByStartWithUnoBeforeDue) {
  ScenarioHeader s{};
  SetReferences(s, {3000, 1000, 1000});
  progressive_ordina(s);
  EXPECT_EQ(PositionsIn81To83(s), (std::array<std::int32_t, 3>{100, 300, 200}));  // tre, uno, due
}

TEST(ProgressiveOrdina, NoStrictlyGreatestStartClearsAllThree) {
  ScenarioHeader s{};
  SetReferences(s, {5000, 0, 5000});
  progressive_ordina(s);
  for (std::size_t e = 81; e <= 83; ++e) {
    EXPECT_EQ(s[e].start + s[e].end + s[e].position, 0);
  }
}

TEST(ProgressiveOrdina, ZeroStartsOrderByEndsAndPositionOneAdds100) {
  ScenarioHeader s{};
  SetReferences(s, {0, 0, 0}, {0, 7, 0});
  s[kReferenceDue].position = 1;
  progressive_ordina(s);
  EXPECT_EQ(PositionsIn81To83(s), (std::array<std::int32_t, 3>{1, 100, 300}));  // due, tre, uno
  EXPECT_EQ(s[81].end, 107);
}

TEST(MemoMontagna, MarkersInEveryFourthFreeCellAndType3CloseBehind) {
  Track s;
  s.cells.at(203).kind = kSignal;
  std::int32_t tipo = 12;
  memo_montagna(s.cells, s.spans, s.d, 9800, 10400, tipo);  // cells 196 to 207
  EXPECT_EQ(tipo, 2);
  EXPECT_EQ(At(s, 196).montagna_kind, 2);
  EXPECT_EQ(At(s, 207).montagna_kind, 2);
  EXPECT_EQ(At(s, 208).montagna_kind, 0);
  EXPECT_EQ(At(s, 199).kind, kTunnelMarker);
  EXPECT_EQ(At(s, 207).kind, kTunnelMarker);
  EXPECT_EQ(At(s, 200).kind, kFree);
  EXPECT_EQ(At(s, 203).kind, kSignal);  // a marker never replaces a feature

  std::int32_t close = 1;
  memo_montagna(s.cells, s.spans, s.d, 10550, 10600, close);  // 150 m after: type 3
  EXPECT_EQ(At(s, 211).montagna_kind, 3);
  std::int32_t far = 1;
  memo_montagna(s.cells, s.spans, s.d, 10751, 10800, far);  // 151 m after the previous end
  EXPECT_EQ(At(s, 215).montagna_kind, 1);
  EXPECT_EQ(s.error_code(), 0);
}

TEST(MemoMontagna, A50MetreSpanCoversOneCellAndThe81stSpanIsRefused) {
  Track s;
  std::int32_t tipo = 2;
  memo_montagna(s.cells, s.spans, s.d, 10950, 11000, tipo);
  EXPECT_EQ(At(s, 218).montagna_kind, 0);
  EXPECT_EQ(At(s, 219).montagna_kind, 2);
  EXPECT_EQ(At(s, 220).montagna_kind, 0);
  for (int n = 2; n <= 80; ++n)
    memo_montagna(s.cells, s.spans, s.d, 20000 + n * 1000, 20100 + n * 1000, tipo);
  EXPECT_EQ(s.error_code(), 0);
  memo_montagna(s.cells, s.spans, s.d, 200000, 200100, tipo);
  EXPECT_EQ(s.error_code(), 23);
}

TEST(MemoMontagna, ASpanRunningPastTheTrackRecords15) {
  Track s(100);
  std::int32_t tipo = 1;
  memo_montagna(s.cells, s.spans, s.d, 4800, 9000, tipo);
  EXPECT_EQ(s.error_code(), 15);
  EXPECT_EQ(At(s, 99).montagna_kind, 1);  // what lay inside stays written
}

TEST(MemoIndicatoriVMax, StoresSpeedsTimes20AndRounds) {
  Track s;
  memo_indicatori_v_max(s.cells, s.d, 1100, 105, 110, 125, 0, 0, 0, 0, 0);
  EXPECT_EQ(At(s, 23).kind, kSpeedBoard);
  const BoardCell first(At(s, 23));
  EXPECT_EQ(first.first_speeds, 2100);
  EXPECT_EQ(first.second_speeds, 2200);
  EXPECT_EQ(first.third_speeds, 2500);
  EXPECT_EQ(first.stripes, 0);
  memo_indicatori_v_max(s.cells, s.d, 2000, 100, 100, 100, 2, 12, 13, 0, 1);
  const BoardCell second(At(s, 41));
  EXPECT_EQ(second.first_speeds, 2002);   // R(2002.4)
  EXPECT_EQ(second.second_speeds, 2003);  // R(2002.6)
  EXPECT_EQ(second.stripes, 21);
}

TEST(MemoIndicatoriVMax, ReplacesAMarkerButNotAFeature) {
  Track s;
  s.cells.at(23).kind = kTunnelMarker;
  memo_indicatori_v_max(s.cells, s.d, 1100, 105, 110, 125, 0, 0, 0, 0, 0);
  EXPECT_EQ(At(s, 23).kind, kSpeedBoard);
  memo_indicatori_v_max(s.cells, s.d, 1120, 50, 50, 50, 0, 0, 0, 0, 0);
  EXPECT_EQ(s.error_code(), 21);
  EXPECT_EQ(BoardCell(At(s, 23)).first_speeds, 2100);
}

TEST(MemoSegnale, TheRoadOfOneSignal) {
  Track s;
  std::int32_t tempo = 0;
  memo_segnale(s.cells, s.d, 6200, 2, 4, 0, 0, 0, 0, 0, 0, 0, tempo);
  EXPECT_EQ(At(s, 125).kind, kSignal);
  const SignalCell signal(At(s, 125));
  EXPECT_EQ(signal.s1_d1, 40);
  EXPECT_EQ(signal.s2_d2, 0);
  EXPECT_EQ(signal.s3_d3, 0);
  EXPECT_EQ(signal.rapp_sx_dx, 6);
  EXPECT_EQ(signal.time, 0);
  EXPECT_EQ(At(s, 123).approach_code, 61);
  EXPECT_EQ(At(s, 121).approach_code, 62);
  EXPECT_EQ(At(s, 119).approach_code, 63);
  EXPECT_EQ(At(s, 117).approach_code, 64);
  EXPECT_EQ(At(s, 122).approach_code, 0);
}

TEST(MemoSegnale, ShortTimesBecome101AndOnlySx2KeepsATime) {
  Track s;
  std::int32_t tempo = 50;
  memo_segnale(s.cells, s.d, 1050, 2, 4, 1, 1, 0, 2, 2, 1, 1, tempo);
  EXPECT_EQ(tempo, 101);
  EXPECT_EQ(SignalCell(At(s, 22)).time, 101);
  EXPECT_EQ(SignalCell(At(s, 22)).rapp_sx_dx, 8);
  std::int32_t long_time = 245;
  memo_segnale(s.cells, s.d, 3000, 1, 4, 0, 0, 0, 0, 0, 0, 0, long_time);
  EXPECT_EQ(At(s, 61).signal_time, 0);
  EXPECT_EQ(At(s, 59).approach_code, 31);
}

TEST(MemoSegnale, TimesFrom1To100AreRaisedTo101) {
  for (const auto& [written, stored] :
       {std::pair{0, 0}, {1, 101}, {100, 101}, {101, 101}, {102, 102}, {255, 255}, {256, 0}}) {
    Track s;
    std::int32_t tempo = written;
    memo_segnale(s.cells, s.d, 6200, 2, 4, 0, 0, 0, 0, 0, 0, 0, tempo);
    EXPECT_EQ(SignalCell(At(s, 125)).time, stored) << written;
  }
}

TEST(MemoSegnale, AnOccupiedCellIsRefusedAndApproachCodesBeforeTheTrackRecord15) {
  Track s;
  std::int32_t tempo = 0;
  memo_segnale(s.cells, s.d, 6200, 2, 4, 0, 0, 0, 0, 0, 0, 0, tempo);
  memo_segnale(s.cells, s.d, 6210, 2, 4, 0, 0, 0, 0, 0, 0, 0, tempo);
  EXPECT_EQ(s.error_code(), 16);
  s.d = Diagnostics();
  memo_segnale(s.cells, s.d, 200, 2, 4, 0, 0, 0, 0, 0, 0, 0, tempo);  // cell 5: codes reach cell -3
  EXPECT_EQ(s.error_code(), 15);
  EXPECT_EQ(At(s, 5).kind, kSignal);
  EXPECT_EQ(At(s, 1).approach_code, 62);
}

TEST(MemoRallentamento, WarningStartEndAndFourApproachMarkers) {
  Track s;
  memo_rallentamento(s.cells, s.d, 201100, 15, 100, 0, 1, 0);
  EXPECT_EQ(s.error_code(), 0);
  EXPECT_EQ(At(s, 3999).kind, kSlowDownWarning);
  EXPECT_EQ(SlowDownCell(At(s, 3999)).speed, 15);
  EXPECT_EQ(At(s, 4023).kind, kSlowDownStart);
  EXPECT_EQ(At(s, 4025).kind, kSlowDownEnd);
  EXPECT_EQ(SlowDownCell(At(s, 4025)).speed, 15);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(At(s, 3998 - i).kind, kSlowDownApproach);
    const ApproachMarkerCell marker(At(s, 3998 - i));
    EXPECT_EQ(marker.number, i + 1);
    EXPECT_EQ(marker.d_v_number, 0);
  }
}

TEST(MemoRallentamento, At1500ThereIsNoWarningBoard) {
  Track s;
  memo_rallentamento(s.cells, s.d, 1500, 30, 200, 1, 1, 5);
  EXPECT_EQ(At(s, 31).kind, kSlowDownStart);
  EXPECT_EQ(SlowDownCell(At(s, 31)).d_v, 5);
  EXPECT_EQ(SlowDownCell(At(s, 31)).f_tt, 1);
  EXPECT_EQ(At(s, 35).kind, kSlowDownEnd);
  for (std::size_t c = 0; c < 31; ++c) EXPECT_EQ(At(s, c).kind, kFree) << c;
}

TEST(MemoRallentamento, RefusalsComeBeforeAnyWrite) {
  const std::pair<std::size_t, std::int32_t> blocked[] = {
      {3999, 17}, {4023, 18}, {4025, 19}, {3996, 20}};
  for (const auto& [cell, code] : blocked) {
    Track s;
    s.cells.at(cell).kind = kSpeedBoard;
    memo_rallentamento(s.cells, s.d, 201100, 15, 100, 0, 1, 0);
    EXPECT_EQ(s.error_code(), code);
    if (code != 20) {
      EXPECT_EQ(At(s, 4023).kind, cell == 4023 ? kSpeedBoard : kFree);
    }
  }
  Track s(4024);  // the end cell lies past the track
  memo_rallentamento(s.cells, s.d, 201100, 15, 100, 0, 1, 0);
  EXPECT_EQ(s.error_code(), 15);
  EXPECT_EQ(At(s, 3999).kind, kFree);
}

}  // namespace
}  // namespace tarvosa
