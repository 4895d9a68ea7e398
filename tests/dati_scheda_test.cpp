// The timetable sheet as written: its quoted lines, widths and blanks.
#include "documents/dati_scheda.h"

#include <map>

#include <gtest/gtest.h>

#include "test_support.h"

namespace tarvosa {
namespace {

class TimetableSheet : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    sheet_ = testing::WriteDocument(dati_scheda, "Tarvosa_Corvale_scheda_treno.txt");
  }
  static const std::string& Line(std::size_t entry) { return sheet_.lines.at(entry); }
  static testing::WrittenDocument sheet_;
};
testing::WrittenDocument TimetableSheet::sheet_;

std::size_t TrailingBlanks(const std::string& line) {
  const auto last = line.find_last_not_of(' ');
  return last == std::string::npos ? line.size() : line.size() - last - 1;
}

TEST_F(TimetableSheet, Has237LinesInWindows1252) {
  EXPECT_EQ(sheet_.lines.size(), 237u);
  EXPECT_EQ(sheet_.bytes.find("riferimento"), std::string::npos);
  EXPECT_EQ(Line(10).substr(30, 9), "Localit\xE0_");
  EXPECT_EQ(Line(29),
            " |_19_|_______|_______|GIUGLIANO QUALIANO_________|________|11.15\xBD__|"
            "______|______|");
  EXPECT_NE(sheet_.bytes.find("\\\\"), std::string::npos);  // a junction drawing: 5C 5C
}

TEST_F(TimetableSheet, TheQuotedLinesStandAtTheirEntries) {
  const std::map<std::size_t, std::string> quoted = {
      {0, std::string(32, ' ') + "SCHEDA ORARIO"},
      {5, " |                                                        Validit\xE0 Treno:         |"},
      {8, " "},
      {13, " |_3__|_______|_______|TORRICOLA__________________|________|9.47____|______|______|"},
      {17, " |_7__|_______|_______|LATINA_____________________|10.11___|10.12___|______|______|"},
      {42, " |____|_______|_______|___________________________|________|________|______|______|"},
      {45,
       " |____________________________Periodicit\xE0 treno___________________________________|"},
      {56, std::string(81, '.')},
      {60, "  |  Velocit\xE0 Max Km/h    |   Progr. Chilom.   |     Localit\xE0 di Servizio     |"},
      {62, "  |__A__|__B__|__C__|__P__|     ____                                          |"},
      {95, "  |_____|_____|_____|_____|___________________________________________________|"},
      {111, std::string(72, '.')},
      {113, "  Linea FORMIA-NAPOLI CENTRALE "},
      {138,
       "  |     |     |     |     |      ||| 183.80   FRATTAMAGGIORE    |Velocit\xE0 Max Km/h|"},
      {153, "  |_____|_____|_____|_____|_____________________________________|"},
      {166, "   Linea VILLA LITERNO-NAPOLI GIANTURCO "},
      {194, "  |_____|_____|_____|_____|_____________________________________|"},
      {207, std::string(32, ' ')},
  };
  for (const auto& [entry, text] : quoted) EXPECT_EQ(Line(entry), text) << "entry " << entry;
}

TEST_F(TimetableSheet, TrailingBlanksStandOnlyWhereTheyBelong) {
  const std::map<std::size_t, std::size_t> trailing = {
      {7, 14},  {46, 6},  {61, 6},  {116, 6}, {169, 6}, {117, 2}, {170, 2},
      {121, 5}, {125, 5}, {174, 5}, {178, 5}, {58, 1},  {113, 1}, {166, 1}};
  for (std::size_t entry = 0; entry < sheet_.lines.size(); ++entry) {
    const std::string& line = Line(entry);
    if (line.find_first_not_of(' ') == std::string::npos) continue;  // blanks only
    const auto it = trailing.find(entry);
    EXPECT_EQ(TrailingBlanks(line), it == trailing.end() ? 0u : it->second) << "entry " << entry;
  }
}

TEST_F(TimetableSheet, BoxesAndTablesKeepTheirWidths) {
  for (std::size_t entry = 2; entry <= 41; ++entry) {
    if (entry == 8 || entry == 9) continue;
    EXPECT_EQ(Line(entry).size(), entry == 7 ? 97u : 83u) << "entry " << entry;
  }
  for (std::size_t entry = 63; entry <= 94; ++entry) EXPECT_EQ(Line(entry).size(), 79u);
  for (std::size_t entry = 118; entry <= 152; ++entry) {
    const std::size_t width = Line(entry).size() - TrailingBlanks(Line(entry));
    if (entry >= 137 && entry <= 149) {
      EXPECT_TRUE(width == 82 || width == 83) << "entry " << entry;
    } else {
      EXPECT_EQ(width, 65u) << "entry " << entry;
    }
  }
  for (std::size_t entry = 171; entry <= 193; ++entry) {
    EXPECT_EQ(Line(entry).size() - TrailingBlanks(Line(entry)), 65u) << "entry " << entry;
  }
}

TEST_F(TimetableSheet, TheTrainStopsAtRows7_13_25_27And31) {
  for (std::size_t row = 1; row <= 31; ++row) {
    const std::string arrival = Line(10 + row).substr(51, 8);
    const bool stop = arrival.find_first_not_of(row < 31 ? '_' : ' ') != std::string::npos;
    EXPECT_EQ(stop, row == 7 || row == 13 || row == 25 || row == 27 || row == 31) << row;
  }
}

}  // namespace
}  // namespace tarvosa
