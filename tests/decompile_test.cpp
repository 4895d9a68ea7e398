// The decompiler: texts that compile to the same bytes as the files they
// come from, and warnings wherever they cannot.
#include <iostream>

#include <gtest/gtest.h>

#include "compile_support.h"
#include "large_scenario.h"
#include "round_trip.h"
#include "scenario/line_table.h"
#include "scenario/skeleton_table.h"
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
  ASSERT_TRUE(trip.refusal.ok()) << trip.refusal.message();
  EXPECT_EQ(testing::WarningsText(trip.decompiled), "");
  EXPECT_TRUE(trip.second.track == files.track);
  EXPECT_TRUE(trip.second.table == files.table);
  EXPECT_TRUE(trip.second.plan == files.plan);
}

TEST(Decompile, TheNewSkeletonComesBackToTheSameBytes) {
  const auto files = Compiled(CrLf(scenario::kSkeletonLine), CrLf(scenario::kSkeletonTrain));
  const auto trip = testing::DecompileAndCompile(files);
  EXPECT_EQ(testing::WarningsText(trip.decompiled), "");
  EXPECT_TRUE(trip.second == trip.first);
  // Its own braking point of 80 is kept; those the compiler places are not.
  EXPECT_NE(trip.decompiled.train_text.find("abbattimento,  3000,  80\r\n"), std::string::npos);
  EXPECT_EQ(trip.decompiled.train_text.find("180"), std::string::npos);
}

// Its generator puts a few features where a station's stop cell then goes:
// written back as speed-indicator boards there, the same bytes, and said.
TEST(Decompile, AThousandKilometresComeBackToTheSameBytes) {
  const LargeScenario large = MakeLargeScenario(1000000);
  const auto trip = testing::DecompileAndCompile(Compiled(large.line, large.train));
  EXPECT_EQ(trip.decompiled.warnings.size(), 8u);
  for (const DecompileWarning& w : trip.decompiled.warnings) {
    EXPECT_NE(w.text.find(": the station's stop cell keeps values of a feature it replaced"),
              std::string::npos)
        << w.text;
  }
  EXPECT_TRUE(trip.second.track == trip.first.track);
  EXPECT_TRUE(trip.second.table == trip.first.table);
  EXPECT_TRUE(trip.second.plan == trip.first.plan);
}

// Braking points of the author's with the compiler's value, 180: one where
// the compiler places none of its own, and one in the cell 250 m before a
// slow zone (cell 81), where the compiler would put its own and so puts it
// in the cell before.
TEST(Decompile, APointOfTheCompilersValueIsKeptWhereTheCompilerWouldNotPlaceIt) {
  const std::string line = CrLf(std::vector<std::string>{"[generale]", "lunghezza percorso, 6000",
                                                         "[pendenze]", "pendenza, 0, 0", "[fine]"});
  const std::string train = CrLf(
      std::vector<std::string>{"[generale]", "numero vetture, 5", "orologio, 8 0 0",
                               "velocita, 0, 100", "rallentamento, 4000, 30, 200, 0, 1, 0",
                               "abbattimento, 1000, 180", "abbattimento, 3800, 180", "[fine]"});
  const auto trip = testing::DecompileAndCompile(Compiled(line, train));
  EXPECT_EQ(testing::WarningsText(trip.decompiled), "");
  EXPECT_TRUE(trip.second == trip.first);
  const std::string& texts = trip.decompiled.train_text;
  EXPECT_NE(texts.find("abbattimento,  1000,  180"), std::string::npos);
  // Which of cells 75 and 76 was the author's cannot be told: the texts give
  // the compiler cell 76 and the author cell 75, the same bytes.
  EXPECT_EQ(texts.find("abbattimento,  3800"), std::string::npos);
  EXPECT_NE(texts.find("abbattimento,  3750,  180"), std::string::npos);
}

