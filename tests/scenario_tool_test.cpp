// The scenario tool as authors use it, its output and its exit status, on
// the embedded scenario and on broken copies of it: in-process, and as a
// process where only the program shows it (its --help and --version, the
// installer it is compared with, tune_plan).
#include <algorithm>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "compile_support.h"
#include "tarvosa_version.h"
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

class ScenarioTool : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Run({"export", source_.text()}).exit_status, 0);
    fs::create_directory(out_);
  }
  testing::ToolRun Run(const std::vector<std::string>& arguments) {
    return testing::RunScenario(arguments);
  }
  // The program itself, as a process in the work directory.
  testing::ProgramResult RunProgram(const std::vector<std::string>& arguments) {
    return testing::RunProgram(TARVOSA_SCENARIO_TOOL, work_.path(), {}, arguments);
  }
  std::string Source(const std::string& file) const { return (source_.path() / file).string(); }
  std::string Line() const { return Source("Tarvosa_linea.txt"); }
  std::string Train() const { return Source("Tarvosa_Corvale-.txt"); }

  // Replaces the first `from` in `file` by `to`; returns the 1-based line.
  int Edit(const std::string& file, const std::string& from, const std::string& to) {
    std::string bytes = ReadFile(file);
    const std::size_t at = bytes.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    bytes.replace(at, from.size(), to);
    WriteFile(file, bytes);
    return 1 + static_cast<int>(std::count(bytes.begin(), bytes.begin() + at, '\n'));
  }

  testing::ScratchDirectory source_{"esempio"};
  testing::ScratchDirectory work_{"lavoro"};
  fs::path out_ = work_.path() / "out";
};

TEST_F(ScenarioTool, CompilingTheExportedFilesGivesTheInstallersFiles) {
  testing::ScratchDirectory installed{"installato"};
  fs::copy_file(TARVOSA_INSTALLER, installed.path() / "Tarvosa_Corvale");
  ASSERT_EQ(testing::RunProgram(installed.path() / "Tarvosa_Corvale", work_.path()).exit_status, 0);

  const auto result = Run({"compile", Line(), Train(), "-o", out_.string()});
  EXPECT_EQ(result.exit_status, 0) << result.standard_error;
  // The example's quirks: a decimal comma, a name's continuation line, and
  // four tunnel markers that its boards and signals take; each warning has
  // its line quoted below it.
  EXPECT_EQ(std::count(result.standard_error.begin(), result.standard_error.end(), '\n'), 12);
  const std::string out = out_.string() + "/";
  EXPECT_EQ(result.standard_output, "wrote " + out + "Tarvosa_linea.dat, " + out +
                                        "Tarvosa_Corvale.sim and " + out +
                                        "Tarvosa_Corvale.dat: a line of 227000 m, 31 stations, 112 "
                                        "signals, 6 warnings\n");
  EXPECT_EQ(testing::ListDirectory(out_), kCompiled);
  for (const std::string& file : kCompiled) {
    EXPECT_EQ(ReadFile(out_ / file), ReadFile(installed.path() / file)) << file;
  }
  EXPECT_TRUE(fs::exists(Line()));  // the inputs are left alone
  EXPECT_TRUE(fs::exists(Train()));

  fs::remove_all(out_);
  fs::create_directory(out_);
  ASSERT_EQ(Run({"compile", Line(), Train(), "-o", out_.string(), "--no-plan"}).exit_status, 0);
  EXPECT_EQ(testing::ListDirectory(out_),
            (std::vector<std::string>{"Tarvosa_Corvale.dat", "Tarvosa_Corvale.sim"}));
}

