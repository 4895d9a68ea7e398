// The whole compilation, from the two text files to the three compiled files.
#include "compiler/memorizza_percorso.h"

#include <gtest/gtest.h>

#include "compiler/stored_views.h"

#include "compiler/compiled_files.h"
#include "fake_os.h"
#include "scenario/line_table.h"
#include "scenario/train_table.h"
#include "test_support.h"

namespace tarvosa {
namespace {

namespace fs = std::filesystem;

template <typename Lines>
std::string CrLf(const Lines& lines) {
  std::string bytes;
  for (const auto& line : lines) bytes += std::string(line) + "\r\n";
  return bytes;
}

// The byte offset of entry `index` in a scenario table file.
std::size_t EntryOffset(const std::string& table, std::size_t index) {
  std::size_t offset = 0;
  for (std::size_t e = 0; e < index; ++e) {
    const auto length = static_cast<unsigned char>(table[offset + 14]) +
                        256 * static_cast<unsigned char>(table[offset + 15]);
    offset += 34 + length;
  }
  return offset;
}

class CompileTest : public ::testing::Test {
 protected:
  CompileTest() {
    files_.line_definition = Name("Tarvosa_linea.txt");
    files_.train_data = Name("Tarvosa_Corvale-.txt");
    files_.plan = Name("Tarvosa_linea.dat");
    files_.table = Name("Tarvosa_Corvale.sim");
    files_.track = Name("Tarvosa_Corvale.dat");
  }
  std::string Name(const std::string& file) const { return (dir_.path() / file).string(); }
  Status Compile(const std::string& line, const std::string& train, std::int32_t j = 1) {
    testing::WriteFile(files_.line_definition, line);
    testing::WriteFile(files_.train_data, train);
    return memorizza_percorso(DefaultOs(), files_, "Tarvosa", "Corvale", j);
  }
  Status CompileScenario(std::int32_t j = 1) {
    return Compile(CrLf(scenario::kLineDefinition), CrLf(scenario::kTrainData), j);
  }
  std::vector<std::string> Files() const { return testing::ListDirectory(dir_.path()); }
  ScenarioHeader Table() const {
    return DecodeScenarioHeader(testing::ReadFile(files_.table)).value_or(ScenarioHeader{});
  }
  std::vector<TrackCell> Cells() const {
    return DecodeTrackCells(testing::ReadFile(files_.track)).value_or(std::vector<TrackCell>{});
  }

