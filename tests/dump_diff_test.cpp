// scenario dump and scenario diff as authors use them: run on the exported
// scenario compiled, on copies of it with small edits, and on files that
// are no compiled files at all; in-process, but for a file the program may
// not read, which takes a process run as another user.
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <sstream>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "compile_support.h"
#include "test_process.h"
#include "test_support.h"
#include "tool_support.h"

namespace tarvosa {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::WriteFile;
using Row = std::map<std::string, std::string>;

// The rows of a CSV text, each keyed by the header's names.
std::vector<Row> ParseCsv(const std::string& text) {
  std::vector<std::vector<std::string>> lines(1);
  std::string field;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
      field += '"', ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && (c == ',' || c == '\n')) {
      lines.back().push_back(field), field.clear();
      if (c == '\n') lines.emplace_back();
    } else {
      field += c;
    }
  }
  std::vector<Row> rows;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (lines[i].empty()) continue;
    EXPECT_EQ(lines[i].size(), lines[0].size()) << "CSV line " << i;
    Row row;
    for (std::size_t k = 0; k < lines[0].size() && k < lines[i].size(); ++k) {
      row[lines[0][k]] = lines[i][k];
    }
    rows.push_back(row);
  }
  return rows;
}

// The row whose `column` reads `value`; an empty row when there is none.
Row Find(const std::vector<Row>& rows, const std::string& column, const std::string& value) {
  for (const Row& row : rows) {
    if (row.at(column) == value) return row;
  }
  ADD_FAILURE() << "no row with " << column << " " << value;
  return {};
}

// The line of `text` that begins with `start`.
std::string LineStarting(const std::string& text, const std::string& start) {
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind(start, 0) == 0) return line;
  }
  ADD_FAILURE() << "no line begins with '" << start << "'";
  return "";
}

std::vector<std::string> Words(const std::string& line) {
  std::istringstream words(line);
  std::vector<std::string> all;
  for (std::string word; words >> word;) all.push_back(word);
  return all;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// `count` bytes that no compiled file holds, the same in every run.
std::string NoiseBytes(std::size_t count) {
  std::mt19937 generator(20240601);
  std::string bytes;
  for (std::size_t i = 0; i < count; ++i) bytes += static_cast<char>(generator() & 0xFF);
  return bytes;
}

class DumpDiff : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Run({"export", source_.text()}).exit_status, 0);
    out_ = Compiled(source_, "out");
  }
  testing::ToolRun Run(const std::vector<std::string>& arguments) {
    return testing::RunScenario(arguments);
  }
  static std::string Line(const testing::ScratchDirectory& source) {
    return (source.path() / "Tarvosa_linea.txt").string();
  }
  static std::string Train(const testing::ScratchDirectory& source) {
    return (source.path() / "Tarvosa_Corvale-.txt").string();
  }
  // The sources compiled into a new directory `name` of the work directory.
  fs::path Compiled(const testing::ScratchDirectory& source, const std::string& name) {
    const fs::path directory = work_.path() / name;
    fs::create_directory(directory);
    const auto result = Run({"compile", Line(source), Train(source), "-o", directory.string()});
    EXPECT_EQ(result.exit_status, 0) << result.standard_error;
    return directory;
  }
  // A copy of the exported sources.
  void Copy(const testing::ScratchDirectory& to) {
    for (const auto& entry : fs::directory_iterator(source_.path())) {
      fs::copy_file(entry.path(), to.path() / entry.path().filename());
    }
  }
  // Replaces the first `from` in `file` by `to`.
  static void Edit(const std::string& file, const std::string& from, const std::string& to) {
    std::string bytes = ReadFile(file);
    const std::size_t at = bytes.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    bytes.replace(at, from.size(), to);
    WriteFile(file, bytes);
  }
  std::string Track() const { return (out_ / "Tarvosa_Corvale.dat").string(); }
  std::string Table() const { return (out_ / "Tarvosa_Corvale.sim").string(); }
  std::string Plan() const { return (out_ / "Tarvosa_linea.dat").string(); }
  std::string Work(const std::string& name) const { return (work_.path() / name).string(); }

  testing::ScratchDirectory source_{"esempio"};
  testing::ScratchDirectory work_{"lavoro"};
  fs::path out_;
};

