#include "compiler/codes.h"

#include <gtest/gtest.h>

namespace tarvosa {
namespace {

ScenarioHeader Titles(std::string train, std::string route) {
  ScenarioHeader header{};
  header[kTrainEntry].name = std::move(train);
  header[kRouteEntry].name = std::move(route);
  return header;
}

TEST(Codes, TheWorkedExample) {
  const ScenarioHeader header = Titles("ab", "cd");
  EXPECT_EQ(codice_gara_og(header), 2537);
  EXPECT_EQ(codice_gara_st(header), 33574);
}

// "corvaletarvosa" and the first 11 letters of the suffix, by hand.
TEST(Codes, ThisScenariosTitles) {
  const ScenarioHeader header = Titles("Corvale", "Tarvosa");
  EXPECT_EQ(codice_gara_og(header), 2608);
  EXPECT_EQ(codice_gara_st(header), 33294);
}

TEST(Codes, CapitalsCountAsSmallLetters) {
  EXPECT_EQ(codice_gara_st(Titles("CORVALE", "TARVOSA")), 33294);
  EXPECT_EQ(codice_gara_og(Titles("\xC0", "")), codice_gara_og(Titles("\xE0", "")));  // À and à
}

TEST(Codes, SwappingTheTitlesKeepsOnlyThePlainSum) {
  EXPECT_EQ(codice_gara_og(Titles("cd", "ab")), 2537);
  EXPECT_NE(codice_gara_st(Titles("cd", "ab")), 33574);
}

TEST(Codes, OnlyTheFirst25CharactersCount) {
  EXPECT_EQ(codice_gara_og(Titles("", "")), 2583);  // the suffix alone
  EXPECT_EQ(codice_gara_st(Titles("", "")), 34355);
  const std::string long_title(25, 'z');
  EXPECT_EQ(codice_gara_st(Titles(long_title, "abc")), codice_gara_st(Titles(long_title, "xyz")));
  EXPECT_EQ(codice_gara_og(Titles(long_title, "")), 25 * 'z');
}

}  // namespace
}  // namespace tarvosa
