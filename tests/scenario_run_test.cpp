// scenario run over the example: the timetable against the default train
// and the two real rolling stocks, in text, JSON and CSV, from the sources
// and from compiled files; refused trains, --strict, the allowance, and a
// hostile station name in each output.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <regex>

#include "test_support.h"
#include "tool_support.h"

namespace tarvosa {
namespace {

using testing::ReadFile;
using testing::WriteFile;
using Json = nlohmann::json;

std::string Stock(const std::string& name) {
  return std::string(TARVOSA_ROLLING_STOCKS) + "/" + name;
}

class ScenarioRun : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(Run({"export", In("ex")}).exit_status, 0); }
  testing::ToolRun Run(const std::vector<std::string>& arguments) {
    return testing::RunScenario(arguments);
  }
  std::string In(const std::string& file) const { return (work_.path() / file).string(); }
  std::vector<std::string> Example(std::vector<std::string> more = {}) const {
    std::vector<std::string> words = {"run", In("ex/Tarvosa_linea.txt"),
                                      In("ex/Tarvosa_Corvale-.txt")};
    words.insert(words.end(), more.begin(), more.end());
    return words;
  }
  Json RunJson(std::vector<std::string> more = {}) {
    more.insert(more.end(), {"--format", "json"});
    const auto run = Run(Example(more));
    EXPECT_EQ(run.exit_status, 0) << run.standard_error;
    return Json::parse(run.standard_output);
  }

  testing::ScratchDirectory work_{"corsa"};
};

TEST_F(ScenarioRun, TheDefaultTrainKeepsEveryTimeOfTheExample) {
  const auto run = Run(Example());
  ASSERT_EQ(run.exit_status, 0) << run.standard_error;
  EXPECT_EQ(run.standard_error, "");  // the compiler's warnings are check's
  const std::string& text = run.standard_output;
  EXPECT_NE(text.find("E.402B and 12 coaches: 665 t, 336.6 m; dwell 30 s"), std::string::npos);
  for (const char* station : {"Roma Termini", "Latina", "Formia-Gaeta", "Napoli Campi Flegrei",
                              "Napoli Mergellina", "Napoli Piazza Garibaldi"}) {
    EXPECT_NE(text.find(station), std::string::npos) << station;
  }
  EXPECT_EQ(text.find("Torricola"), std::string::npos);  // passed, not timed
  EXPECT_NE(text.find("scheduled 2:01:10"), std::string::npos);
  EXPECT_NE(text.find("0 of 5 sections cannot be kept"), std::string::npos);
}

TEST_F(ScenarioRun, TheJsonRunHasEveryStationAndAPointEveryCell) {
  const Json run = RunJson();
  const Json& stops = run["stops"];
  ASSERT_EQ(stops.size(), 31u);
  EXPECT_EQ(stops[0]["name"], "Roma Termini");
  EXPECT_EQ(stops[0]["departure_s"], 0.0);
  EXPECT_TRUE(stops[1]["scheduled_s"].is_null());
  EXPECT_TRUE(stops[1]["margin_s"].is_null());
  EXPECT_FALSE(stops[1]["stop"]);
  const Json& last = stops.back();
  EXPECT_EQ(last["scheduled_s"], 2 * 3600 + 70 - 0.0 + 0);  // 11:44:00 less 9:42:50
  EXPECT_DOUBLE_EQ(last["margin_s"].get<double>(),
                   last["scheduled_s"].get<double>() - last["arrival_s"].get<double>());
  EXPECT_DOUBLE_EQ(last["arrival_s"].get<double>(), run["total_time_s"].get<double>());
  const Json& profile = run["profile"];
  EXPECT_GE(profile.size(), (216150u - 400u) / 50u);
  EXPECT_EQ(profile.front()["m"], 400.0);
  EXPECT_EQ(profile.back()["m"], 216150.0);
  EXPECT_EQ(profile.back()["time_s"], run["total_time_s"]);
  double highest = 0;
  for (const Json& p : profile) highest = std::max(highest, p["speed_kmh"].get<double>());
  EXPECT_LE(highest, 180 + 1e-9);
  EXPECT_GT(highest, 170);
  // The scenario's own numbers: a sensible run of an Intercity over 216 km.
  EXPECT_GT(run["total_time_s"].get<double>(), 5400);
  EXPECT_LT(run["total_time_s"].get<double>(), 7200);
}