TEST_F(DumpDiff, TheTrackShowsMetresKindsAndNamedValues) {
  const std::string train = ReadFile(Train(source_));
  const std::string line = ReadFile(Line(source_));
  ASSERT_TRUE(Contains(train, "segnale,    6200,   2, 4, 0,  0, 0,    0,  0,0,0, 0"));
  ASSERT_TRUE(Contains(train, "segnale,    1050,   2, 4, 1,  1, 0,    2,  2,1,1, 0"));
  ASSERT_TRUE(Contains(line, "indicatori_vmax,  1100,  105,  110,  125,  0,  ,  ,  ,  0"));
  const auto result = Run({"dump", Track(), "--format", "csv"});
  ASSERT_EQ(result.exit_status, 0) << result.standard_error;
  const std::vector<Row> rows = ParseCsv(result.standard_output);

  // A signal at 6200 m lands in cell 6200 / 50 + 1 = 125, which stands for 6200 m.
  const Row signal = Find(rows, "cell", "125");
  EXPECT_EQ(signal.at("metres"), "6200");
  EXPECT_EQ(signal.at("kind"), "signal");
  EXPECT_EQ(signal.at("what"), "sx 2, s1 4, s2 0, s3 0, rapp 0, dx 0, d1 0, d2 0, d3 0, time 0");
  EXPECT_EQ(Find(rows, "cell", "22").at("what"),
            "sx 2, s1 4, s2 1, s3 1, rapp 0, dx 2, d1 2, d2 1, d3 1, time 0");
  const Row board = Find(rows, "cell", "23");
  EXPECT_EQ(board.at("metres"), "1100");
  EXPECT_EQ(board.at("kind"), "speed-indicator board");
  EXPECT_EQ(board.at("what"), "105/110/125 km/h, stripes 0");
  // The signal's approach codes, 100 to 400 m before it.
  EXPECT_EQ(Find(rows, "cell", "117").at("what"),
            "approach: 400 m before the signal at 6200 m (code 64)");
  EXPECT_EQ(Find(rows, "cell", "9").at("what"), "station 1, Roma Termini");
  EXPECT_EQ(Find(rows, "cell", "220").at("what"), "entry 80, (Cippo )(  Km  )(11+000)");

  // The profiles, against the bytes of the file: 15 bytes a cell, the
  // speed byte 13th, the gradient byte 14th.
  const std::string bytes = ReadFile(Track());
  ASSERT_EQ(bytes.size(), 4681u * 15);
  EXPECT_EQ(bytes[0 * 15 + 12], 6);
  EXPECT_EQ(Find(rows, "cell", "0").at("speed_kmh"), "30");
  EXPECT_EQ(bytes[25 * 15 + 13], 96);  // "pendenza,  1250,   -4,5": -4 from cell 25
  const Row gradient = Find(rows, "cell", "25");
  EXPECT_EQ(gradient.at("gradient"), "-4");
  EXPECT_EQ(gradient.at("metres"), "1200");
  EXPECT_EQ(Find(rows, "cell", "23").at("gradient"), "0");
}

TEST_F(DumpDiff, TheTrackInTextAndJsonSaysTheSame) {
  const auto text = Run({"dump", Track()});
  ASSERT_EQ(text.exit_status, 0) << text.standard_error;
  const std::string header = text.standard_output.substr(0, text.standard_output.find('\n'));
  EXPECT_EQ(Words(header), (std::vector<std::string>{"cell", "metres", "speed_kmh", "gradient",
                                                     "adhesion", "tunnel", "kind", "what"}));
  // Numbers end under their column's name, texts begin under it.
  const std::string signal = LineStarting(text.standard_output, " 125 ");
  EXPECT_EQ(signal.substr(0, header.find("metres") + 6), " 125    6200");
  EXPECT_EQ(signal.substr(header.find("kind"), 8), "signal  ");
  EXPECT_EQ(signal.substr(header.find("what")),
            "sx 2, s1 4, s2 0, s3 0, rapp 0, dx 0, d1 0, d2 0, d3 0, time 0");

  const auto json = Run({"dump", Track(), "--format", "json"});
  ASSERT_EQ(json.exit_status, 0);
  for (const auto& row : nlohmann::json::parse(json.standard_output)) {
    if (row["cell"] != 23) continue;
    EXPECT_EQ(row["metres"], 1100);
    EXPECT_EQ(row["kind"], 6);
    EXPECT_EQ(row["kind_name"], "speed-indicator board");
    EXPECT_EQ(row["what"]["left_kmh"], nlohmann::json({105, 110, 125}));
    EXPECT_EQ(row["value_a"], 2100);  // 105 × 20
    return;
  }
  ADD_FAILURE() << "no cell 23";
}

