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

// Every byte of every width goes out and comes back in its place.
TEST(Coding, EveryByteOfEveryWidthComesBack) {
  std::string out;
  PutFixed16(out, 0xA1B2);
  PutFixed32(out, 0xC1D2E3F4u);
  PutFixed64(out, 0x0102030405060708u);
  EXPECT_EQ(out, std::string("\xB2\xA1\xF4\xE3\xD2\xC1\x08\x07\x06\x05\x04\x03\x02\x01", 14));
  EXPECT_EQ(DecodeFixed16(out.data()), 0xA1B2);
  EXPECT_EQ(DecodeFixed32(out.data() + 2), 0xC1D2E3F4u);
  EXPECT_EQ(DecodeFixed64(out.data() + 6), 0x0102030405060708u);
  char buffer[8];
  EncodeFixed16(buffer, 0xFEDC);
  EXPECT_EQ(std::string(buffer, 2), "\xDC\xFE");
  EncodeFixed64(buffer, 0x8877665544332211u);
  EXPECT_EQ(DecodeFixed64(buffer), 0x8877665544332211u);
  EncodeDouble(buffer, -2.5);
  EXPECT_EQ(DecodeDouble(buffer), -2.5);
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