TEST_F(ScenarioRun, TheCsvIsTheProfile) {
  const auto run = Run(Example({"--format", "csv"}));
  ASSERT_EQ(run.exit_status, 0);
  EXPECT_EQ(run.standard_output.substr(0, run.standard_output.find('\n')), "m,speed_kmh,time_s");
  EXPECT_EQ(run.standard_output.substr(run.standard_output.find('\n') + 1, 19),
            "400.00,0.000,0.000\n");
}

// The two real trains run the example in about the time the default does.
TEST_F(ScenarioRun, TheRealRollingStocksRunTheExample) {
  const double standard = RunJson()["total_time_s"];
  for (const char* file : {"intercity-train.json", "fast_rolling_stock.json"}) {
    const Json run = RunJson({"--rolling-stock", Stock(file)});
    EXPECT_NEAR(run["total_time_s"].get<double>(), standard, 0.05 * standard) << file;
    EXPECT_TRUE(run["all_kept"]) << file;
  }
  EXPECT_EQ(RunJson({"--rolling-stock", Stock("intercity-train.json")})["train"]["name"],
            "Intercity train");
}

TEST_F(ScenarioRun, ATrainFileAtFaultIsRefusedAndNothingWritten) {
  for (const char* file : {"negative_mass.json", "non_monotonic_curve.json", "missing_mass.json",
                           "mass_as_text.json"}) {
    const auto run = Run(Example({"--rolling-stock", Stock(file), "-o", In("out.txt")}));
    EXPECT_EQ(run.exit_status, 2) << file;
    EXPECT_NE(run.standard_error.find(Stock(file) + ": "), std::string::npos) << run.standard_error;
    EXPECT_FALSE(std::filesystem::exists(In("out.txt"))) << file;
  }
  const auto missing = Run(Example({"--rolling-stock", In("none.json")}));
  EXPECT_EQ(missing.exit_status, 1);
  WriteFile(In("ex/bad.json"), "{\"railjson_version\": ");
  EXPECT_EQ(Run(Example({"--rolling-stock", In("ex/bad.json")})).exit_status, 2);
}

// A dwell of half an hour cannot be kept: marked, and --strict ends with 2
// after writing the run all the same.
TEST_F(ScenarioRun, StrictEndsWithTwoWhenATimeCannotBeKept) {
  const auto marked = Run(Example({"--dwell", "1800"}));
  EXPECT_EQ(marked.exit_status, 0);
  EXPECT_NE(marked.standard_output.find("cannot be kept\n"), std::string::npos);
  const auto strict = Run(Example({"--dwell", "1800", "--strict", "-o", In("out.txt")}));
  EXPECT_EQ(strict.exit_status, 2);
  EXPECT_NE(ReadFile(In("out.txt")).find("cannot be kept"), std::string::npos);
  EXPECT_EQ(Run(Example({"--strict"})).exit_status, 0);
  EXPECT_EQ(Run(Example({"--dwell", "-1"})).exit_status, 4);
  EXPECT_EQ(Run(Example({"--format", "xml"})).exit_status, 4);
}

TEST_F(ScenarioRun, TheAllowanceStretchesTheSections) {
  const Json plain = RunJson(), stretched = RunJson({"--allowance", "5"});
  for (std::size_t i = 1; i < plain["stops"].size(); ++i) {
    if (!plain["stops"][i]["stop"]) continue;
    EXPECT_NEAR(stretched["stops"][i]["section_running_s"].get<double>(),
                1.05 * plain["stops"][i]["section_running_s"].get<double>(), 1e-6);
  }
  EXPECT_EQ(stretched["allowance_pct"], 5.0);
}

TEST_F(ScenarioRun, CompiledFilesRunAsTheirSources) {
  std::filesystem::create_directory(In("out"));
  ASSERT_EQ(
      Run({"compile", In("ex/Tarvosa_linea.txt"), In("ex/Tarvosa_Corvale-.txt"), "-o", In("out")})
          .exit_status,
      0);
  const auto run = Run({"run", In("out"), "--format", "json"});
  ASSERT_EQ(run.exit_status, 0) << run.standard_error;
  EXPECT_EQ(Json::parse(run.standard_output)["total_time_s"], RunJson()["total_time_s"]);
  EXPECT_EQ(Run({"run", In("nothing")}).exit_status, 1);
}