TEST_F(DumpDiff, TheTableShowsTimesMetresAndRoles) {
  const std::string train = ReadFile(Train(source_));
  ASSERT_TRUE(Contains(train,
                       "stazione,   61000, 24,  500,  0, 0, 0,  0,0,0,  4,1,1,   60,  "
                       "10,12,20, Latina"));
  ASSERT_TRUE(Contains(train, "orologio,    9               42            50 "));
  const auto result = Run({"dump", Table(), "--format", "csv"});
  ASSERT_EQ(result.exit_status, 0) << result.standard_error;
  const std::vector<Row> rows = ParseCsv(result.standard_output);

  const Row first = Find(rows, "entry", "1");
  EXPECT_EQ(first.at("role"), "station");
  EXPECT_EQ(first.at("time"), "09:42:50");
  const Row latina = Find(rows, "entry", "7");
  EXPECT_EQ(latina.at("name"), "Latina");
  EXPECT_EQ(latina.at("time"), "10:12:20");
  EXPECT_EQ(latina.at("metres"), "61000");
  EXPECT_EQ(latina.at("stretch"), "60750 to 61250 m");  // 500 m about its progressive
  EXPECT_EQ(latina.at("what"), "type 24, fields 4-13 (0, 0, 0, 0,0,0, 4,1,1, 60)");
  EXPECT_EQ(Find(rows, "entry", "2").at("time"), "");  // no timetable time
  EXPECT_EQ(Find(rows, "entry", "80").at("name"), "(Cippo )(  Km  )(11+000)");
  EXPECT_EQ(Find(rows, "entry", "81").at("what"), "start 0 m, end 0 m, position 0");
  EXPECT_EQ(Find(rows, "entry", "84").at("what"),
            "braked weight 130 %, line length 227000 m, coaches 12");
  const Row route = Find(rows, "entry", "85");
  EXPECT_EQ(route.at("name"), "Tarvosa");
  EXPECT_TRUE(route.at("what").starts_with("backgrounds (1, 0, 0), marker 610, check code "));
  EXPECT_EQ(Find(rows, "entry", "86").at("what"),
            "signal repetition 4 codes, 2100 to 209000 m, sand 180, clock 09:42:50");
  // Empty entries are left out.
  EXPECT_TRUE(std::none_of(rows.begin(), rows.end(),
                           [](const Row& row) { return row.at("entry") == "32"; }));
}

TEST_F(DumpDiff, ThePlanShowsMetresEveryStep) {
  const auto result = Run({"dump", Plan(), "--step", "50000"});
  ASSERT_EQ(result.exit_status, 0) << result.standard_error;
  std::istringstream lines(result.standard_output);
  std::vector<std::string> metres;
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    metres.emplace_back();
    words >> metres.back();
  }
  EXPECT_EQ(metres,
            (std::vector<std::string>{"metres", "0", "50000", "100000", "150000", "200000"}));
  const auto start = Run({"dump", Plan(), "--format", "csv"});
  const std::vector<Row> rows = ParseCsv(start.standard_output);
  ASSERT_EQ(rows.size(), 234001u);  // rows 0 to 227000 + 7000
  EXPECT_EQ(rows[1], (Row{{"metres", "1"}, {"x", "0.000000"}, {"y", "1.000000"}}));
  EXPECT_EQ(rows.back(), (Row{{"metres", "234000"}, {"x", ""}, {"y", ""}}));
}

