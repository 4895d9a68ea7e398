// A scenario whose every text is hostile, through every place the tool
// shows it: the view's page, the map's SVG and the terminal. Station names,
// board texts, titles, file names and the quotes of warnings end or open
// markup, comments and scripts, and drive a terminal.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "test_process.h"
#include "test_support.h"
#include "tool/presenters/view_assets.h"
#include "tool_support.h"
#include "util/utf8.h"

namespace tarvosa {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;
using testing::ReadFile;
using testing::WriteFile;

const std::string kScript = "</script><script>window.__pwned=1</script>";
const std::string kComment = "<!--<script>";
const std::string kImage = "<img src=x onerror=\"window.__pwned=1\">\x1b[2J\x1b]0;pwned\x07\x7F";
const std::string kBoard = "]]><x>&amp;\"'\x01";
// File names hold no '/', and the route no '_': the titles come from them.
const std::string kRoute = "\x1b[31m<!--<img src=x onerror=alert(1)>";
const std::string kTrain = "<b>&amp;\x1b]0;t\x07";
// Titles as hostile as a file name on every system may be: what is
// compiled under them.
const std::string kTitleRoute = "Ostile &amp; ]]";
const std::string kTitleTrain = "&lt;b' $(x)";

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

// Whether a terminal would act on `text`: a control character other than
// the line feed, or a byte that is no UTF-8.
bool DrivesATerminal(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const auto decoded = DecodeUtf8(text, at);
    if (!decoded) return true;
    const char32_t c = decoded->first;
    if (c != '\n' && (c < 0x20 || (c >= 0x7F && c < 0xA0))) return true;
    at += decoded->second;
  }
  return false;
}

std::size_t Count(std::string_view text, std::string_view what) {
  std::size_t count = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
    ++count;
  }
  return count;
}

// Every text in `value`, a line each.
std::string TextsOf(const Json& value) {
  if (value.is_string()) return value.get<std::string>() + "\n";
  std::string texts;
  if (value.is_structured()) {
    for (const Json& item : value) texts += TextsOf(item);
  }
  return texts;
}

// The page's data, read back as the page's script reads it.
Json EmbeddedData(const std::string& page) {
  const std::string open = "<script type=\"application/json\" id=\"scenario-data\">";
  const std::size_t from = page.find(open) + open.size();
  return Json::parse(page.substr(from, page.find("</script>", from) - from));
}

// The skeleton of `scenario new` with hostile texts under hostile names.
class HostileTexts : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(testing::RunScenario({"new", In("lago"), "--route", "Lago"}).exit_status, 0);
    std::string train = ReadFile(In("lago/Lago_Treno-.txt"));
    train = Replaced(train, "Partenza", kScript);
    train = Replaced(train, "Fermata", kComment);
    train = Replaced(train, "Arrivo", kImage);
    train = Replaced(train, "[segnali]\r\n", "[segnali]\r\nsegnal\x1b[2J<b>, 2500\r\n");
    WriteFile(Line(), Replaced(ReadFile(In("lago/Lago_linea.txt")), "(Galleria )(Nuova)", kBoard));
    WriteFile(Train(), train);
    fs::create_directory(In("out"));
  }
  std::string In(const std::string& file) const { return (work_.path() / file).string(); }
  std::string Line() const { return In(kRoute + "_linea.txt"); }
  std::string Train() const { return In(kRoute + "_" + kTrain + "-.txt"); }
  std::string Compiled(const std::string& suffix) const { return In("out/" + kRoute + suffix); }

  testing::ScratchDirectory work_{"ostile"};
};

