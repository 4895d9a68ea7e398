#include "util/portable_names.h"

#include <gtest/gtest.h>

namespace tarvosa {
namespace {

std::string Said(const Status& status) {
  return status.ok() ? "ok" : status.message();
}

TEST(PortableNames, HostileNamesAreRefusedWithTheirReason) {
  const struct {
    std::string name;
    std::string reason;
  } cases[] = {
      {"Tarvosa_Corvale.sim", "ok"},
      {"Lago di Còmo_Espresso-.txt", "ok"},
      {"CONSOLE.txt", "ok"},
      {"COM10.dat", "ok"},
      {"LPT0.dat", "ok"},
      {"Lago.1a2b3c4d.partial", "ok"},
      {"", "the name is empty"},
      {".", "the name is '.'"},
      {"..", "the name is '..'"},
      {std::string(255, 'a'), "ok"},
      {std::string(256, 'a'), "the name is longer than 255 bytes"},
      {std::string("a\0b", 3), "the name holds the control character 0x00"},
      {"a\nb", "the name holds the control character 0x0A"},
      {"a\x1B[2Jb", "the name holds the control character 0x1B"},
      {"a\x7F", "the name holds the control character 0x7F"},
      {"../Lago_linea.txt", "the name holds '/', which a file name cannot hold"},
      {"..\\Lago_linea.txt", "the name holds '\\', which a file name cannot hold"},
      {"C:Lago.dat", "the name holds ':', which a file name cannot hold"},
      {"Lago*.dat", "the name holds '*', which a file name cannot hold"},
      {"Lago?.dat", "the name holds '?', which a file name cannot hold"},
      {"Lago\".dat", "the name holds '\"', which a file name cannot hold"},
      {"Lago<.dat", "the name holds '<', which a file name cannot hold"},
      {"Lago>.dat", "the name holds '>', which a file name cannot hold"},
      {"Lago|.dat", "the name holds '|', which a file name cannot hold"},
      {"con.txt", "the name begins with 'con', which Windows keeps for a device"},
      {"Con", "the name begins with 'Con', which Windows keeps for a device"},
      {"nul.dat", "the name begins with 'nul', which Windows keeps for a device"},
      {"PRN.a.b", "the name begins with 'PRN', which Windows keeps for a device"},
      {"aux", "the name begins with 'aux', which Windows keeps for a device"},
      {"COM1.sim", "the name begins with 'COM1', which Windows keeps for a device"},
      {"lpt9", "the name begins with 'lpt9', which Windows keeps for a device"},
      {"com\xC2\xB9.dat", "the name begins with 'com\xC2\xB9', which Windows keeps for a device"},
      {"LPT\xC2\xB3", "the name begins with 'LPT\xC2\xB3', which Windows keeps for a device"},
      {"CON .txt", "the name begins with 'CON ', which Windows keeps for a device"},
      {"conout$.txt", "the name begins with 'conout$', which Windows keeps for a device"},
      {"Lago.", "the name ends with a blank or a dot, which Windows drops"},
      {"Lago ", "the name ends with a blank or a dot, which Windows drops"},
  };
  for (const auto& [name, reason] : cases) {
    const Status said = PortableNameProblem(name);
    EXPECT_EQ(Said(said), reason) << name;
    if (!said.ok()) {
      EXPECT_EQ(said.kind(), ExitStatus::kDataError) << name;
    }
  }
}

TEST(PortableNames, DeviceNamesAreTheStemAloneWhateverItsCase) {
  for (const char* device : {"CON", "con", "cOn", "PRN", "AUX", "NUL", "COM1", "com9", "LPT1",
                             "Lpt5", "COM\xC2\xB2", "con  "}) {
    EXPECT_TRUE(IsDeviceName(device)) << device;
  }
  for (const char* other :
       {"", "CO", "CONS", "COM", "COM0", "LPT10", "NULL", "COM\xC2\xB4", " CON", "Tarvosa"}) {
    EXPECT_FALSE(IsDeviceName(other)) << other;
  }
  EXPECT_EQ(StemOf("nul.tar.gz"), "nul");
  EXPECT_EQ(StemOf("Tarvosa"), "Tarvosa");
}

TEST(PortableNames, NamesAreFoldedAsWindowsFoldsThem) {
  EXPECT_TRUE(SameFileName("Lago_linea.dat", "LAGO_LINEA.DAT"));
  EXPECT_TRUE(SameFileName("CITTÀ_ÉÈ.sim", "città_éè.sim"));
  EXPECT_TRUE(SameFileName("ŠŒŽŸ", "šœžÿ"));
  EXPECT_TRUE(SameFileName("Þ", "þ"));
  EXPECT_FALSE(SameFileName("×", "÷"));  // a sign, not a letter
  EXPECT_FALSE(SameFileName("Lago_linea.dat", "Lago_linea.da"));
  EXPECT_FALSE(SameFileName("ß", "ss"));
  EXPECT_EQ(FoldedName("A\xFF"
                       "B"),
            "a\xFF"
            "b");  // a byte that is no character stays
  EXPECT_EQ(FoldedName("Ä_x"), "ä_x");
}

}  // namespace
}  // namespace tarvosa