TEST_F(DumpDiff, RawKeepsTheStoredMembers) {
  const auto track = Run({"dump", Track(), "--raw", "--format", "csv"});
  ASSERT_EQ(track.exit_status, 0);
  EXPECT_TRUE(track.standard_output.starts_with(
      "cell,kind,meaning,value_a,value_b,value_c,value_d,signal_time,approach_code,montagna_kind,"
      "speed_kmh,gradient,adhesion\n"));
  EXPECT_EQ(Find(ParseCsv(track.standard_output), "cell", "23"),
            (Row{{"cell", "23"},
                 {"kind", "6"},
                 {"meaning", "speed-indicator board"},
                 {"value_a", "2100"},
                 {"value_b", "2200"},
                 {"value_c", "2500"},
                 {"value_d", "0"},
                 {"signal_time", "0"},
                 {"approach_code", "0"},
                 {"montagna_kind", "0"},
                 {"speed_kmh", "125"},
                 {"gradient", "0"},
                 {"adhesion", "80"}}));
  const auto table = Run({"dump", Table(), "--raw"});
  EXPECT_EQ(Words(table.standard_output.substr(0, table.standard_output.find('\n'))),
            (std::vector<std::string>{"entry", "role", "name", "kind", "start", "end", "position",
                                      "flag_a", "word_a", "word_b", "word_c", "word_d", "word_e",
                                      "byte_a", "byte_b", "byte_c", "byte_d", "time"}));
  const Row latina = Find(
      ParseCsv(Run({"dump", Table(), "--raw", "--format", "csv"}).standard_output), "entry", "7");
  EXPECT_EQ(latina.at("time"), "36740");  // (10 × 60 + 12) × 60 + 20
  EXPECT_EQ(latina.at("start"), "60750");
  const auto plan = Run({"dump", Plan(), "--raw", "--step", "100000", "--format", "csv"});
  EXPECT_EQ(plan.standard_output.substr(0, plan.standard_output.find('\n')), "row,x,y");
}

TEST_F(DumpDiff, WhatIsNoCompiledFileIsRefusedWithAMessage) {
  WriteFile(Work("empty.dat"), "");
  WriteFile(Work("noise.dat"), NoiseBytes(1005));  // a multiple of 15, as a track is
  WriteFile(Work("noise.sim"), NoiseBytes(1000));
  std::string cut = ReadFile(Track());
  cut.pop_back();
  WriteFile(Work("cut.dat"), cut);
  const std::vector<std::tuple<std::string, int, std::string>> cases = {
      {out_.string(), 1, out_.string() + ": is a directory, not a compiled file\n"},
      {Work("missing.dat"), 1, Work("missing.dat") + ": no such file\n"},
      {Work("empty.dat"), 2,
       Work("empty.dat") + ": the file is empty: it is not a compiled file\n"},
      {Work("noise.dat"), 2,
       Work("noise.dat") + ": its 1005 bytes have the layout of a track file but not the marker "
                           "5121 in cell 1: it is not a compiled file (--kind track shows them "
                           "all the same)\n"},
      {Work("noise.sim"), 2,
       Work("noise.sim") + ": its 1000 bytes do not have the layout of any compiled file\n"},
      {Work("cut.dat"), 2,
       Work("cut.dat") + ": its 70214 bytes do not have the layout of any compiled file\n"},
  };
  for (const auto& [file, status, message] : cases) {
    for (const char* raw : {"--raw", "--format=text"}) {
      const auto result = Run({"dump", file, raw});
      EXPECT_EQ(result.exit_status, status) << file;
      EXPECT_EQ(result.standard_error, message);
      EXPECT_EQ(result.standard_output, "");
    }
  }
  // Asked for by name, any bytes of a track's size are shown as a track.
  const auto forced = Run({"dump", Work("noise.dat"), "--kind", "track", "--format", "json"});
  EXPECT_EQ(forced.exit_status, 0) << forced.standard_error;
  const auto cells = nlohmann::json::parse(forced.standard_output);
  ASSERT_FALSE(cells.empty());
  EXPECT_LE(cells.size(), 67u);
  EXPECT_EQ(cells[0]["cell"], 0);
}

