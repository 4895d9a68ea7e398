// The tool's runner: every command of its table reachable by its name, a
// command line that does not parse a usage error, the exit status of each
// ending from one place, and the program saying what the runner says.
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "test_process.h"
#include "test_support.h"
#include "tool/commands/registry.h"
#include "tool/outcome.h"
#include "tool_support.h"

namespace tarvosa {
namespace {

using testing::RunScenario;

TEST(Outcome, EachKindEndsWithItsExitStatusAndItsMessageOnce) {
  const struct {
    Status status;
    int exit_status;
  } cases[] = {{Status::FileSystemError("a: cannot read the file"), 1},
               {Status::DataError("a:1:2: error 25: x"), 2},
               {Status::FatalConflict("error 1250: taken"), 3},
               {Status::UsageError("the step must be at least 1"), 4}};
  for (const auto& c : cases) {
    std::ostringstream err;
    EXPECT_EQ(tool::Finish(c.status, err), c.exit_status);
    EXPECT_EQ(err.str(), c.status.message() + "\n");
    // Told again in other words, the kind stays.
    const Status restated = tool::Restated(c.status, "other words");
    EXPECT_EQ(restated.kind(), c.status.kind());
    EXPECT_EQ(restated.message(), "other words");
  }
}

TEST(Outcome, CleanSidesThatDifferAndFailuresToldAlreadyPrintNothing) {
  std::ostringstream err;
  EXPECT_EQ(tool::Finish(Status(), err), 0);
  EXPECT_EQ(tool::Finish(tool::Outcome::Differ(), err), 1);
  EXPECT_EQ(tool::Finish(tool::Restated(Status::DataError("verdict"), ""), err), 2);
  EXPECT_EQ(err.str(), "");
  EXPECT_TRUE(tool::Restated(Status(), "words").ok());
}

TEST(Runner, EveryCommandOfTheTableIsListedAndAnswersToItsName) {
  const auto help = RunScenario({"--help"});
  ASSERT_EQ(help.exit_status, 0);
  EXPECT_EQ(help.standard_error, "");
  std::set<std::string_view> names;
  for (const tool::Command* command : tool::AllCommands()) {
    EXPECT_TRUE(names.insert(command->name).second) << command->name;
    const std::string name(command->name);
    EXPECT_NE(help.standard_output.find("  " + name + " "), std::string::npos) << name;
    const auto own = RunScenario({name, "--help"});
    EXPECT_EQ(own.exit_status, 0) << name;
    EXPECT_NE(own.standard_output.find(std::string(command->description)), std::string::npos)
        << name;
    EXPECT_NE(own.standard_output.find("Exit status: 0 "), std::string::npos) << name;
    // Without its arguments every command is a usage error.
    const auto bare = RunScenario({name});
    EXPECT_EQ(bare.exit_status, 4) << name;
    EXPECT_EQ(bare.standard_output, "") << name;
  }
  EXPECT_EQ(names.size(), 12u);
}

TEST(Runner, AWordItDoesNotKnowIsAUsageErrorToldOnceOnTheErrorStream) {
  for (const std::vector<std::string>& words : {std::vector<std::string>{},
                                                {"frobnicate"},
                                                {"dump", "x.dat", "--format", "xml"},
                                                {"check", "--no-such-option"}}) {
    const auto run = RunScenario(words);
    EXPECT_EQ(run.exit_status, 4);
    EXPECT_EQ(run.standard_output, "");
    const std::string& err = run.standard_error;
    const std::string hint = "Run with --help for more information.\n";
    EXPECT_TRUE(err.ends_with(hint)) << err;
    EXPECT_EQ(err.find(hint), err.size() - hint.size()) << err;
  }
}

// main only hands its words and streams to the runner.
TEST(Runner, TheProgramSaysWhatTheRunnerSays) {
  testing::ScratchDirectory work{"programma"};
  for (const std::vector<std::string>& words :
       {std::vector<std::string>{"--help"},
        {"--version"},
        {},
        {"dump", "--help"},
        {"dump", "manca.dat"},
        {"new", work.text() + "/nuovo", "--route", "\xE2\x9C\x93"}}) {
    const auto program = testing::RunProgram(TARVOSA_SCENARIO_TOOL, work.path(), {}, words);
    const auto runner = RunScenario(words);
    EXPECT_EQ(program.exit_status, runner.exit_status) << ::testing::PrintToString(words);
    EXPECT_EQ(program.standard_output, runner.standard_output);
    EXPECT_EQ(program.standard_error, runner.standard_error);
  }
}

}  // namespace
}  // namespace tarvosa
