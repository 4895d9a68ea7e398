// scenario decompile as authors use it: on the directory the installer,
// run as a process, writes into, and on files that are no scenario or do
// not belong together.
#include <gtest/gtest.h>

#include "compile_support.h"
#include "round_trip.h"
#include "scenario/skeleton_table.h"
#include "test_process.h"
#include "test_support.h"
#include "tool_support.h"

namespace tarvosa {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::WriteFile;

const std::vector<std::string> kCompiled = {"Tarvosa_Corvale.dat", "Tarvosa_Corvale.sim",
                                            "Tarvosa_linea.dat"};

class DecompileTool : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::copy_file(TARVOSA_INSTALLER, installed_.path() / "Tarvosa_Corvale");
    ASSERT_EQ(testing::RunProgram(installed_.path() / "Tarvosa_Corvale", work_.path()).exit_status,
              0);
    fs::remove(installed_.path() / "Tarvosa_Corvale");
  }
  testing::ToolRun Run(const std::vector<std::string>& arguments) {
    return testing::RunScenario(arguments);
  }
  // A copy of the installed directory to spoil.
  fs::path Copy(const std::string& name) {
    const fs::path copy = work_.path() / name;
    fs::copy(installed_.path(), copy);
    return copy;
  }

  testing::ScratchDirectory installed_{"installato"};
  testing::ScratchDirectory work_{"lavoro"};
  fs::path out_ = work_.path() / "testi";
};

TEST_F(DecompileTool, TheInstallersDirectoryComesBackAsTextsThatCompileToItsFiles) {
  const auto result = Run({"decompile", installed_.text(), "-o", out_.string()});
  ASSERT_EQ(result.exit_status, 0) << result.standard_error;
  EXPECT_EQ(result.standard_error, "");
  EXPECT_EQ(testing::ListDirectory(out_),
            (std::vector<std::string>{"Tarvosa_Corvale-.txt", "Tarvosa_linea.txt"}));
  std::vector<std::string> lines;
  EXPECT_TRUE(testing::SplitCrLfLines(ReadFile(out_ / "Tarvosa_linea.txt"), &lines));
  EXPECT_EQ(lines.front(), "[generale]");

  const fs::path again = work_.path() / "di_nuovo";
  fs::create_directory(again);
  const auto compiled = Run({"compile", (out_ / "Tarvosa_linea.txt").string(),
                             (out_ / "Tarvosa_Corvale-.txt").string(), "-o", again.string()});
  ASSERT_EQ(compiled.exit_status, 0) << compiled.standard_error;
  EXPECT_EQ(testing::ListDirectory(again), kCompiled);
  for (const std::string& file : kCompiled) {
    EXPECT_TRUE(ReadFile(again / file) == ReadFile(installed_.path() / file)) << file;
  }
}

TEST_F(DecompileTool, WritesOverAFileOnlyWithForce) {
  fs::create_directory(out_);
  WriteFile(out_ / "Tarvosa_linea.txt", "mine");
  const auto refused = Run({"decompile", installed_.text(), "-o", out_.string()});
  EXPECT_EQ(refused.exit_status, 1);
  EXPECT_NE(refused.standard_error.find("Tarvosa_linea.txt: exists already"), std::string::npos);
  EXPECT_EQ(ReadFile(out_ / "Tarvosa_linea.txt"), "mine");
  EXPECT_FALSE(fs::exists(out_ / "Tarvosa_Corvale-.txt"));

  EXPECT_EQ(Run({"decompile", installed_.text(), "-o", out_.string(), "--force"}).exit_status, 0);
  EXPECT_NE(ReadFile(out_ / "Tarvosa_linea.txt"), "mine");
}

TEST_F(DecompileTool, OtherTitlesNameTheFiles) {
  const auto result = Run({"decompile", installed_.text(), "-o", out_.string(), "--route", "Lago",
                           "--train", "Rapido"});
  ASSERT_EQ(result.exit_status, 0) << result.standard_error;
  EXPECT_EQ(testing::ListDirectory(out_),
            (std::vector<std::string>{"Lago_Rapido-.txt", "Lago_linea.txt"}));
}

TEST_F(DecompileTool, WithoutThePlanTheCurvesAreLostAndSaidSo) {
  const fs::path copy = Copy("senza_pianta");
  fs::remove(copy / "Tarvosa_linea.dat");
  const auto result = Run({"decompile", copy.string(), "-o", out_.string()});
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_NE(result.standard_error.find(": warning: there is no plan file, so the curves cannot be "
                                       "recovered"),
            std::string::npos)
      << result.standard_error;
  EXPECT_EQ(ReadFile(out_ / "Tarvosa_linea.txt").find("curva"), std::string::npos);
}

