#include "compiler/compiled_files.h"
#include "compiler/memorizza_percorso.h"

#include <gtest/gtest.h>

#include "compiler/stored_views.h"

#include "test_support.h"

namespace tarvosa {
namespace {

TEST(TrackCellsFile, FifteenBytesACellMemberAfterMember) {
  std::vector<TrackCell> cells(3);
  cells[1] = {kSignal, 5121, -2, 3, 4, 5, 6, 7, 8, 9, 10};
  const std::string bytes = EncodeTrackCells(cells);
  ASSERT_EQ(bytes.size(), 45u);
  EXPECT_EQ(bytes.substr(15, 15),
            std::string("\x01\x01\x14\xFE\xFF\x03\x00\x04\x00\x05\x06\x07\x08\x09\x0A", 15));
  EXPECT_EQ(bytes.substr(0, 15), std::string(15, '\0'));
}

TEST(TrackCellsFile, ThisScenariosTrackIs70215Bytes) {
  EXPECT_EQ(EncodeTrackCells(std::vector<TrackCell>(4681)).size(), 70215u);
}

TEST(ScenarioTableFile, AnEntryIs34BytesPlusItsName) {
  ScenarioHeader header{};
  EXPECT_EQ(EncodeScenarioHeader(header).size(), 87u * 34u);  // an empty name is its length
  header[1].name = "Sessa";
  EXPECT_EQ(EncodeScenarioHeader(header).size(), 87u * 34u + 5u);  // that entry is 39 bytes
}

TEST(ScenarioTableFile, MembersStandInTheirOrder) {
  ScenarioHeader header{};
  ScenarioEntry& e = header[0];
  e = {1, 2, 3, 4, 5, "ab", 6, 7, 8, 9, 10, 11, 12, 13, 14, 0x01020304};
  const std::string bytes = EncodeScenarioHeader(header).substr(0, 36);  // 34 + "ab"
  EXPECT_EQ(bytes, std::string("\x01"
                               "\x02\0\0\0"
                               "\x03\0\0\0"
                               "\x04\0\0\0"
                               "\x05"
                               "\x02\0ab"
                               "\x06\0\x07\0\x08\0\x09\0\x0A\0"
                               "\x0B\x0C\x0D\x0E"
                               "\x04\x03\x02\x01",
                               36));
}

TEST(ScenarioTableFile, TheRouteMarkerIsWrittenAs6202) {
  ScenarioHeader header{};
  RouteEntry(header[kRouteEntry]).marker = 610;
  const std::string bytes = EncodeScenarioHeader(header);
  EXPECT_EQ(bytes.substr(85 * 34 + 16, 2), "\x62\x02");
}

TEST(PlanFile, IntegerOriginRealRowsAndTwoEmptyRowsPerColumn) {
  LineData plan;
  plan.last_row = 5;  // rows 0 to 5; rows 2 and 3 computed
  plan.origin_set = true;
  plan.x = {0.5, 1.0};
  plan.y = {2.0, 3.0};
  const std::string bytes = EncodeLineData(plan);
  const std::size_t column = 4 + 4 + 10 * (5 - 3) + 2 + 2;
  ASSERT_EQ(bytes.size(), 2 * column);
  const std::string second = bytes.substr(column);
  EXPECT_EQ(second.substr(0, 8), std::string("\x02\0\0\0\x02\0\x01\0", 8));
  EXPECT_EQ(second.substr(8, 10), std::string("\x05\0\0\0\0\0\0\0\0\x40", 10));  // 2.0
  EXPECT_EQ(second.substr(column - 4), std::string("\0\0\0\0", 4));
}

TEST(PlanFile, ThisScenariosPlanIs4679964Bytes) {
  LineData plan;
  plan.last_row = 234000;
  plan.origin_set = true;
  plan.x.assign(234000 - 3, 0.0);
  plan.y.assign(234000 - 3, 0.0);
  EXPECT_EQ(EncodeLineData(plan).size(), 4679964u);
}

TEST(PlanFile, APlanWithoutItsOriginIsAllEmpty) {
  LineData plan;
  plan.last_row = 3;
  EXPECT_EQ(EncodeLineData(plan), std::string(16, '\0'));
}

TEST(ReadingBack, EveryFileDecodesToWhatWasEncoded) {
  std::vector<TrackCell> cells(5);
  cells[2] = {kSignal, -1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  EXPECT_EQ(DecodeTrackCells(EncodeTrackCells(cells)), cells);

  ScenarioHeader header{};
  header[1] = {10, -500, 500, 0, 1, "Roma Termini", 4, 1, 2, 1, 1, 0, 1, 0, 0, 34970};
  header[80].name = "(Cippo )(  Km  )(11+000)";
  EXPECT_EQ(DecodeScenarioHeader(EncodeScenarioHeader(header)), header);

  LineData plan;
  plan.last_row = 5;
  plan.origin_set = true;
  plan.x = {0.5, -1.25};
  plan.y = {2.0, 3.0};
  const auto decoded = DecodeLineData(EncodeLineData(plan));
  ASSERT_TRUE(decoded.has_value());
  ASSERT_EQ(decoded->second.size(), 6u);
  EXPECT_EQ(decoded->second[1].tag, 2);
  EXPECT_EQ(decoded->second[1].value, 1.0);
  EXPECT_EQ(decoded->first[3].value, -1.25);
  EXPECT_EQ(decoded->second[5].tag, 0);
}

TEST(ReadingBack, BytesOfAnotherLayoutAreRefused) {
  const std::string table = EncodeScenarioHeader(ScenarioHeader{});
  EXPECT_FALSE(DecodeScenarioHeader(table.substr(1)));
  EXPECT_FALSE(DecodeScenarioHeader(table + "x"));
  EXPECT_FALSE(DecodeTrackCells(std::string(16, '\0')));
  EXPECT_FALSE(DecodeTrackCells(""));
  EXPECT_FALSE(DecodeLineData(std::string("\x07\0\0\0", 4)));    // no such tag
  EXPECT_FALSE(DecodeLineData(std::string("\0\0\0\0\0\0", 6)));  // three elements
  EXPECT_FALSE(DecodeLineData(std::string("\x05\0\0\0", 4)));    // a real cut short
}

class CompiledFilesTest : public ::testing::Test {
 protected:
  CompiledFilesTest() {
    files_.plan = (dir_.path() / "Tarvosa_linea.dat").string();
    files_.table = (dir_.path() / "Tarvosa_Corvale.sim").string();
    files_.track = (dir_.path() / "Tarvosa_Corvale.dat").string();
    scenario_.cells.resize(4);
    scenario_.plan.emplace().last_row = 3;
  }
  testing::ScratchDirectory dir_;
  ScenarioFiles files_;
  CompiledScenario scenario_;
};

TEST_F(CompiledFilesTest, WritesTheThreeFilesWholeOverEarlierOnes) {
  testing::WriteFile(files_.track, std::string(1000, 'x'));
  ASSERT_TRUE(WriteCompiledFiles(DefaultOs(), scenario_, files_).ok());
  EXPECT_EQ(testing::ListDirectory(dir_.path()),
            (std::vector<std::string>{"Tarvosa_Corvale.dat", "Tarvosa_Corvale.sim",
                                      "Tarvosa_linea.dat"}));
  EXPECT_EQ(testing::ReadFile(files_.track).size(), 60u);
  EXPECT_EQ(testing::ReadFile(files_.table).size(), 87u * 34u);
  EXPECT_EQ(testing::ReadFile(files_.plan).size(), 16u);
}

TEST_F(CompiledFilesTest, WithoutAPlanThePlanFileIsNotTouched) {
  scenario_.plan.reset();
  testing::WriteFile(files_.plan, "earlier");
  ASSERT_TRUE(WriteCompiledFiles(DefaultOs(), scenario_, files_).ok());
  EXPECT_EQ(testing::ReadFile(files_.plan), "earlier");
  EXPECT_EQ(testing::ReadFile(files_.track).size(), 60u);
}

TEST_F(CompiledFilesTest, TheFirstFailureStopsTheWriting) {
  std::filesystem::create_directory(files_.table);
  const Status status = WriteCompiledFiles(DefaultOs(), scenario_, files_);
  EXPECT_EQ(status.kind(), ExitStatus::kFileSystem);
  EXPECT_FALSE(std::filesystem::exists(files_.track));
}

}  // namespace
}  // namespace tarvosa