TEST(Decompile, ATrackOfAnotherScenarioIsRefused) {
  const auto files = Compiled(CrLf(scenario::kSkeletonLine), CrLf(scenario::kSkeletonTrain));
  const Compilation other = testing::CompileWithTitles(
      CrLf(scenario::kSkeletonLine), CrLf(scenario::kSkeletonTrain), "Altro", "Corvale");
  const Result<Decompilation> d = Decompile({.track = EncodeTrackCells(other.scenario.cells),
                                             .table = files.table,
                                             .plan = std::nullopt,
                                             .track_name = "R_T.dat"});
  ASSERT_FALSE(d.ok());
  EXPECT_EQ(d.status().kind(), ExitStatus::kDataError);
  EXPECT_EQ(d.status().message().rfind("R_T.dat: the check code in cell 1, ", 0), 0u)
      << d.status().message();
}

TEST(Decompile, ATableWhoseCodeIsNotItsTitlesIsRefused) {
  const auto files = Compiled(CrLf(scenario::kSkeletonLine), CrLf(scenario::kSkeletonTrain));
  ScenarioHeader header = *DecodeScenarioHeader(files.table);
  header[kRouteEntry].name = "Altro";
  const Result<Decompilation> d = Decompile({.track = files.track,
                                             .table = EncodeScenarioHeader(header),
                                             .plan = std::nullopt,
                                             .table_name = "R_T.sim"});
  ASSERT_FALSE(d.ok());
  EXPECT_EQ(d.status().message().rfind("R_T.sim: its check code ", 0), 0u) << d.status().message();
  EXPECT_NE(d.status().message().find("is not the one of its titles 'Altro' and 'Corvale'"),
            std::string::npos)
      << d.status().message();
}

// What the cells cannot give back is said, with the cell.
TEST(Decompile, ASignalTimeThatCannotBeWrittenIsWrittenAsOneThatWrapsToItAndSaidSo) {
  const std::string line =
      CrLf(std::vector<std::string>{"[generale]", "lunghezza percorso, 6000", "[curve]", "[fine]"});
  const std::string train =
      CrLf(std::vector<std::string>{"[generale]", "numero vetture, 5", "orologio, 8 0 0",
                                    "segnale, 2000, 2, 4, 0, 0, 0, 0, 0, 0, 0, 300", "[fine]"});
  const auto trip = testing::DecompileAndCompile(Compiled(line, train));
  EXPECT_TRUE(trip.second == trip.first);
  EXPECT_EQ(testing::WarningsText(trip.decompiled),
            "cell 41 (2000 m): a signal time of 44 cannot be written, as times 1 to 100 become "
            "101: written as 300, which wraps to it\n");
}

// Tracks with bytes changed at random, the marker and check code kept:
// whatever the cells hold, the decompiler neither fails nor differs
// silently.
TEST(Decompile, ChangedCellsNeverGoUnsaid) {
  const auto files = Compiled(CrLf(scenario::kSkeletonLine), CrLf(scenario::kSkeletonTrain));
  std::uint64_t state = 88172645463325252u;
  int differing = 0;
  for (int round = 0; round < 200; ++round) {
    std::string track = files.track;
    for (int change = 0; change < 1 + round % 6; ++change) {
      state ^= state << 13, state ^= state >> 7, state ^= state << 17;
      const std::size_t at = 30 + state % (track.size() - 30);  // past cells 0 and 1
      track[at] = static_cast<char>(state >> 32);
    }
    const auto trip = testing::DecompileAndCompile({track, files.table, files.plan});
    ASSERT_TRUE(trip.refusal.ok()) << trip.refusal.message();
    const bool same = trip.second == trip.first;
    differing += !same;
    EXPECT_TRUE(same || !trip.decompiled.warnings.empty()) << "round " << round;
  }
  EXPECT_GT(differing, 0);  // the changes do reach what the texts cannot say
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
    ASSERT_TRUE(trip.refusal.ok()) << seed << ": " << trip.refusal.message();
    const bool identical = trip.second == trip.first;
    same += identical;
    warned += !trip.decompiled.warnings.empty();
    EXPECT_TRUE(identical || !trip.decompiled.warnings.empty())
        << "seed " << seed << " differs silently\n"
        << s.line << s.train << trip.decompiled.line_text << trip.decompiled.train_text;
  }
  std::cout << cases << " generated scenarios, " << warned << " with a warning, " << same
            << " the same bytes\n";
  EXPECT_EQ(cases, kCases);
  // What the bytes cannot tell is rare among scenarios written the usual way.
  EXPECT_LE(warned, kCases / 20);
}

}  // namespace
}  // namespace tarvosa