  testing::ScratchDirectory dir_;
  ScenarioFiles files_;
};

TEST_F(CompileTest, ThisScenarioCompilesToItsThreeFiles) {
  ASSERT_TRUE(CompileScenario().ok());
  EXPECT_EQ(Files(), (std::vector<std::string>{"Tarvosa_Corvale.dat", "Tarvosa_Corvale.sim",
                                               "Tarvosa_linea.dat"}));
  EXPECT_EQ(fs::file_size(files_.plan), 4679964u);

  const std::string track = testing::ReadFile(files_.track);
  ASSERT_EQ(track.size(), 70215u);
  EXPECT_EQ(track.substr(16, 2), "\x01\x14");  // the marker 5121
  EXPECT_EQ(track.substr(18, 2), "\x30\x0A");  // codice_gara_og of Corvale and Tarvosa: 2608
  // The signal at 6200: cell 125, kind 1, values 40, 0, 0, 6, time 0.
  EXPECT_EQ(track.substr(1875, 10), std::string("\x01\x28\0\0\0\0\0\x06\0\0", 10));

  const std::string table = testing::ReadFile(files_.table);
  const std::size_t route = EntryOffset(table, 85);
  EXPECT_EQ(table.substr(route + 16 + 7, 2), "\x62\x02");  // after "Tarvosa": the marker 610
  EXPECT_EQ(Table()[kRouteEntry].time, 33294);
  EXPECT_EQ(Table()[31].name, "Napoli Piazza Garibaldi");
  EXPECT_EQ(table.size(), EntryOffset(table, 87));
}

TEST_F(CompileTest, TheSlowDownGetsItsBrakingPoints) {
  ASSERT_TRUE(CompileScenario().ok());
  const std::vector<TrackCell> cells = Cells();
  for (std::size_t c : {3981, 4005, 4012, 4018}) {  // see ROUTE.md, the slow-down
    EXPECT_EQ(cells.at(c).kind, kBrakingPoint) << c;
    EXPECT_EQ(BrakingPointCell(cells.at(c)).speed, 180) << c;
  }
}

TEST_F(CompileTest, WithoutThePlanFlagThereIsNoPlanFile) {
  ASSERT_TRUE(CompileScenario(0).ok());
  EXPECT_EQ(Files(), (std::vector<std::string>{"Tarvosa_Corvale.dat", "Tarvosa_Corvale.sim"}));
}

TEST_F(CompileTest, ADataErrorIsToldWithItsFileAndLineOnceTheFilesAreWritten) {
  const std::string line =
      "[generale]\r\nlunghezza percorso, 10000\r\n[indicazioni]\r\n"
      "cartello_indicatore, 500, (A)\r\ncartello_indicatore, 510, (B)\r\n"
      "[fine]\r\n";
  const Status status = Compile(line, "[generale]\r\n[fine]\r\n");
  EXPECT_EQ(status.kind(), ExitStatus::kDataError);
  EXPECT_EQ(status.message(), files_.line_definition +
                                  ":5:22: error 6 at 510 m: a text board's cell already holds "
                                  "another feature: cell 11 (500 m), where the board goes, already "
                                  "holds a text board, placed by " +
                                  files_.line_definition + ":4:22");
  EXPECT_EQ(Files(), (std::vector<std::string>{"Tarvosa_Corvale.dat", "Tarvosa_Corvale.sim",
                                               "Tarvosa_linea.dat"}));
}

TEST_F(CompileTest, BothTextFilesAreDeletedOnEveryWayOut) {
  const std::string no_general = "[curve]\r\n[fine]\r\n";
  const std::string refused =
      "[generale]\r\nlunghezza percorso, 10000\r\n[curve]\r\ncurva7, 100, 50\r\n[fine]\r\n";
  for (const std::string& line : {no_general, refused, std::string()}) {
    EXPECT_EQ(Compile(line, "[generale]\r\n[fine]\r\n").kind(), ExitStatus::kDataError);
    EXPECT_FALSE(fs::exists(files_.line_definition));
    EXPECT_FALSE(fs::exists(files_.train_data));
  }
  EXPECT_TRUE(CompileScenario().ok());
  EXPECT_FALSE(fs::exists(files_.line_definition));
  EXPECT_FALSE(fs::exists(files_.train_data));
}

TEST(CompileOnFakeOs, ATextFileThatCannotBeDeletedDoesNotKeepTheOther) {
  testing::FakeOs os;
  const ScenarioFiles files{.line_definition = "/d/linea.txt",
                            .train_data = "/d/treno.txt",
                            .plan = "/d/linea.dat",
                            .table = "/d/treno.sim",
                            .track = "/d/treno.dat"};
  os.AddFile(files.line_definition, "[generale]\r\n");
  os.AddFile(files.train_data, "[generale]\r\n");
  os.Fail({.call = testing::Call::kUnlink, .path_part = "linea.txt"});
  const Status status = memorizza_percorso(os, files, "Tarvosa", "Corvale", 1);
  EXPECT_EQ(status.kind(), ExitStatus::kFileSystem);
  EXPECT_EQ(status.message(), "/d/linea.txt: cannot delete the file: Input/output error");
  EXPECT_EQ(os.Names("/d"), std::vector<std::string>{"linea.txt"});
}

TEST_F(CompileTest, MissingFilesAreDataErrorsThatNameTheFile) {
  const Status no_line = memorizza_percorso(DefaultOs(), files_, "Tarvosa", "Corvale", 1);
  EXPECT_EQ(no_line.message(),
            files_.line_definition + ": error 101: the line definition file does not exist");
  testing::WriteFile(files_.line_definition,
                     "[generale]\r\nlunghezza percorso, 10000\r\n[fine]\r\n");
  const Status no_train = memorizza_percorso(DefaultOs(), files_, "Tarvosa", "Corvale", 1);
  EXPECT_EQ(no_train.message(), files_.train_data + ": error 25: there is no train data file");
  EXPECT_EQ(Files().size(), 3u);  // the line alone still compiles
}

TEST_F(CompileTest, AFeatureInCell1IsAFatalConflictAndNothingIsWritten) {
  const std::string line =
      "[generale]\r\nlunghezza percorso, 10000\r\n[indicazioni]\r\n"
      "cartello_indicatore, 0, (Zero)\r\n[fine]\r\n";
  const Status status = Compile(line, "[generale]\r\n[fine]\r\n");
  EXPECT_EQ(status.kind(), ExitStatus::kFatalConflict);
  EXPECT_EQ(status.message(), "1250");
  EXPECT_TRUE(Files().empty());

  const std::string train = "[generale]\r\nsegnale, 0, 2, 0, 1, 0, 0, 0, 0,0,0, 0\r\n[fine]\r\n";
  const Status second = Compile("[generale]\r\nlunghezza percorso, 10000\r\n[fine]\r\n", train);
  EXPECT_EQ(second.message(), "1251");  // the signal's second value in cell 1
  EXPECT_TRUE(Files().empty());
}

TEST_F(CompileTest, WithoutATrackNothingIsWritten) {
  const Status status = Compile("[curve]\r\n[fine]\r\n", "");
  EXPECT_EQ(status.kind(), ExitStatus::kDataError);
  EXPECT_EQ(status.message(), files_.line_definition +
                                  ": error 102: the line definition file has no [generale] line: "
                                  "none of its 2 fields holds '[generale]'");
  EXPECT_TRUE(Files().empty());

  const Status short_line =
      Compile("[generale]\r\nlunghezza percorso, -6975\r\n[fine]\r\n", "[generale]\r\n[fine]\r\n");
  EXPECT_EQ(short_line.message(),
            files_.line_definition + ": the line is too short to hold any track");
}

}  // namespace
}  // namespace tarvosa