TEST_F(ScenarioTool, AnErrorInTheLineFileIsNamedByLineAndColumn) {
  const int line = Edit(Line(), "pendenza,  1250,   -4,5", "pendenza,  1250,   x");
  const auto result = Run({"compile", Line(), Train(), "-o", out_.string()});
  EXPECT_EQ(result.exit_status, 2);
  // The files are read on past the error, so the example's own warnings
  // (the tunnel markers, a name's continuation) come first; the error last.
  const std::string error = Line() + ":" + std::to_string(line) +
                            ":20: error 25: a number was expected for the gradient, found 'x'\n"
                            "    pendenza,  1250,   x\n"
                            "1 error (nothing written; --keep-going writes the files all the "
                            "same)\n";
  EXPECT_TRUE(result.standard_error.ends_with(error)) << result.standard_error;
  EXPECT_NE(result.standard_error.find("Tarvosa_Corvale-.txt:56:1: warning: 'Aurunca-"),
            std::string::npos);
  EXPECT_EQ(result.standard_output, "");
  EXPECT_TRUE(testing::ListDirectory(out_).empty());
}

TEST_F(ScenarioTool, AnErrorInTheTrainFileIsNamedWithItsProgressive) {
  const int line = Edit(Train(), "stazione,   61000,", "stazione,   61025,");
  const auto result = Run({"compile", Line(), Train(), "-o", out_.string(), "--keep-going"});
  EXPECT_EQ(result.exit_status, 2);
  const std::string error = Train() + ":" + std::to_string(line) +
                            ":13: error 8 at 61025 m: a station's progressive is not a multiple "
                            "of 50: 61025 is not: the nearest are 61000 and 61050\n    stazione,";
  EXPECT_NE(result.standard_error.find(error), std::string::npos) << result.standard_error;
  EXPECT_TRUE(result.standard_error.ends_with("\n1 error\n")) << result.standard_error;
  EXPECT_EQ(testing::ListDirectory(out_), kCompiled);  // written all the same, as asked
}

TEST_F(ScenarioTool, CheckReportsEveryPlantedMistakeThenTheVerdict) {
  const int stray = Edit(Line(), "[pendenze]", "[pendenze]\r\nciao") + 1;
  const int back = Edit(Line(), "pendenza,  1250,   -4,5\r\n",
                        "pendenza,  1250,   -4,5\r\npendenza,  500,   2\r\n") +
                   1;
  const int overlap = Edit(Line(), "curvas1,  1751,  300", "curvas1,  1400,  300");
  const int text = Edit(Line(), "(Culmine )(Galleria)", "(Culmin\xC3\xA8 )(Galleria)");
  const auto result = Run({"check", Line(), Train()});
  EXPECT_EQ(result.exit_status, 0) << result.standard_error;
  // A warning on line `line` of the line file that says `what`.
  const auto has = [&](int line, const std::string& what) {
    const std::string prefix = Line() + ":" + std::to_string(line) + ":";
    for (auto at = result.standard_error.find(prefix); at != std::string::npos;
         at = result.standard_error.find(prefix, at + 1)) {
      if (result.standard_error.find(what, at) < result.standard_error.find('\n', at)) return true;
    }
    return false;
  };
  EXPECT_TRUE(has(stray, "warning: 'ciao' matches no keyword")) << result.standard_error;
  EXPECT_TRUE(has(back, "comes after one at 1250 m")) << result.standard_error;
  EXPECT_TRUE(has(overlap, "overlaps the one before, which ends at 1500 m"))
      << result.standard_error;
  EXPECT_TRUE(has(text, "looks like UTF-8")) << result.standard_error;
  EXPECT_NE(result.standard_error.find("'5' is one value more than the record before it takes"),
            std::string::npos);
  EXPECT_EQ(result.standard_error.substr(result.standard_error.size() - 9), "no error\n");
  EXPECT_TRUE(testing::ListDirectory(work_.path()).size() == 1);  // only out/: nothing written
}

