// The tool as an author starts with it: a new scenario, --strict, files it
// will not overwrite, and inputs that are not scenario files at all.
#include <algorithm>
#include <random>

#include <gtest/gtest.h>

#include "test_support.h"
#include "tool_support.h"

namespace tarvosa {
namespace {

namespace fs = std::filesystem;
using testing::ListDirectory;
using testing::ReadFile;
using testing::WriteFile;

class ScenarioAuthoring : public ::testing::Test {
 protected:
  testing::ToolRun Run(const std::vector<std::string>& arguments) {
    return testing::RunScenario(arguments);
  }
  std::string In(const std::string& file) const { return (work_.path() / file).string(); }

  testing::ScratchDirectory work_{"autore"};
};

TEST_F(ScenarioAuthoring, ANewScenarioCompilesCleanlyAndIsNotOverwritten) {
  const auto made = Run({"new", In("lago"), "--route", "Lago", "--train", "Espresso"});
  ASSERT_EQ(made.exit_status, 0) << made.standard_error;
  EXPECT_EQ(
      ListDirectory(work_.path() / "lago"),
      (std::vector<std::string>{"Lago_Espresso-.txt", "Lago_Espresso_note.txt", "Lago_linea.txt"}));
  const std::string line = In("lago/Lago_linea.txt"), train = In("lago/Lago_Espresso-.txt");
  EXPECT_EQ(ReadFile(line).substr(0, 12), "[generale]\r\n");

  const auto checked = Run({"check", line, train, "--strict"});
  EXPECT_EQ(checked.exit_status, 0);
  EXPECT_EQ(checked.standard_error, "no error\n");  // not one warning

  fs::create_directory(work_.path() / "out");
  const auto compiled = Run({"compile", line, train, "-o", In("out")});
  EXPECT_EQ(compiled.exit_status, 0) << compiled.standard_error;
  EXPECT_EQ(compiled.standard_output, "wrote " + In("out") + "/Lago_linea.dat, " + In("out") +
                                          "/Lago_Espresso.sim and " + In("out") +
                                          "/Lago_Espresso.dat: a line of 8000 m, 3 stations, 1 "
                                          "signal, 0 warnings\n");

  WriteFile(train, "edited");
  const auto again = Run({"new", In("lago"), "--route", "Lago", "--train", "Espresso"});
  EXPECT_EQ(again.exit_status, 1);
  EXPECT_EQ(again.standard_error, line + ": exists already; --force replaces it\n" + train +
                                      ": exists already; --force replaces it\n" +
                                      In("lago/Lago_Espresso_note.txt") +
                                      ": exists already; --force replaces it\n");
  EXPECT_EQ(ReadFile(train), "edited");
  EXPECT_EQ(
      Run({"new", In("lago"), "--route", "Lago", "--train", "Espresso", "--force"}).exit_status, 0);
  EXPECT_NE(ReadFile(train), "edited");
}

TEST_F(ScenarioAuthoring, ExportReplacesAFileOnlyWithForce) {
  ASSERT_EQ(Run({"export", In("esempio")}).exit_status, 0);
  const std::string notes = In("esempio/Tarvosa_Corvale_note.txt");
  WriteFile(notes, "mine");
  const auto refused = Run({"export", In("esempio")});
  EXPECT_EQ(refused.exit_status, 1);
  std::string expected;
  for (const char* file :
       {"Tarvosa_linea.txt", "Tarvosa_Corvale-.txt", "Tarvosa_Corvale_note.txt",
        "Tarvosa_Corvale_rallentamenti.txt", "Tarvosa_Corvale_scheda_treno.txt"}) {
    expected += In(std::string("esempio/") + file) + ": exists already; --force replaces it\n";
  }
  EXPECT_EQ(refused.standard_error, expected);
  EXPECT_EQ(ReadFile(notes), "mine");
  EXPECT_EQ(Run({"export", In("esempio"), "--force"}).exit_status, 0);
  EXPECT_NE(ReadFile(notes), "mine");
}

TEST_F(ScenarioAuthoring, StrictMakesWarningsErrorsButLeavesCommentLinesAlone) {
  ASSERT_EQ(Run({"new", In("s")}).exit_status, 0);
  const std::string line = In("s/Percorso_linea.txt"), train = In("s/Percorso_Treno-.txt");
  std::string bytes = ReadFile(train);
  bytes.insert(bytes.find("[segnali]"), "-- una nota --\r\n");
  WriteFile(train, bytes);
  fs::create_directory(work_.path() / "out");
  EXPECT_EQ(Run({"compile", line, train, "-o", In("out"), "--strict"}).exit_status, 0);

  bytes.replace(bytes.find("velocita,  1000,  100"), 21, "velocita,  1000,  102");
  WriteFile(train, bytes);
  fs::remove_all(work_.path() / "out");
  fs::create_directory(work_.path() / "out");
  const auto strict = Run({"compile", line, train, "-o", In("out"), "--strict"});
  EXPECT_EQ(strict.exit_status, 2);
  EXPECT_NE(strict.standard_error.find("a line speed of 102 is stored as 100"), std::string::npos);
  EXPECT_EQ(strict.standard_error.substr(
                strict.standard_error.rfind('\n', strict.standard_error.size() - 2) + 1),
            "1 warning and --strict: nothing written\n");
  EXPECT_TRUE(ListDirectory(work_.path() / "out").empty());
  EXPECT_EQ(Run({"check", line, train, "--strict"}).exit_status, 2);
  EXPECT_EQ(Run({"check", line, train}).exit_status, 0);
  EXPECT_EQ(Run({"compile", line, train, "-o", In("out")}).exit_status, 0);
}

// No command crashes on what is not a scenario file: each ends with a
// status of its own and says why.
TEST_F(ScenarioAuthoring, NoCommandCrashesOnADirectoryAnEmptyFileAMissingFileOrRandomBytes) {
  fs::create_directory(work_.path() / "cartella");
  WriteFile(In("vuoto"), "");
  std::string noise(4096, '\0');
  std::mt19937 random(7);
  std::generate(noise.begin(), noise.end(), [&] { return static_cast<char>(random()); });
  WriteFile(In("rumore"), noise);
  for (const std::string& input : {In("cartella"), In("vuoto"), In("manca"), In("rumore")}) {
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"compile", input, input, "-o", In("cartella")},
          {"check", input, input},
          {"compile", input, In("rumore"), "-o", In("cartella")}}) {
      const auto result = Run(command);
      EXPECT_GE(result.exit_status, 1) << command[0] << " " << input;
      EXPECT_LE(result.exit_status, 4) << command[0] << " " << input;
      EXPECT_FALSE(result.standard_error.empty()) << command[0] << " " << input;
    }
  }
  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"map", In("cartella"), "-o", In("m.svg")},
        {"map", In("rumore"), "-o", In("m.svg")},
        {"new", In("rumore")},
        {"export", In("vuoto")},
        {"dump", In("cartella")},
        {"diff", In("rumore"), In("vuoto")},
        {"documents", In("rumore"), In("vuoto"), "-o", In("cartella")},
        {"package", In("cartella"), "-o", In("cartella/p")},
        {"package", In("rumore"), "-o", In("cartella/p")}}) {
    const auto result = Run(command);
    EXPECT_GE(result.exit_status, 1) << command[0] << " " << command[1];
    EXPECT_LE(result.exit_status, 4) << command[0] << " " << command[1];
    EXPECT_FALSE(result.standard_error.empty()) << command[0] << " " << command[1];
  }
  EXPECT_TRUE(ListDirectory(work_.path() / "cartella").empty());
  EXPECT_EQ(Run({"check", In("vuoto"), In("vuoto")}).standard_error,
            In("vuoto") + ": error 25: the file is empty\n1 error\n");
}

