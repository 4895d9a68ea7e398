#include "util/coding.h"

#include <gtest/gtest.h>

namespace tarvosa {
namespace {

TEST(Coding, ValuesAreWrittenLowByteFirst) {
  std::string out;
  PutFixed8(out, 0xAB);
  PutInt16(out, 5121);  // the track marker: 01 14
  PutInt16(out, 610);   // the table marker: 62 02
  PutInt16(out, -2);
  PutInt32(out, 0x12345678);
  PutInt32(out, -1);
  EXPECT_EQ(out, std::string("\xAB\x01\x14\x62\x02\xFE\xFF\x78\x56\x34\x12\xFF\xFF\xFF\xFF", 15));
}

TEST(Coding, DoublesAreTheirIeeeBitsLowByteFirst) {
  std::string out;
  PutDouble(out, 1.0);
  PutDouble(out, -2.5);
  EXPECT_EQ(out, std::string("\0\0\0\0\0\0\xF0\x3F"
                             "\0\0\0\0\0\0\x04\xC0",
                             16));
}

}  // namespace
}  // namespace tarvosa
