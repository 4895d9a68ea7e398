#include "compiler/data_errors.h"

#include <gtest/gtest.h>

#include "compiler/diagnostics.h"

namespace tarvosa {
namespace {

TEST(DataErrors, EachNumberIsToldWithItsPositionWhereItHasOne) {
  EXPECT_EQ(DataErrorText(16, 6200),
            "error 16 at 6200 m: a signal's cell already holds another feature");
  EXPECT_EQ(DataErrorText(10, 99),
            "error 10: too many stations: they reach the entries of the text boards");
  EXPECT_EQ(DataErrorText(99, 0), "error 99");
}

TEST(DataErrors, TheNumbersAreTheOnesCallersKnow) {
  std::vector<std::int32_t> numbers;
  for (const DataErrorInfo& info : AllDataErrors()) numbers.push_back(NumberOf(info.error));
  std::vector<std::int32_t> expected;
  for (std::int32_t n = 1; n <= 25; ++n) expected.push_back(n);
  for (std::int32_t n = 101; n <= 103; ++n) expected.push_back(n);
  EXPECT_EQ(numbers, expected);
  EXPECT_EQ(FindDataError(0), nullptr);
  EXPECT_EQ(FindDataError(26), nullptr);
}

class DescribeErrorTest : public ::testing::Test {
 protected:
  std::string Describe(const Diagnostic& error) const {
    return DescribeError(error, {"linea.txt", "[generale]\r\nlunghezza percorso, 5000\r\n"},
                         {"treno.txt", "[generale]\n\nsegnale, 6200, 2\n"});
  }
};

TEST_F(DescribeErrorTest, TheFileLineAndColumnComeFirst) {
  Diagnostic error{DataError::kSignalCellTaken,
                   6200,
                   {SourceLocation::File::kTrain, 21},
                   "cell 125 (6200 m), where the signal goes, already holds a text board",
                   {SourceLocation::File::kLine, 32},
                   {},
                   {}};
  EXPECT_EQ(Describe(error),
            "treno.txt:3:10: error 16 at 6200 m: a signal's cell already holds another feature: "
            "cell 125 (6200 m), where the signal goes, already holds a text board, placed by "
            "linea.txt:2:21");
}

TEST_F(DescribeErrorTest, Error25TellsItsReasonInsteadOfItsMeaning) {
  const Diagnostic error{DataError::kUnreadable,
                         0,
                         {SourceLocation::File::kLine, -1},
                         "the file is empty",
                         {},
                         {},
                         {}};
  EXPECT_EQ(Describe(error), "linea.txt: error 25: the file is empty");
  EXPECT_EQ(Describe({DataError::kTooManyStations, 0, {}, "", {}, {}, {}}),
            "error 10: too many stations: they reach the entries of the text boards");
  EXPECT_EQ(Describe({}), "");
}

TEST(Diagnostics, ANumberWithoutAPositionKeepsTheOneBefore) {
  Diagnostics d;
  d.Record(DataError::kOutsideTheTrack, {}, "", 16950);
  d.Record(DataError::kReferenceOffCell, {}, "");
  EXPECT_EQ(d.error_code(), 2);
  EXPECT_EQ(d.error_position(), 16950);
}

}  // namespace
}  // namespace tarvosa
