// A line file of more warnings than are kept: `check` and `compile` print
// the first thousand as ever and one line counting the rest, and --strict
// and the summary still count every one.
#include <gtest/gtest.h>

#include <algorithm>

#include "fake_os.h"
#include "tool_support.h"

namespace tarvosa {
namespace {

const std::string kLine = "/w/src/Percorso_linea.txt";
const std::string kTrain = "/w/src/Percorso_Treno-.txt";

class ManyWarnings : public ::testing::Test {
 protected:
  void SetUp() override {
    os_.AddDirectory("/w/src");
    os_.AddDirectory("/w/out");
    ASSERT_EQ(Tool({"new", "/w/src"}).exit_status, 0);
  }
  testing::ToolRun Tool(const std::vector<std::string>& arguments) {
    return testing::RunScenario(arguments, os_, program_);
  }
  // The `new` scenario's line file with `count` length records of 0 m
  // before its own, a warning each.
  void ZeroLengths(int count) {
    std::string line = *os_.Content(kLine);
    std::string zero_lengths;
    for (int i = 0; i < count; ++i) zero_lengths += "lunghezza percorso, 0\r\n";
    line.insert(line.find("lunghezza percorso"), zero_lengths);
    os_.AddFile(kLine, line);
  }

  testing::FakeOs os_;
  Result<std::string> program_ = std::string("/opt/tarvosa/scenario");
};

std::size_t WarningLines(const std::string& text) {
  std::size_t lines = 0;
  for (std::size_t at = text.find(": warning: "); at != std::string::npos;
       at = text.find(": warning: ", at + 1)) {
    ++lines;
  }
  return lines;
}

TEST_F(ManyWarnings, CheckPrintsTheFirstThousandAndCountsTheRest) {
  ZeroLengths(5000);
  const auto checked = Tool({"check", kLine, kTrain});
  EXPECT_EQ(checked.exit_status, 0) << checked.standard_error.substr(0, 500);
  EXPECT_EQ(WarningLines(checked.standard_error), 1000u);
  EXPECT_NE(checked.standard_error.find(kLine + ":1001:21: warning: the line length is 0 m"),
            std::string::npos);
  EXPECT_EQ(checked.standard_error.find(kLine + ":1002:21: warning:"), std::string::npos);
  const std::size_t last_warning = checked.standard_error.rfind(": warning: ");
  const std::size_t count = checked.standard_error.find("scenario: 4000 more warnings not shown\n");
  EXPECT_NE(count, std::string::npos);
  EXPECT_GT(count, last_warning);
}

TEST_F(ManyWarnings, StrictCountsEveryWarning) {
  ZeroLengths(5000);
  const auto checked = Tool({"check", kLine, kTrain, "--strict"});
  EXPECT_EQ(checked.exit_status, 2);
  EXPECT_NE(checked.standard_error.find("5000 warnings and --strict"), std::string::npos);
  const auto compiled = Tool({"compile", kLine, kTrain, "-o", "/w/out", "--strict"});
  EXPECT_EQ(compiled.exit_status, 2);
  EXPECT_NE(compiled.standard_error.find("scenario: 4000 more warnings not shown\n"),
            std::string::npos);
  EXPECT_NE(compiled.standard_error.find("5000 warnings and --strict: nothing written"),
            std::string::npos);
}

TEST_F(ManyWarnings, TheCompileSummaryCountsEveryWarning) {
  ZeroLengths(1001);
  const auto compiled = Tool({"compile", kLine, kTrain, "-o", "/w/out"});
  ASSERT_EQ(compiled.exit_status, 0) << compiled.standard_error.substr(0, 500);
  EXPECT_EQ(WarningLines(compiled.standard_error), 1000u);
  EXPECT_NE(compiled.standard_error.find("scenario: 1 more warning not shown\n"),
            std::string::npos);
  EXPECT_NE(compiled.standard_output.find(", 1001 warnings\n"), std::string::npos)
      << compiled.standard_output;
}

TEST_F(ManyWarnings, AThousandWarningsAreAllShownWithNoCount) {
  ZeroLengths(1000);
  const auto checked = Tool({"check", kLine, kTrain});
  EXPECT_EQ(WarningLines(checked.standard_error), 1000u);
  EXPECT_EQ(checked.standard_error.find("more warning"), std::string::npos);
}

}  // namespace
}  // namespace tarvosa