TEST_F(DecompileTool, FilesThatDoNotBelongTogetherAreRefused) {
  const fs::path codes = Copy("codici");
  std::string track = ReadFile(codes / "Tarvosa_Corvale.dat");
  track[18] = static_cast<char>(track[18] + 1);  // cell 1's check code
  WriteFile(codes / "Tarvosa_Corvale.dat", track);
  auto result = Run({"decompile", codes.string(), "-o", out_.string()});
  EXPECT_EQ(result.exit_status, 2);
  EXPECT_NE(result.standard_error.find("Tarvosa_Corvale.dat: the check code in cell 1"),
            std::string::npos)
      << result.standard_error;

  const fs::path cells = Copy("celle");
  track = ReadFile(cells / "Tarvosa_Corvale.dat");
  WriteFile(cells / "Tarvosa_Corvale.dat", track.substr(0, track.size() - 15));
  result = Run({"decompile", cells.string(), "-o", out_.string()});
  EXPECT_EQ(result.exit_status, 2);
  EXPECT_NE(result.standard_error.find("the track has 4680 cells, but the table's line length of "
                                       "227000 m (entry 84) gives 4681"),
            std::string::npos)
      << result.standard_error;

  const fs::path plan = Copy("pianta");
  const std::string rows = ReadFile(plan / "Tarvosa_linea.dat");
  WriteFile(plan / "Tarvosa_linea.dat", rows.substr(0, rows.size() / 2 - 2) +
                                            rows.substr(rows.size() / 2, rows.size() / 2 - 2));
  result = Run({"decompile", plan.string(), "-o", out_.string()});
  EXPECT_EQ(result.exit_status, 2);
  EXPECT_NE(result.standard_error.find("Tarvosa_linea.dat: the plan has 234000 rows"),
            std::string::npos)
      << result.standard_error;
  EXPECT_FALSE(fs::exists(out_));
}

TEST_F(DecompileTool, WhatIsNoCompiledScenarioEndsWithAStatusNeverACrash) {
  const fs::path random = Copy("casuale");
  std::string bytes(7001, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7919 % 251);
  WriteFile(random / "Tarvosa_Corvale.sim", bytes);
  auto result = Run({"decompile", random.string(), "-o", out_.string()});
  EXPECT_EQ(result.exit_status, 2);
  EXPECT_NE(result.standard_error.find("Tarvosa_Corvale.sim: its 7001 bytes are not a compiled "
                                       "scenario table"),
            std::string::npos)
      << result.standard_error;

  WriteFile(random / "Tarvosa_Corvale.dat", "");
  EXPECT_EQ(Run({"decompile", random.string(), "-o", out_.string()}).exit_status, 2);

  fs::remove(random / "Tarvosa_Corvale.dat");
  fs::create_directory(random / "Tarvosa_Corvale.dat");
  EXPECT_EQ(Run({"decompile", random.string(), "-o", out_.string()}).exit_status, 1);
  EXPECT_EQ(
      Run({"decompile", (work_.path() / "nessuna").string(), "-o", out_.string()}).exit_status, 1);
  EXPECT_EQ(Run({"decompile", installed_.text()}).exit_status, 4);  // no -o
  EXPECT_FALSE(fs::exists(out_));
}

// The system reads a name only up to a NUL byte: a title holding one must
// end the run with a message, never leave it drawing temporary names under
// a name cut short. Run as a process with a limit on its processor time,
// so that a run that would not end is killed rather than hanging the test.
TEST(DecompileTitles, ATitleHoldingANulByteEndsTheRunAndWritesNothing) {
  testing::ScratchDirectory work("nul");
  const fs::path compiled = work.path() / "compilati";
  fs::create_directory(compiled);
  const testing::EncodedFiles files = testing::Encode(testing::CompileWithTitles(
      testing::CrLf(scenario::kSkeletonLine), testing::CrLf(scenario::kSkeletonTrain),
      std::string("Ro\0ta", 5), "Treno"));
  WriteFile(compiled / "Tarvosa_Corvale.dat", files.track);
  WriteFile(compiled / "Tarvosa_Corvale.sim", files.table);
  WriteFile(compiled / "Tarvosa_linea.dat", files.plan);
  const fs::path out = work.path() / "testi";
  const auto result =
      testing::RunProgram(TARVOSA_SCENARIO_TOOL, work.path(), {.cpu_seconds_limit = 60},
                          {"decompile", compiled.string(), "-o", out.string()});
  EXPECT_GT(result.exit_status, 0) << "ended by a signal when -1";
  EXPECT_NE(result.standard_error.find("Ro\\u0000ta"), std::string::npos) << result.standard_error;
  EXPECT_EQ(result.standard_error.find('\0'), std::string::npos);
  EXPECT_TRUE(!fs::exists(out) || testing::ListDirectory(out).empty());
}

}  // namespace
}  // namespace tarvosa