TEST_F(ScenarioTool, CheckTellsWhereTheRailwayWouldNotRunAsWritten) {
  const std::string span = "montagna,   113250,  113400,  1\r\n";
  const int twice = Edit(Line(), span, span + span) + 1;
  const int board = Edit(Line(), "indicatori_vmax,  201600", "indicatori_vmax,  201600");
  Edit(Train(), "velocita,  201600,    70", "velocita,  201600,    90");
  const int back = Edit(Train(), "11,28,30", "11,34,30");
  const int hour = Edit(Train(), "11,44, 0", "40,44, 0");
  const int blanks = Edit(Train(), ", Latina\r\n", ", Latina   \r\n");
  const auto result = Run({"check", Line(), Train()});
  EXPECT_EQ(result.exit_status, 0) << result.standard_error;
  const auto has = [&](const std::string& file, int line, const std::string& what) {
    const std::string prefix = file + ":" + std::to_string(line) + ":";
    for (auto at = result.standard_error.find(prefix); at != std::string::npos;
         at = result.standard_error.find(prefix, at + 1)) {
      if (result.standard_error.find(what, at) < result.standard_error.find('\n', at)) return true;
    }
    return false;
  };
  EXPECT_TRUE(has(Line(), twice, "warning: the tunnel span from 113250 m to 113400 m repeats"))
      << result.standard_error;
  EXPECT_TRUE(
      has(Line(), board,
          "warning: the board announces 55, 60 and 70 km/h, but the line speed 1000 m past it, at "
          "202600 m, is 80 km/h, and the first to begin before it is 90 km/h"))
      << result.standard_error;
  // Napoli Mergellina stands two lines after Napoli Campi Flegrei.
  EXPECT_TRUE(has(Train(), back + 2,
                  "warning: the time 11:33:00 at 'Napoli Mergellina' is not after 11:34:30 at "
                  "'Napoli Campi Flegrei'"))
      << result.standard_error;
  EXPECT_TRUE(has(Train(), hour, "warning: the hour 40 is out of range")) << result.standard_error;
  EXPECT_TRUE(has(Train(), blanks, "warning: the station name 'Latina   ' has blanks"))
      << result.standard_error;
  EXPECT_EQ(Run({"check", Line(), Train(), "--strict"}).exit_status, 2);
}

TEST_F(ScenarioTool, DumpShowsWhatTheCompilerStored) {
  ASSERT_EQ(Run({"compile", Line(), Train(), "-o", out_.string()}).exit_status, 0);
  const std::string line = testing::ReadFile(Line());
  const std::string train = testing::ReadFile(Train());
  const Compilation compiled = testing::CompileTexts(line, train);
  ASSERT_TRUE(compiled.Writable());
  const CompiledScenario& state = compiled.scenario;

  const auto track = Run({"dump", (out_ / "Tarvosa_Corvale.dat").string(), "--format", "json"});
  ASSERT_EQ(track.exit_status, 0);
  const auto cells = nlohmann::json::parse(track.standard_output);
  ASSERT_GT(cells.size(), 300u);
  for (const auto& row : cells) {
    const TrackCell& cell = state.cells.at(row["cell"].get<std::size_t>());
    EXPECT_EQ(row["kind"], cell.kind);
    EXPECT_EQ(row["value_a"], cell.value_a);
    EXPECT_EQ(row["approach_code"], cell.approach_code);
    EXPECT_EQ(row["speed_kmh"], cell.speed_limit * 5);
    EXPECT_EQ(row["gradient"], static_cast<int>(cell.gradient) - 100);
  }
  const auto table = Run({"dump", (out_ / "Tarvosa_Corvale.sim").string(), "--format", "json"});
  std::size_t stations = 0;
  for (const auto& row : nlohmann::json::parse(table.standard_output)) {
    const ScenarioEntry& entry = state.header.at(row["entry"].get<std::size_t>());
    EXPECT_EQ(row["position"], entry.position);
    EXPECT_EQ(row["time"], entry.time);
    stations += row["role"] == "station";
  }
  EXPECT_EQ(stations, 31u);
  const auto plan =
      Run({"dump", (out_ / "Tarvosa_linea.dat").string(), "--step", "1500", "--format", "csv"});
  EXPECT_NE(plan.standard_output.find("\n1500,-1.132479,1499.994375\n"), std::string::npos)
      << plan.standard_output.substr(0, 200);
}