// Three independent errors in each file, one check: six errors, each at
// its line and column with the line quoted under it, then their count. The
// line file's lines end in CR CR LF, counted once each.
TEST_F(ScenarioAuthoring, OneCheckReportsEveryErrorOfBothFilesAtItsPlace) {
  std::string line =
      "[generale]\r\r\nlunghezza percorso,  10000\r\r\n[curve]\r\r\n"
      "pendenza,  1000,  2\r\r\npendenza,  1250,  x\r\r\npendenza,  1500,  3\r\r\n"
      "curvas7,  3000,  100\r\r\npendenza,  20000,  4\r\r\n[fine]\r\r\n";
  std::string train =
      "[generale]\r\nvelocita,  0,  100\r\n"
      "stazione,  3025,  2,  400,  0, 1, 0,  0,0,0,  4,1,1,  10,  9,42,50, Sessa\r\n"
      "segnale,  7200,\ty, 4, 0,  0, 0,  0,  0,0,0, 0\r\n"
      "segnale,  8200,  2, 4, 0,  0, 0,  0,  0,0,0, 0\r\n"
      "segnale,  30000,  2, 4, 0,  0, 0,  0,  0,0,0, 0\r\n[fine]\r\n";
  WriteFile(In("L_linea.txt"), line);
  WriteFile(In("L_T-.txt"), train);
  const auto checked = Run({"check", In("L_linea.txt"), In("L_T-.txt")});
  EXPECT_EQ(checked.exit_status, 2);
  const std::string l = In("L_linea.txt"), t = In("L_T-.txt");
  // The warnings come first; then the errors, in file order.
  const std::string& err = checked.standard_error;
  ASSERT_NE(err.find(l + ":5:19: error"), std::string::npos) << err;
  EXPECT_EQ(err.substr(err.find(l + ":5:19: error")),
            l +
                ":5:19: error 25: a number was expected for the gradient, found 'x'\n"
                "    pendenza,  1250,  x\n" +
                l +
                ":7:1: error 103: a curve names no class from 1 to 6, or runs past the end "
                "of the plan: the keyword 'curvas7' holds no class digit from 1 to 6\n"
                "    curvas7,  3000,  100\n" +
                l +
                ":8:12: error 15 at 20000 m: a feature lies too close to the end of the "
                "track or beyond it: the gradient at 20000 m lies beyond the end of the "
                "track: with a line length of 10000 m the last cell is 340, and the gradient "
                "may stand at 16900 m at most\n"
                "    pendenza,  20000,  4\n" +
                t +
                ":3:12: error 8 at 3025 m: a station's progressive is not a multiple of 50: "
                "3025 is not: the nearest are 3000 and 3050\n"
                "    stazione,  3025,  2,  400,  0, 1, 0,  0,0,0,  4,1,1,  10,  9,42,50, "
                "Sessa\n" +
                t +
                ":4:16: error 25: a tab before the signal's field 2, where only blanks may "
                "stand: found '<tab>y'\n"
                "    segnale,  7200,\\u0009y, 4, 0,  0, 0,  0,  0,0,0, 0\n" +
                t +
                ":6:11: error 15 at 30000 m: a feature lies too close to the end of the "
                "track or beyond it: the signal at 30000 m lies beyond the end of the track: "
                "with a line length of 10000 m the last cell is 340, and the signal may "
                "stand at 16900 m at most\n"
                "    segnale,  30000,  2, 4, 0,  0, 0,  0,  0,0,0, 0\n"
                "6 errors\n");
}

}  // namespace
}  // namespace tarvosa
