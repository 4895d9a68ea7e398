// Compiled files that are not sized as their table says, or are larger
// than the longest line's, on a file system in memory: `view` and `map`
// refuse them with 2 and both counts, and every command that reads a plan
// refuses one too large for any line before decoding it; and a line file
// of more warnings than the view lists.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "compiler/compiled_files.h"
#include "fake_os.h"
#include "tool_support.h"

namespace tarvosa {
namespace {

using testing::FakeOs;

const std::string kTrack = "/Percorso_Treno.dat";
const std::string kTable = "/Percorso_Treno.sim";
const std::string kPlan = "/Percorso_linea.dat";

class CompiledSizesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    os_.AddDirectory("/w/src");
    ASSERT_EQ(Tool({"new", "/w/src"}).exit_status, 0);
    Compile("/w/a", *os_.Content("/w/src/Percorso_linea.txt"));
    std::string longer = *os_.Content("/w/src/Percorso_linea.txt");
    const std::size_t at = longer.find("8000");
    ASSERT_NE(at, std::string::npos);
    longer.replace(at, 4, "9000");
    Compile("/w/longer", longer);
  }
  testing::ToolRun Tool(const std::vector<std::string>& arguments) {
    return testing::RunScenario(arguments, os_, program_);
  }
  void Compile(const std::string& directory, const std::string& line) {
    os_.AddDirectory(directory);
    os_.AddFile("/w/src/Percorso_linea.txt", line);
    const auto compiled = Tool(
        {"compile", "/w/src/Percorso_linea.txt", "/w/src/Percorso_Treno-.txt", "-o", directory});
    ASSERT_EQ(compiled.exit_status, 0) << compiled.standard_error;
  }
  // A directory of the 8 km scenario's files, but `name` taken from `from`
  // or given as `bytes`.
  std::string Mixed(const std::string& name, const std::string& bytes) {
    const std::string directory = "/w/mixed" + std::to_string(++mixed_);
    os_.AddDirectory(directory);
    for (const std::string& file : {kTrack, kTable, kPlan}) {
      os_.AddFile(directory + file, file == name ? bytes : *os_.Content("/w/a" + file));
    }
    return directory;
  }
  // The view and the map of `directory` end with 2, saying `message`.
  void ExpectRefused(const std::string& directory, const std::string& message) {
    const auto view = Tool({"view", directory, "-o", "/w/page.html"});
    EXPECT_EQ(view.exit_status, 2) << view.standard_error;
    EXPECT_NE(view.standard_error.find(message), std::string::npos) << view.standard_error;
    const auto map = Tool({"map", directory, "-o", "/w/map.svg"});
    EXPECT_EQ(map.exit_status, 2) << map.standard_error;
    EXPECT_NE(map.standard_error.find(message), std::string::npos) << map.standard_error;
    EXPECT_FALSE(os_.Content("/w/page.html"));
    EXPECT_FALSE(os_.Content("/w/map.svg"));
  }

  FakeOs os_;
  Result<std::string> program_ = std::string("/opt/tarvosa/scenario");
  int mixed_ = 0;
};

TEST_F(CompiledSizesTest, FilesThatFitTheirTableAreShown) {
  EXPECT_EQ(Tool({"view", "/w/a", "-o", "/w/page.html"}).exit_status, 0);
  EXPECT_EQ(Tool({"map", "/w/a", "-o", "/w/map.svg"}).exit_status, 0);
}

TEST_F(CompiledSizesTest, ViewAndMapRefuseATrackOrPlanOfAnotherLength) {
  ExpectRefused(Mixed(kPlan, *os_.Content("/w/longer" + kPlan)),
                "the plan has 16001 rows, but the table's line length of 8000 m gives 15001");
  ExpectRefused(Mixed(kTrack, *os_.Content("/w/longer" + kTrack)),
                "the track has 321 cells, but the table's line length of 8000 m (entry 84) "
                "gives 301");
}

TEST_F(CompiledSizesTest, APlanLargerThanTheLongestLinesIsRefusedByEveryCommand) {
  const std::size_t rows = 2 * kMostPlanRows;
  const std::string swollen(2 * 2 * rows, '\0');  // empty elements, two bytes each
  const std::string directory = Mixed(kPlan, swollen);
  ExpectRefused(directory, "the plan has " + std::to_string(rows) + " rows");

  const auto dump = Tool({"dump", directory + kPlan, "--kind", "plan"});
  EXPECT_EQ(dump.exit_status, 2);
  EXPECT_NE(dump.standard_error.find("more than the plan of the longest line, 1007001 rows"),
            std::string::npos)
      << dump.standard_error;
  EXPECT_EQ(Tool({"dump", directory + kPlan}).exit_status, 2);
  EXPECT_EQ(Tool({"diff", directory, "/w/a"}).exit_status, 2);
  const auto decompiled = Tool({"decompile", directory, "-o", "/w/out"});
  EXPECT_EQ(decompiled.exit_status, 2);
  EXPECT_NE(decompiled.standard_error.find("the plan has " + std::to_string(rows) + " rows"),
            std::string::npos)
      << decompiled.standard_error;
}

TEST_F(CompiledSizesTest, ATrackLargerThanTheLongestLinesIsNoTrack) {
  const std::string swollen((kMostTrackCells + 1) * kTrackCellBytes, '\0');
  const auto dump = Tool({"dump", Mixed(kTrack, swollen) + kTrack, "--kind", "track"});
  EXPECT_EQ(dump.exit_status, 2);
  EXPECT_NE(dump.standard_error.find("more than the track of the longest line, 20141 cells"),
            std::string::npos)
      << dump.standard_error;
}

// The page's data, read back as the page's script reads it.
nlohmann::json EmbeddedData(const std::string& page) {
  const std::string open = "<script type=\"application/json\" id=\"scenario-data\">";
  const std::size_t from = page.find(open) + open.size();
  return nlohmann::json::parse(page.substr(from, page.find("</script>", from) - from));
}

TEST_F(CompiledSizesTest, TheViewListsTheFirstThousandWarningsAndCountsTheRest) {
  std::string line = *os_.Content("/w/src/Percorso_linea.txt");
  std::string zero_lengths;
  for (int i = 0; i < 1500; ++i) zero_lengths += "lunghezza percorso, 0\r\n";
  line.insert(line.find("lunghezza percorso"), zero_lengths);
  os_.AddFile("/w/src/Percorso_linea.txt", line);
  const auto view = Tool(
      {"view", "/w/src/Percorso_linea.txt", "/w/src/Percorso_Treno-.txt", "-o", "/w/page.html"});
  ASSERT_EQ(view.exit_status, 0) << view.standard_error;
  const nlohmann::json messages = EmbeddedData(*os_.Content("/w/page.html"))["messages"];
  ASSERT_EQ(messages.size(), 1001u);
  EXPECT_EQ(messages[0]["where"], "/w/src/Percorso_linea.txt:2:21");
  EXPECT_EQ(messages[999]["where"], "/w/src/Percorso_linea.txt:1001:21");
  EXPECT_EQ(messages[1000]["text"], "500 more warnings are not shown here");
}

}  // namespace
}  // namespace tarvosa