TEST_F(ScenarioTool, DumpRefusesBytesOfAnotherLayout) {
  const auto result = Run({"dump", Line()});
  EXPECT_EQ(result.exit_status, 2);
  EXPECT_EQ(result.standard_error,
            Line() + ": its 11761 bytes do not have the layout of any compiled file\n");
}

TEST_F(ScenarioTool, MapDrawsAWellFormedPage) {
  ASSERT_EQ(Run({"compile", Line(), Train(), "-o", out_.string()}).exit_status, 0);
  const std::string svg_file = (work_.path() / "map.svg").string();
  ASSERT_EQ(Run({"map", out_.string(), "-o", svg_file}).exit_status, 0);
  const std::string svg = ReadFile(svg_file);
  EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
  EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
  EXPECT_NE(svg.find(">Napoli Piazza Garibaldi 11:44:00</text>"), std::string::npos);
  // Every element that opens is closed, in order.
  std::vector<std::string> open;
  for (std::size_t at = svg.find('<'); at != std::string::npos; at = svg.find('<', at + 1)) {
    const std::size_t end = svg.find('>', at);
    ASSERT_NE(end, std::string::npos);
    const std::string tag = svg.substr(at + 1, end - at - 1);
    if (tag.front() == '?' || tag.back() == '/') continue;
    const std::string name =
        tag.substr(tag.front() == '/', tag.find_first_of(" /", 1) - (tag.front() == '/'));
    if (tag.front() == '/') {
      ASSERT_FALSE(open.empty());
      EXPECT_EQ(open.back(), name);
      open.pop_back();
    } else {
      open.push_back(name);
    }
  }
  EXPECT_TRUE(open.empty());
}

TEST_F(ScenarioTool, UsageErrorsHelpAndVersion) {
  EXPECT_EQ(RunProgram({}).exit_status, 4);
  EXPECT_EQ(RunProgram({"compile", Line()}).exit_status, 4);
  EXPECT_EQ(RunProgram({"compile", Line(), "missing.txt"}).exit_status, 4);
  EXPECT_EQ(RunProgram({"dump", Line(), "--format", "xml"}).exit_status, 4);
  const auto help = RunProgram({"--help"});
  EXPECT_EQ(help.exit_status, 0);
  EXPECT_NE(help.standard_output.find("4 a usage error"), std::string::npos);
  EXPECT_EQ(RunProgram({"compile", "--help"}).exit_status, 0);
  EXPECT_EQ(RunProgram({"--version"}).standard_output,
            std::string("scenario ") + kTarvosaVersion + "\n");
}

// tune_plan, on the exported line: it compiles each probe in memory.
TEST_F(ScenarioTool, TunePlanFindsWhereTheExportedLineEnds) {
  const auto tune = [&](const std::vector<std::string>& arguments) {
    return testing::RunProgram(TARVOSA_TUNE_PLAN, work_.path(), {}, arguments);
  };
  const auto landed = tune({Line(), "57487.249", "207272.970"});
  EXPECT_EQ(landed.exit_status, 0) << landed.standard_error;
  EXPECT_EQ(landed.standard_output, "the plan already ends at 57487.249, 207272.970\n");

  const int line = Edit(Line(), "curvas1,  1350,  150", "curvas7,  1350,  150");
  const auto broken = tune({Line(), "57487.249", "207272.970"});
  EXPECT_EQ(broken.exit_status, 2);
  EXPECT_EQ(broken.standard_error, "the line file does not compile cleanly: " + Line() + ":" +
                                       std::to_string(line) +
                                       ":1: error 103: a curve names no class from 1 to 6, or "
                                       "runs past the end of the plan: the keyword 'curvas7' "
                                       "holds no class digit from 1 to 6\n");
}

}  // namespace
}  // namespace tarvosa
