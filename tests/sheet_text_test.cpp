#include "documents/sheet_text.h"

#include <gtest/gtest.h>

namespace tarvosa {
namespace {

TEST(SheetText, WidthsCountCharactersNotBytes) {
  EXPECT_EQ(Characters("Località"), 8u);
  EXPECT_EQ(Left("Località", 10, '_'), "Località__");
  EXPECT_EQ(Right("½", 3), "  ½");
  EXPECT_EQ(Centre("15", 10), "    15    ");
  EXPECT_EQ(Centre("A", 12), "     A      ");  // the odd blank on the right
  EXPECT_EQ(Left("too long", 3), "too long");
}

TEST(SheetText, KilometresHaveTwoDecimals) {
  EXPECT_EQ(Kilometres(0), "0.00");
  EXPECT_EQ(Kilometres(4300), "4.30");
  EXPECT_EQ(Kilometres(137400), "137.40");
  EXPECT_EQ(Kilometres(10950), "10.95");
  EXPECT_EQ(Kilometres(-500), "-0.50");
}

TEST(SheetText, AKilometrePostIsTheOneAtOrBefore) {
  EXPECT_EQ(KilometrePost(201100), "201.000");
  EXPECT_EQ(KilometrePost(201999), "201.000");
  EXPECT_EQ(KilometrePost(202000), "202.000");
  EXPECT_EQ(KilometrePost(0), "0.000");
  EXPECT_EQ(KilometrePost(-1), "-1.000");
}

TEST(SheetText, TimesAreMinutesAndHalfMinutes) {
  EXPECT_EQ(TimetableTime(9 * 3600 + 38 * 60), "9.38");
  EXPECT_EQ(TimetableTime(10 * 3600 + 12 * 60 + 29), "10.12");
  EXPECT_EQ(TimetableTime(11 * 3600 + 15 * 60 + 30), "11.15½");
  EXPECT_EQ(TimetableTime(9 * 3600 + 5 * 60 + 59), "9.05½");
}

TEST(SheetText, TextIsWrappedAtWordsAndALongWordIsSplit) {
  EXPECT_EQ(Wrap("Fra le stazioni di Arco Felice e Pozzuoli", 20),
            (std::vector<std::string>{"Fra le stazioni di", "Arco Felice e", "Pozzuoli"}));
  EXPECT_EQ(Wrap("Falciano-Mondragone-Carinola", 10),
            (std::vector<std::string>{"Falciano-", "Mondragon-", "e-Carinola"}));
  EXPECT_EQ(Wrap("Città  di  Còmo", 5), (std::vector<std::string>{"Città", "di", "Còmo"}));
  EXPECT_EQ(Wrap("", 5), std::vector<std::string>{""});
}

}  // namespace
}  // namespace tarvosa
