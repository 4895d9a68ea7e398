#include "util/checksum.h"

#include <gtest/gtest.h>

namespace tarvosa {
namespace {

TEST(Crc32, GivesTheCheckValuesOfTheStandard) {
  EXPECT_EQ(Crc32(""), 0x00000000u);
  EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
  EXPECT_EQ(Crc32("The quick brown fox jumps over the lazy dog"), 0x414FA339u);
  EXPECT_EQ(Crc32("\xFF"), 0xFF000000u);
  std::string every_byte;
  for (int b = 0; b < 256; ++b) every_byte += static_cast<char>(b);
  EXPECT_EQ(Crc32(every_byte), 0x29058C73u);
}

TEST(Crc32, AnyFlippedBitChangesIt) {
  const std::string bytes = "stazione,  3500,  2,  300, Fermata\r\n";
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    for (int bit = 0; bit < 8; ++bit) {
      std::string changed = bytes;
      changed[at] = static_cast<char>(changed[at] ^ (1 << bit));
      EXPECT_NE(Crc32(changed), Crc32(bytes)) << at << " " << bit;
    }
  }
}

}  // namespace
}  // namespace tarvosa