TEST_F(HostileTexts, ThePageHoldsEveryTextAsDataAndNoneAsMarkup) {
  const std::string route = "</title><script>window.__pwned=1</script>/*SCENARIO_DATA*/";
  const auto made = testing::RunScenario(
      {"view", Line(), Train(), "-o", In("vista.html"), "--route", route, "--train", kImage});
  ASSERT_EQ(made.exit_status, 0) << made.standard_error;
  const std::string page = ReadFile(In("vista.html"));
  // The page's own elements and no more: the template's scripts, the
  // licence's comment.
  EXPECT_EQ(Count(page, "<script"), Count(tarvosa::tool::kViewPage, "<script"));
  EXPECT_EQ(Count(page, "</script"), Count(tarvosa::tool::kViewPage, "</script"));
  EXPECT_EQ(Count(page, "<!--"), 1u);
  EXPECT_EQ(Count(page, "</title>"), 1u);
  EXPECT_EQ(Count(page, "<img"), 0u);

  const Json data = EmbeddedData(page);
  EXPECT_EQ(data["title"], route + " - " + kImage);
  std::vector<std::string> names;
  for (const Json& station : data["stations"]) names.push_back(station["name"]);
  EXPECT_EQ(names, (std::vector<std::string>{kScript, kComment, kImage}));
  const std::string texts = TextsOf(data);
  EXPECT_NE(texts.find(Train() + ":"), std::string::npos);         // the records' sources
  EXPECT_NE(texts.find("'segnal\x1b[2J<b>'"), std::string::npos);  // a warning's quote
}

TEST_F(HostileTexts, APathOfOtherBytesThanUtf8ShowsTheReplacementCharacter) {
  const std::string line = In("Lago\xFF_linea.txt"), train = In("Lago\xFF_Treno-.txt");
  fs::copy_file(Line(), line);
  fs::copy_file(Train(), train);
  const auto made = testing::RunScenario({"view", line, train, "-o", In("vista.html")});
  ASSERT_EQ(made.exit_status, 0) << made.standard_error;
  const std::string page = ReadFile(In("vista.html"));
  EXPECT_EQ(page, ValidUtf8(page));
  const std::string shown = TextsOf(EmbeddedData(page));
  EXPECT_NE(shown.find("Lago\xEF\xBF\xBD_Treno-.txt:"), std::string::npos) << shown;
  EXPECT_EQ(made.standard_error.find('\xFF'), std::string::npos);
  EXPECT_NE(made.standard_error.find("Lago\\xff_Treno-.txt:"), std::string::npos);
}

#ifdef TARVOSA_PYTHON
// Every map parses as XML 1.0 (Python's XML parser), and its texts read
// back as they were, but for the characters XML cannot hold.
TEST_F(HostileTexts, EveryMapIsXmlAndShowsTheTextsAsTheyAre) {
  ASSERT_EQ(testing::RunScenario({"compile", Line(), Train(), "-o", In("out"), "--route",
                                  kTitleRoute, "--train", kTitleTrain})
                .exit_status,
            0);
  ASSERT_EQ(testing::RunScenario({"export", In("example")}).exit_status, 0);
  fs::create_directory(In("example/out"));
  ASSERT_EQ(testing::RunScenario({"compile", In("example/Tarvosa_linea.txt"),
                                  In("example/Tarvosa_Corvale-.txt"), "-o", In("example/out")})
                .exit_status,
            0);
  for (const std::string map : {"out", "example/out"}) {
    ASSERT_EQ(testing::RunScenario({"map", In(map), "-o", In(map + ".svg")}).exit_status, 0);
  }
  const std::string texts_of_every_text_element =
      "import sys, xml.dom.minidom\n"
      "for name in sys.argv[1:]:\n"
      "    for t in xml.dom.minidom.parse(name).getElementsByTagName('text'):\n"
      "        print(''.join(n.data for n in t.childNodes if n.nodeType == n.TEXT_NODE))\n";
  const auto parsed = testing::RunProgram(
      TARVOSA_PYTHON, work_.path(), {.environment = {{"PYTHONIOENCODING", "utf-8"}}},
      {"-c", texts_of_every_text_element, In("out.svg"), In("example/out.svg")});
  ASSERT_EQ(parsed.exit_status, 0) << parsed.standard_error;
  const std::string& texts = parsed.standard_output;
  const std::string replaced = "\xEF\xBF\xBD";
  EXPECT_NE(texts.find(kTitleRoute + " - " + kTitleTrain), std::string::npos) << texts;
  EXPECT_NE(texts.find("window.__pwned=1\">" + replaced + "[2J" + replaced + "]0;pwned" + replaced),
            std::string::npos)
      << texts;
  EXPECT_NE(texts.find(kScript), std::string::npos);
  EXPECT_NE(texts.find(kComment), std::string::npos);
  EXPECT_NE(texts.find("Napoli Piazza Garibaldi 11:44:00"), std::string::npos);
}
#endif