TEST_F(DumpDiff, AFileItMayNotReadIsNamed) {
  if (geteuid() != 0) GTEST_SKIP() << "only root can run the program as nobody";
  WriteFile(Work("locked.sim"), ReadFile(Table()));
  fs::permissions(Work("locked.sim"), fs::perms::owner_read);
  // A copy of the tool nobody may run, wherever the build tree lies.
  fs::copy_file(TARVOSA_SCENARIO_TOOL, Work("scenario"));
  const auto result = testing::RunProgram(Work("scenario"), work_.path(), {.as_nobody = true},
                                          {"dump", Work("locked.sim")});
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.standard_error, Work("locked.sim") + ": cannot be read: Permission denied\n");
}

TEST_F(DumpDiff, AStepOfZeroIsAUsageError) {
  for (const char* step : {"0", "-3"}) {
    const auto result = Run({"dump", Plan(), "--step", step});
    EXPECT_EQ(result.exit_status, 4);
    EXPECT_EQ(result.standard_error, "the step must be at least 1\n");
    EXPECT_EQ(result.standard_output, "");
  }
}

TEST_F(DumpDiff, AScenarioIsTheSameAsItself) {
  const auto result = Run({"diff", out_.string(), out_.string()});
  EXPECT_EQ(result.exit_status, 0) << result.standard_error;
  EXPECT_EQ(result.standard_output, "A: " + out_.string() + "\nB: " + out_.string() +
                                        "\ntrack: the same (4681 cells)\n"
                                        "table: the same (87 entries)\n"
                                        "plan: the same (234001 rows)\n"
                                        "A and B are the same\n");
  const auto copy = Run({"diff", Track(), Track()});
  EXPECT_EQ(copy.exit_status, 0);
  EXPECT_TRUE(Contains(copy.standard_output, "A and B are the same\n"));
}

TEST_F(DumpDiff, ASignalAndAStationTimeThatDifferAreNamed) {
  testing::ScratchDirectory edited{"modificato"};
  Copy(edited);
  Edit(Train(edited), "segnale,    6200,   2, 4, 0,", "segnale,    6200,   2, 5, 0,");
  Edit(Train(edited), "10,12,20, Latina", "10,13,20, Latina");
  const fs::path other = Compiled(edited, "other");

  const auto result = Run({"diff", out_.string(), other.string()});
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.standard_error, "");
  EXPECT_EQ(result.standard_output,
            "A: " + out_.string() + "\nB: " + other.string() +
                "\ntrack: 1 of 4681 cells differ\n"
                "  cell 125 (6200 m)\n"
                "    A: signal: sx 2, s1 4, s2 0, s3 0, rapp 0, dx 0, d1 0, d2 0, d3 0, time 0\n"
                "    B: signal: sx 2, s1 5, s2 0, s3 0, rapp 0, dx 0, d1 0, d2 0, d3 0, time 0\n"
                "table: 1 of 87 entries differ\n"
                "  entry 7, station Latina\n"
                "    time: A 10:12:20, B 10:13:20\n"
                "plan: the same (234001 rows)\n"
                "A and B differ\n");
  const auto tables = Run({"diff", Table(), (other / "Tarvosa_Corvale.sim").string()});
  EXPECT_EQ(tables.exit_status, 1);
  EXPECT_TRUE(Contains(tables.standard_output, "    time: A 10:12:20, B 10:13:20\n"));
  EXPECT_FALSE(Contains(tables.standard_output, "track:"));
}

