// The line definition file as written: every fact its readers rely on.
#include "documents/dati_linea.h"

#include <algorithm>
#include <map>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "test_support.h"

namespace tarvosa {
namespace {

constexpr long kHighestProgressive = 233900;  // (p + 100) / 50 may not pass cell 4680
constexpr long kPlanRows = 234000;

std::vector<std::string> Fields(const std::string& record) {
  std::vector<std::string> fields;
  std::stringstream in(record);
  for (std::string field; std::getline(in, field, ',');) {
    field.erase(0, field.find_first_not_of(' '));
    fields.push_back(field);
  }
  if (!record.empty() && record.back() == ',') fields.emplace_back();
  return fields;
}

long Number(const std::string& field) {
  return field.empty() ? 0 : std::stol(field);
}

class LineFile : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    testing::ScratchDirectory dir;
    ScenarioPlace form;
    form.route_title = "Tarvosa";
    form.app_path = dir.text();
    ASSERT_TRUE(dati_linea(DefaultOs(), form).ok());
    bytes_ = new std::string(testing::ReadFile(dir.path() / "Tarvosa_linea.txt"));
    lines_ = new std::vector<std::string>;
    ASSERT_TRUE(testing::SplitCrLfLines(*bytes_, lines_));
    std::string header;
    for (const std::string& line : *lines_) {
      if (line.front() == '[') {
        header = line;
        order_.push_back(header);
        sections_[header];
      } else {
        sections_[header].push_back(line);
      }
    }
  }
  static const std::vector<std::string>& Section(const std::string& header) {
    return sections_[header];
  }

  static std::string* bytes_;
  static std::vector<std::string>* lines_;
  static std::vector<std::string> order_;
  static std::map<std::string, std::vector<std::string>> sections_;
};
std::string* LineFile::bytes_;
std::vector<std::string>* LineFile::lines_;
std::vector<std::string> LineFile::order_;
std::map<std::string, std::vector<std::string>> LineFile::sections_;

TEST_F(LineFile, Has374CrLfLinesIn11761AsciiBytesAndNoEndMarker) {
  EXPECT_EQ(bytes_->size(), 11761u);
  EXPECT_EQ(lines_->size(), 374u);
  EXPECT_EQ(bytes_->find("riferimento"), std::string::npos);
  EXPECT_TRUE(
      std::all_of(bytes_->begin(), bytes_->end(), [](char c) { return c > 0 && c != '\t'; }));
  EXPECT_EQ(std::count(bytes_->begin(), bytes_->end(), '\n'), 374);
}

TEST_F(LineFile, SectionsStandInOrderWithTheirRecordCounts) {
  EXPECT_EQ(order_, (std::vector<std::string>{"[generale]", "[curve]", "[pendenze]", "[montagne]",
                                              "[cartelli]", "[indicazioni]", "[fine]"}));
  EXPECT_EQ(Section("[generale]").size(), 8u);
  EXPECT_EQ(Section("[curve]").size(), 104u);
  EXPECT_EQ(Section("[pendenze]").size(), 163u);
  EXPECT_EQ(Section("[montagne]").size(), 14u);
  EXPECT_EQ(Section("[cartelli]").size(), 56u);
  EXPECT_EQ(Section("[indicazioni]").size(), 22u);
  EXPECT_EQ(lines_->back(), "[fine]");
}

TEST_F(LineFile, TheGeneralPartIsWrittenExactly) {
  EXPECT_EQ(std::vector<std::string>(lines_->begin(), lines_->begin() + 9),
            (std::vector<std::string>{
                "[generale]",
                "lunghezza percorso,    227000",
                "progressiva chilometrica uno,    0,    0,    0",
                "progressiva chilometrica due,    0,    0,    0",
                "progressiva chilometrica tre,    0,    0,    0",
                "sfondo uno,    1",
                "sfondo due,    0",
                "sfondo tre,    0",
                "ripetizione segnali 4 codici,    2100,    209000",
            }));
}

TEST_F(LineFile, CurvesAscendWithoutOverlapInsideThePlan) {
  const auto& curves = Section("[curve]");
  EXPECT_EQ(curves.front(), "curvas1,  1350,  150");
  EXPECT_EQ(curves.back(), "curvas4,  216750,  150");
  const auto pair = std::find(curves.begin(), curves.end(), "curvas2,  11000,  650");
  ASSERT_NE(pair, curves.end());
  EXPECT_EQ(*(pair + 1), "curvas3,  11650,  550");

  std::set<std::string> keywords;
  long end_of_previous = 0;
  for (const std::string& curve : curves) {
    const auto f = Fields(curve);
    ASSERT_EQ(f.size(), 3u) << curve;
    EXPECT_EQ(curve, f[0] + ",  " + f[1] + ",  " + f[2]);
    keywords.insert(f[0]);
    const long start = Number(f[1]);
    const long length = Number(f[2]);
    EXPECT_GE(start, end_of_previous) << curve;
    EXPECT_LE(start, kHighestProgressive) << curve;
    EXPECT_LE(start + length, kPlanRows) << curve;
    end_of_previous = start + length;
    if (f[0].back() == '6') {
      EXPECT_EQ(curve, "curvas6,  215500,  300");
    }
  }
  EXPECT_EQ(keywords,
            (std::set<std::string>{"curvad1", "curvad2", "curvad3", "curvad4", "curvad5", "curvas1",
                                   "curvas2", "curvas3", "curvas4", "curvas5", "curvas6"}));
}

