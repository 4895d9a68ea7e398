// scenario view: from the text files or the compiled files, with a data
// error, without a track, in-process; and watching its inputs, which takes
// a process that runs until it is stopped.
#include <signal.h>

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "test_process.h"
#include "test_support.h"
#include "tool_support.h"

namespace tarvosa {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::ReadFile;
using testing::WriteFile;

class ScenarioView : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(Run({"new", In("lago"), "--route", "Lago"}).exit_status, 0); }
  testing::ToolRun Run(const std::vector<std::string>& arguments) {
    return testing::RunScenario(arguments);
  }
  std::string In(const std::string& file) const { return (work_.path() / file).string(); }
  std::string Line() const { return In("lago/Lago_linea.txt"); }
  std::string Train() const { return In("lago/Lago_Treno-.txt"); }

  testing::ScratchDirectory work_{"vista"};
};

const std::string kSvgNamespace = "http://www.w3.org/2000/svg";

TEST_F(ScenarioView, APageFromTheTextsOrFromTheCompiledFilesNeedsNothingElse) {
  const auto made = Run({"view", Line(), Train(), "-o", In("vista.html")});
  EXPECT_EQ(made.exit_status, 0) << made.standard_error;
  const std::string page = ReadFile(In("vista.html"));
  EXPECT_NE(page.find("\"title\":\"Lago - Treno\""), std::string::npos);
  EXPECT_NE(page.find("\"source\":\"" + Train() + ":19:11\""), std::string::npos);  // the signal
  // No address to fetch: the only one is the name SVG elements are made under.
  std::string addresses = page;
  for (std::size_t at; (at = addresses.find(kSvgNamespace)) != std::string::npos;) {
    addresses.erase(at, kSvgNamespace.size());
  }
  EXPECT_EQ(addresses.find("http"), std::string::npos);

  fs::create_directory(work_.path() / "out");
  ASSERT_EQ(Run({"compile", Line(), Train(), "-o", In("out")}).exit_status, 0);
  EXPECT_EQ(Run({"view", In("out"), "-o", In("compilato.html")}).exit_status, 0);
  const std::string compiled = ReadFile(In("compilato.html"));
  EXPECT_NE(compiled.find("\"title\":\"Lago - Treno\""), std::string::npos);
  EXPECT_EQ(compiled.find("\"source\""), std::string::npos);  // no texts to point into
}

TEST_F(ScenarioView, ADataErrorIsShownAndANoTrackLineIsRefused) {
  std::string train = ReadFile(Train());
  train.replace(train.find("stazione,  3500"), 15, "stazione,  3525");
  WriteFile(Train(), train);
  const auto shown = Run({"view", Line(), Train(), "-o", In("errore.html")});
  EXPECT_EQ(shown.exit_status, 2);
  EXPECT_NE(ReadFile(In("errore.html")).find("error 8 at 3525 m"), std::string::npos);

  WriteFile(Line(), "[generale]\r\n[fine]\r\n");
  const auto refused = Run({"view", Line(), Train(), "-o", In("niente.html")});
  EXPECT_EQ(refused.exit_status, 2);
  EXPECT_FALSE(fs::exists(In("niente.html")));
}

TEST_F(ScenarioView, WatchingRewritesThePageWhenAnInputChanges) {
  const auto watching =
      testing::StartProgram(TARVOSA_SCENARIO_TOOL, work_.path(), {},
                            {"view", Line(), Train(), "-o", In("w.html"), "--watch"});
  const auto wait_for = [&](const std::string& file, const std::string& words) {
    for (int tries = 0; tries < 100; ++tries) {
      if (fs::exists(file) && ReadFile(file).find(words) != std::string::npos) return true;
      std::this_thread::sleep_for(100ms);
    }
    return false;
  };
  EXPECT_TRUE(wait_for(In("w.html.stamp.js"), "\"1\""));
  std::this_thread::sleep_for(1100ms);  // a later write time than the first
  std::string train = ReadFile(Train());
  train.replace(train.find("8, 5, 0, Fermata"), 16, "8, 6, 0, Fermata");
  WriteFile(Train(), train);
  EXPECT_TRUE(wait_for(In("w.html.stamp.js"), "\"2\""));
  EXPECT_TRUE(wait_for(In("w.html"), "08:06:00"));
  kill(watching.pid, SIGTERM);
  testing::WaitProgram(watching);
}

}  // namespace
}  // namespace tarvosa