// A title its file names cannot give back is suggested as a shell's word:
// the shell reads back the very title, and runs nothing of it.
TEST_F(HostileTexts, TheTitlesSuggestedForTheShellAreReadBackAsTheyAre) {
  const std::string route = "a_b';touch pwned;'$(touch pwned)", train = "c'd `x`";
  ASSERT_EQ(testing::RunScenario(
                {"compile", Line(), Train(), "-o", In("out"), "--route", route, "--train", train})
                .exit_status,
            0);
  const auto back = testing::RunScenario({"decompile", In("out"), "-o", In("back")});
  ASSERT_EQ(back.exit_status, 0) << back.standard_error;
  const std::string lead = "compile them with ";
  const std::size_t at = back.standard_output.find(lead);
  ASSERT_NE(at, std::string::npos) << back.standard_output;
  const std::string words = back.standard_output.substr(at + lead.size());
  const auto read =
      testing::RunProgram("/bin/sh", work_.path(), {}, {"-c", "printf '%s\\n' " + words});
  EXPECT_EQ(read.standard_output, "--route\n" + route + "\n--train\n" + train + "\n");
  EXPECT_FALSE(fs::exists(work_.path() / "pwned"));
}

// Whatever a command says of the texts, on either stream, is escaped: the
// terminal sees their controls as \u001b and stray bytes as \xff.
TEST_F(HostileTexts, TheTerminalIsNeverDriven) {
  ASSERT_EQ(testing::RunScenario({"new", In("plain")}).exit_status, 0);
  fs::create_directory(In("plain/out"));
  ASSERT_EQ(testing::RunScenario({"compile", In("plain/Percorso_linea.txt"),
                                  In("plain/Percorso_Treno-.txt"), "-o", In("plain/out")})
                .exit_status,
            0);
  ASSERT_EQ(testing::RunScenario({"compile", Line(), Train(), "-o", In("out"), "--route",
                                  kTitleRoute, "--train", kTitleTrain})
                .exit_status,
            0);
  const std::string sim = In("out/" + kTitleRoute + "_" + kTitleTrain + ".sim");
  const struct {
    std::vector<std::string> arguments;
    std::string shown;  // what must be said, escaped
  } cases[] = {
      {{"check", Line(), Train()}, "'segnal\\u001b[2J<b>' matches no keyword"},
      {{"compile", Line(), Train(), "-o", In("out")}, "the titles '\\u001b[31m<!--<img"},
      {{"dump", sim}, "\\u001b[2J\\u001b]0;pwned\\u0007\\u007f"},
      {{"dump", sim, "--format", "csv"}, "]]><x>&amp;\"\"'\\u0001"},
      {{"dump", sim, "--format", "json"}, "\\u001b[2J\\u001b]0;pwned\\u0007\\u007f"},
      {{"dump", sim, "--raw"}, "\\u001b[2J"},
      {{"dump", Compiled(".dat") + "x"}, "\\u001b[31m<!--<img"},
      {{"diff", In("out"), In("plain/out")}, "\\u001b[2J"},
      {{"view", Line(), Train(), "-o", In("vista.html")}, "segnal\\u001b[2J<b>"},
      {{"decompile", In("out"), "-o", In("back"), "--route", kRoute}, "\\u001b[31m"},
  };
  for (const auto& c : cases) {
    const auto run = testing::RunScenario(c.arguments);
    const std::string said = run.standard_output + run.standard_error;
    EXPECT_FALSE(DrivesATerminal(said)) << c.arguments[0] << ": " << said;
    EXPECT_NE(said.find(c.shown), std::string::npos) << c.arguments[0] << ": " << said;
  }
}

}  // namespace
}  // namespace tarvosa