TEST_F(LineFile, GradientsAscendStrictlyFromMinus11To13) {
  const auto& gradients = Section("[pendenze]");
  EXPECT_EQ(gradients.front(), "pendenza,  0,   0");
  EXPECT_EQ(gradients[1], "pendenza,  1250,   -4,5");
  EXPECT_EQ(gradients.back(), "pendenza,  217350,   0");
  long previous = -1;
  std::set<long> values;
  for (const std::string& gradient : gradients) {
    const auto f = Fields(gradient);
    if (gradient != gradients[1]) {
      ASSERT_EQ(f.size(), 3u) << gradient;
      EXPECT_EQ(gradient, "pendenza,  " + f[1] + ",   " + f[2]);
    }
    EXPECT_GT(Number(f[1]), previous) << gradient;
    EXPECT_LE(Number(f[1]), kHighestProgressive) << gradient;
    previous = Number(f[1]);
    values.insert(Number(f[2]));
  }
  EXPECT_EQ(*values.begin(), -11);
  EXPECT_EQ(*values.rbegin(), 13);
}

TEST_F(LineFile, TunnelSpansAreWrittenExactly) {
  EXPECT_EQ(Section("[montagne]"),
            (std::vector<std::string>{
                "montagna,   10950,  11000,  2", "montagna,   79000,  80550,  12",
                "montagna,   88950,  96500,  11", "montagna,   113250,  113400,  1",
                "montagna,   114500,  122000,  1", "montagna,   126950,  127850,  11",
                "montagna,   129150,  129500,  2", "montagna,   156000,  161250,  12",
                "montagna,   190450,  192450,  12", "montagna,   195250,  195850,  12",
                "montagna,   202200,  203950,  12", "montagna,   208150,  209750,  12",
                "montagna,   210150,  210250,  2", "montagna,   210350,  217050,  12"}));
}

TEST_F(LineFile, SpeedBoardsComeSinglyOrAnnouncedThreeTimes300MetresApart) {
  const auto& boards = Section("[cartelli]");
  EXPECT_EQ(boards.front(), "indicatori_vmax,  1100,  105,  110,  125,  0,  ,  ,  ,  0");
  std::map<long, std::vector<long>> by_position;  // speeds a, b, c and stripes
  std::set<long> speeds;
  long previous = -1;
  for (const std::string& board : boards) {
    const auto f = Fields(board);
    ASSERT_EQ(f.size(), 10u) << board;
    EXPECT_EQ(board, "indicatori_vmax,  " + f[1] + ",  " + f[2] + ",  " + f[3] + ",  " + f[4] +
                         ",  " + f[5] + ",  ,  ,  ,  0");
    const long position = Number(f[1]);
    EXPECT_GT(position, previous) << board;
    EXPECT_LE(position, kHighestProgressive) << board;
    previous = position;
    by_position[position] = {Number(f[2]), Number(f[3]), Number(f[4]), Number(f[5])};
    speeds.insert({Number(f[2]), Number(f[3]), Number(f[4])});
  }
  EXPECT_EQ(*speeds.begin(), 30);
  EXPECT_EQ(*speeds.rbegin(), 180);
  EXPECT_EQ(by_position[9450], (std::vector<long>{140, 155, 165, 2}));
  for (const auto& [position, values] : by_position) {
    const long stripes = values[3];
    ASSERT_TRUE(stripes >= 0 && stripes <= 2) << position;
    // A board with stripes announces the ones 300 m on, down to the one with none.
    for (long next = stripes - 1, at = position + 300; next >= 0; --next, at += 300) {
      auto expected = values;
      expected[3] = next;
      EXPECT_EQ(by_position[at], expected) << "announced from " << position;
    }
  }
}

TEST_F(LineFile, TextBoardsAreWrittenExactly) {
  const std::vector<std::pair<long, std::string>> boards = {
      {10950, "(Cippo )(  Km  )(11+000)"},
      {62950, "(Cippo )(  Km  )(63+000)"},
      {68950, "(Cippo )(  Km  )(69+000)"},
      {78950, "(Galleria)(Gracili )"},
      {79900, "(Culmine)"},
      {88900, "(Galleria )(Mont'Orso)"},
      {92650, "(Culmine )(Galleria)"},
      {96950, "(Cippo )(  Km  )(97+000)"},
      {113200, "(Galleria  )(Montecalvo)"},
      {114450, "(Galleria)( Vivola )"},
      {119950, "( Cippo )(   Km  )(120+000)"},
      {120550, "(Culmine)"},
      {126900, "(Galleria)( Rialto )"},
      {135950, "( Cippo )(   Km  )(136+000)"},
      {155950, "(Galleria)(Massico )"},
      {166700, "(   Km  )(166+700)"},
      {179950, "( Cippo )(   Km  )(180+000)"},
      {190400, "( Galleria )(    di    )(Monteleone)"},
      {195200, "(Galleria)(Montagna)(Spaccata)"},
      {200750, "(  Km   )(200+750)"},
      {202150, "(Galleria)(Campi   )(Flegrei )"},
      {208100, "(Galleria )(Posillipo)"}};
  std::vector<std::string> expected;
  for (const auto& [position, text] : boards) {
    expected.push_back("cartello_indicatore,  " + std::to_string(position) + ",   " + text);
  }
  EXPECT_EQ(Section("[indicazioni]"), expected);
}

}  // namespace
}  // namespace tarvosa