TEST_F(DumpDiff, AMovedCurveIsTheLargestDistanceBetweenThePlans) {
  testing::ScratchDirectory edited{"modificato"};
  Copy(edited);
  Edit(Line(edited), "curvas1,  1751,  300", "curvas1,  1761,  300");
  const fs::path other = Compiled(edited, "other");

  // The largest distance, from the two plans compiled in memory.
  const Compilation a = testing::CompileTexts(ReadFile(Line(source_)), ReadFile(Train(source_)));
  const Compilation b = testing::CompileTexts(ReadFile(Line(edited)), ReadFile(Train(edited)));
  const LineData& pa = *a.scenario.plan;
  const LineData& pb = *b.scenario.plan;
  ASSERT_EQ(pa.x.size(), pb.x.size());
  double largest = 0;
  std::size_t row = 0, differing = 0;
  for (std::size_t i = 0; i < pa.x.size(); ++i) {
    const double distance = std::hypot(pa.x[i] - pb.x[i], pa.y[i] - pb.y[i]);
    differing += pa.x[i] != pb.x[i] || pa.y[i] != pb.y[i];
    if (distance > largest) largest = distance, row = i + 2;  // computed rows begin at row 2
  }
  ASSERT_GT(row, 1751u);
  char expected[200];
  std::snprintf(expected, sizeof expected,
                "plan: %zu of 234001 rows differ\n  the largest distance is %.6f m, at row %zu "
                "(%zu m): A (%.6f, %.6f), B (%.6f, %.6f)\n",
                differing, largest, row, row, pa.x[row - 2], pa.y[row - 2], pb.x[row - 2],
                pb.y[row - 2]);

  const auto result = Run({"diff", out_.string(), other.string()});
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_TRUE(Contains(result.standard_output, "track: the same (4681 cells)\n"));
  EXPECT_TRUE(Contains(result.standard_output, expected)) << result.standard_output;
}

TEST_F(DumpDiff, PlansOfOtherLengthsAreComparedOverTheirCommonRows) {
  testing::ScratchDirectory edited{"modificato"};
  Copy(edited);
  Edit(Line(edited), "lunghezza percorso,    227000", "lunghezza percorso,    228000");
  const fs::path other = Compiled(edited, "other");
  const auto result = Run({"diff", Plan(), (other / "Tarvosa_linea.dat").string()});
  EXPECT_EQ(result.exit_status, 1);
  // The same curves: the common rows differ only where the shorter plan ends.
  EXPECT_TRUE(Contains(result.standard_output,
                       "plan: A has 234001 rows, B 235001; over the first 234001, 2 of 234001 "
                       "rows differ\n  2 rows are empty in one plan and not in the other\n"))
      << result.standard_output;
  const auto scenario = Run({"diff", out_.string(), other.string()});
  EXPECT_EQ(scenario.exit_status, 1);
  EXPECT_TRUE(Contains(scenario.standard_output, "track: A has 4681 cells, B 4701; "));
  EXPECT_TRUE(Contains(scenario.standard_output,
                       "  entry 84, train and line numbers\n"
                       "    line length: A 227000 m, B 228000 m\n"));
}

TEST_F(DumpDiff, InputsThatCannotBeComparedAreNamed) {
  WriteFile(Work("noise.dat"), NoiseBytes(1000));
  fs::create_directory(Work("empty"));
  const std::string missing = Work("missing");
  const struct {
    std::vector<std::string> arguments;
    int status;
    std::string message;
  } cases[] = {
      {{"diff", out_.string(), missing}, 1, missing + ": no such file or directory\n"},
      {{"diff", out_.string(), Work("empty")},
       1,
       Work("empty") + ": no track file (a name ending in .dat but not _linea.dat)\n"},
      {{"diff", Track(), Work("noise.dat")},
       2,
       Work("noise.dat") + ": its 1000 bytes do not have the layout of any compiled file\n"},
      {{"diff", out_.string(), Track()},
       4,
       "scenario: " + out_.string() + " is a directory and " + Track() +
           " is not: compare two directories or two files\n"},
      {{"diff", Track(), Table()},
       4,
       "scenario: " + Track() + " is a track file and " + Table() +
           " a table file: compare two files of one kind\n"},
      {{"diff", Track()}, 4, ""},
  };
  for (const auto& c : cases) {
    const auto result = Run(c.arguments);
    EXPECT_EQ(result.exit_status, c.status) << c.arguments.back();
    if (!c.message.empty()) {
      EXPECT_EQ(result.standard_error, c.message);
    }
    EXPECT_EQ(result.standard_output, "");
  }
}

}  // namespace
}  // namespace tarvosa
