// Rolling stocks read from railjson files: the two real ones, the versions'
// two ways of giving the braking, and every way a file can be refused.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "running/railjson.h"

namespace tarvosa::running {
namespace {

std::string Data(const std::string& name) {
  std::ifstream in(std::string(TARVOSA_ROLLING_STOCKS) + "/" + name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

Result<RollingStock> ReadData(const std::string& name) {
  return ReadRailjson(name, Data(name));
}

TEST(Railjson, TheIntercityTrainOfVersion33) {
  const auto stock = ReadData("intercity-train.json");
  ASSERT_TRUE(stock.ok()) << stock.status().message();
  EXPECT_EQ(stock->name, "Intercity train");
  EXPECT_EQ(stock->mass, 350000);
  EXPECT_EQ(stock->length, 200);
  EXPECT_DOUBLE_EQ(stock->max_speed, 55.55555555555556);
  EXPECT_EQ(stock->inertia_coefficient, 1.05);
  EXPECT_DOUBLE_EQ(stock->davis_a, 3395.0000000000005);
  EXPECT_EQ(stock->davis_b, 108.36);
  EXPECT_EQ(stock->davis_c, 9.072);
  ASSERT_EQ(stock->curve_speeds.size(), 21u);
  EXPECT_EQ(stock->curve_efforts.front(), 195000);
  EXPECT_EQ(stock->curve_efforts.back(), 54000);
  EXPECT_EQ(stock->comfort_acceleration, 0.25);
  EXPECT_EQ(stock->braking, 0.5);  // const_gamma
}

TEST(Railjson, TheFastRollingStockOfVersion32) {
  const auto stock = ReadData("fast_rolling_stock.json");
  ASSERT_TRUE(stock.ok()) << stock.status().message();
  EXPECT_EQ(stock->mass, 900000);
  EXPECT_EQ(stock->length, 400);
  EXPECT_EQ(stock->max_speed, 80);
  EXPECT_EQ(stock->davis_a, 5400);
  ASSERT_EQ(stock->curve_speeds.size(), 17u);
  EXPECT_EQ(stock->curve_speeds[5], 22);  // the thermal mode's curve
  EXPECT_EQ(stock->braking, 0.5);         // gamma of type CONST
}

TEST(Railjson, TheTestFilesRefusedAsTheyAre) {
  const std::pair<const char*, const char*> refused[] = {
      {"negative_mass.json", "negative_mass.json: mass must be above 0, found -100000"},
      {"non_monotonic_curve.json",
       "non_monotonic_curve.json: the effort curve's speeds must increase: 10 follows 20"},
      {"missing_mass.json", "missing_mass.json: the member mass is missing"},
      {"mass_as_text.json", "mass_as_text.json: mass must be a number, found string"},
  };
  for (const auto& [file, message] : refused) {
    const auto stock = ReadData(file);
    ASSERT_FALSE(stock.ok()) << file;
    EXPECT_EQ(stock.status().kind(), ExitStatus::kDataError);
    EXPECT_EQ(stock.status().message(), message);
  }
  EXPECT_TRUE(ReadData("constant_effort.json").ok());
}

// The constant-effort file with one change.
std::string Changed(void (*change)(nlohmann::json&)) {
  nlohmann::json file = nlohmann::json::parse(Data("constant_effort.json"));
  change(file);
  return file.dump();
}

TEST(Railjson, EachMemberMissingOrWrongIsNamed) {
  using J = nlohmann::json;
  const std::pair<std::string, void (*)(J&)> cases[] = {
      {"the member railjson_version is missing", [](J& f) { f.erase("railjson_version"); }},
      {"railjson_version must be 3.x, found 2.1", [](J& f) { f["railjson_version"] = "2.1"; }},
      {"railjson_version must be a text, found number", [](J& f) { f["railjson_version"] = 3; }},
      {"the member length is missing", [](J& f) { f.erase("length"); }},
      {"the member max_speed is missing", [](J& f) { f.erase("max_speed"); }},
      {"the member inertia_coefficient is missing", [](J& f) { f.erase("inertia_coefficient"); }},
      {"the member rolling_resistance is missing", [](J& f) { f.erase("rolling_resistance"); }},
      {"rolling_resistance.type must be davis, found linear",
       [](J& f) { f["rolling_resistance"]["type"] = "linear"; }},
      {"the member rolling_resistance.A is missing",
       [](J& f) { f["rolling_resistance"].erase("A"); }},
      {"the member rolling_resistance.B is missing",
       [](J& f) { f["rolling_resistance"].erase("B"); }},
      {"the member rolling_resistance.C is missing",
       [](J& f) { f["rolling_resistance"].erase("C"); }},
      {"rolling_resistance must be an object, found array",
       [](J& f) { f["rolling_resistance"] = J::array(); }},
      {"the member effort_curves.default_mode is missing",
       [](J& f) { f["effort_curves"].erase("default_mode"); }},
      {"the member effort_curves.modes.other is missing",
       [](J& f) { f["effort_curves"]["default_mode"] = "other"; }},
      {"the member effort_curves.modes is missing",
       [](J& f) { f["effort_curves"].erase("modes"); }},
      {"the member effort_curves.modes.test.default_curve is missing",
       [](J& f) { f["effort_curves"]["modes"]["test"].erase("default_curve"); }},
      {"effort_curves.modes.test.default_curve.speeds must be a list, found number",
       [](J& f) { f["effort_curves"]["modes"]["test"]["default_curve"]["speeds"] = 0; }},
      {"effort_curves.modes.test.default_curve.max_efforts must hold numbers only, found string",
       [](J& f) { f["effort_curves"]["modes"]["test"]["default_curve"]["max_efforts"] = {"a"}; }},
      {"the member comfort_acceleration is missing", [](J& f) { f.erase("comfort_acceleration"); }},
      {"the member gamma is missing", [](J& f) { f.erase("const_gamma"); }},
      {"the braking deceleration (const_gamma, or gamma's value) must be above 0, found -1",
       [](J& f) { f["const_gamma"] = -1; }},
      {"gamma.type must be CONST, found MAX",
       [](J& f) {
         f.erase("const_gamma"), f["gamma"] = {{"type", "MAX"}, {"value", 1}};
       }},
      {"the member gamma.value is missing",
       [](J& f) {
         f.erase("const_gamma"), f["gamma"] = {{"type", "CONST"}};
       }},
      {"the effort curve has 1 speeds and 2 max_efforts",
       [](J& f) {
         f["effort_curves"]["modes"]["test"]["default_curve"]["max_efforts"] = {1, 2};
       }},
  };
  for (const auto& [message, change] : cases) {
    const auto stock = ReadRailjson("train.json", Changed(change));
    ASSERT_FALSE(stock.ok()) << message;
    EXPECT_EQ(stock.status().message(), "train.json: " + message);
  }
}

TEST(Railjson, ThreePointTwoBrakingAndUnknownMembers) {
  const auto stock = ReadRailjson("train.json", Changed([](nlohmann::json& f) {
                                    f.erase("const_gamma");
                                    f["gamma"] = {{"type", "CONST"}, {"value", 0.6}};
                                    f["railjson_version"] = "3.2";
                                    f["loading_gauge"] = "G1";
                                    f.erase("name");
                                  }));
  ASSERT_TRUE(stock.ok()) << stock.status().message();
  EXPECT_EQ(stock->braking, 0.6);
  EXPECT_EQ(stock->name, "");
}

TEST(Railjson, TextThatIsNoObject) {
  EXPECT_EQ(ReadRailjson("x.json", "{\"mass\": ").status().message(),
            "x.json: is not JSON: a railjson rolling stock is a JSON object");
  EXPECT_EQ(ReadRailjson("x.json", "[1, 2]").status().message(),
            "x.json: the file must be an object, found array");
}

}  // namespace
}  // namespace tarvosa::running