// A station named with a terminal escape, quotes and markup: escaped on the
// terminal, exact in the JSON.
TEST_F(ScenarioRun, AHostileStationNameIsEscapedForEachOutput) {
  std::string train = ReadFile(In("ex/Tarvosa_Corvale-.txt"));
  const std::string hostile = "La\x1b[31mtina \"x\" <b>";
  train.replace(train.find(", Latina") + 2, 6, hostile);
  WriteFile(In("ex/Tarvosa_Corvale-.txt"), train);
  const auto text = Run(Example());
  ASSERT_EQ(text.exit_status, 0) << text.standard_error;
  EXPECT_EQ(text.standard_output.find('\x1b'), std::string::npos);
  EXPECT_NE(text.standard_output.find("La\\u001b[31mtina \"x\" <b>"), std::string::npos);
  const Json json = RunJson();
  EXPECT_EQ(json["stops"][6]["name"], hostile);
}

}  // namespace
}  // namespace tarvosa

namespace tarvosa {
namespace {

// "10.12" or "10.12" and the half sign (Windows-1252 BD): the sheet's way.
std::string SheetTime(long seconds) {
  const long minutes = seconds / 60 % 60;
  return std::to_string(seconds / 3600) + "." + (minutes < 10 ? "0" : "") +
         std::to_string(minutes) + (seconds % 60 >= 30 ? "\xbd" : "");
}

// The sheet's row of `station`.
std::string RowOf(const std::string& sheet, const std::string& station) {
  std::string key(1, '|');
  key += station;
  const auto at = sheet.find(key += '_');
  return at == std::string::npos ? "" : sheet.substr(at, sheet.find('\n', at) - at);
}

TEST_F(ScenarioRun, DocumentsTakeTheirTimesFromTheRun) {
  const auto made = Run({"documents", In("ex/Tarvosa_linea.txt"), In("ex/Tarvosa_Corvale-.txt"),
                         "-o", In("docs"), "--times-from-run", "--allowance", "5"});
  ASSERT_EQ(made.exit_status, 0) << made.standard_error;
  const std::string sheet = ReadFile(In("docs/Tarvosa_Corvale_scheda_treno.txt"));
  const Json run = RunJson({"--allowance", "5"});
  const long start = 9 * 3600 + 42 * 60 + 50;
  for (const std::size_t i : {std::size_t{1}, std::size_t{6}, std::size_t{20}}) {
    const Json& s = run["stops"][i];
    const long at = start + std::lround(s["departure_s"].get<double>());
    EXPECT_NE(RowOf(sheet, s["name"]).find(SheetTime(at).insert(0, 1, '|') + "_"),
              std::string::npos)
        << RowOf(sheet, s["name"]);
  }
  const long end = start + std::lround(run["total_time_s"].get<double>());
  EXPECT_NE(sheet.find("|Napoli Piazza Garibaldi     |" + SheetTime(end) + " "), std::string::npos);
  // The train file's own times are gone: Latina's 10.12 is the run's now.
  EXPECT_EQ(RowOf(sheet, "Latina").find("10.12"), std::string::npos);
}

TEST_F(ScenarioRun, DocumentsRefuseATrainAtFaultAndOptionsWithoutTheRun) {
  const auto refused =
      Run({"documents", In("ex/Tarvosa_linea.txt"), In("ex/Tarvosa_Corvale-.txt"), "-o", In("docs"),
           "--times-from-run", "--rolling-stock", Stock("negative_mass.json")});
  EXPECT_EQ(refused.exit_status, 2);
  EXPECT_NE(refused.standard_error.find("mass must be above 0"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(In("docs")));
  EXPECT_EQ(Run({"documents", In("ex/Tarvosa_linea.txt"), In("ex/Tarvosa_Corvale-.txt"), "-o",
                 In("docs"), "--allowance", "3"})
                .exit_status,
            4);
}

}  // namespace
}  // namespace tarvosa
