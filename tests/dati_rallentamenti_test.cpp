#include "documents/dati_rallentamenti.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "test_support.h"

namespace tarvosa {
namespace {

TEST(SlowDownOrder, FortySixAsciiLinesWithTheOneRestriction) {
  const auto doc = testing::WriteDocument(dati_rallentamenti, "Tarvosa_Corvale_rallentamenti.txt");
  const auto& lines = doc.lines;
  ASSERT_EQ(lines.size(), 46u);
  EXPECT_TRUE(std::all_of(doc.bytes.begin(), doc.bytes.end(), [](char c) { return c > 0; }));
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], std::string(31, ' ') + "Modulo M. 3");
  EXPECT_EQ(lines[2], std::string(27, ' ') + "ORDINE DI RALLENTAMENTO");
  EXPECT_EQ(lines[4].substr(0, 9), "  Linea  ");
  EXPECT_NE(lines[4].find(" - "), std::string::npos);
  EXPECT_EQ(lines[6],
            "  Si ordina al macchinista del treno Corvale  di effettuare i seguenti rallentamenti");
  EXPECT_EQ(lines[9],
            " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|"
            "Prescrizioni|");
  EXPECT_EQ(lines[15],
            " |   |stazione di Pozzuoli S.     |  201.000   |    15    |   100   |"
            "     A      |");
  EXPECT_EQ(lines[11], lines[38]);
  for (std::size_t i = 8; i <= 38; ++i) EXPECT_EQ(lines[i].size(), 82u) << "entry " << i;
  for (std::size_t i = 16; i <= 37; ++i) EXPECT_EQ(lines[i], lines[16]) << "entry " << i;
  EXPECT_EQ(lines[40], std::string(14, ' ') + "Prescrizioni specifiche");
  EXPECT_EQ(lines[43], " D - Rallentamneto N. ... e N. ...  sono contigui");
  EXPECT_EQ(lines[45], "     i giorni esclusi i seguenti:.........");
}

}  // namespace
}  // namespace tarvosa
