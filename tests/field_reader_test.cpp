#include "compiler/internal/field_reader.h"

#include <gtest/gtest.h>

namespace tarvosa {
namespace {

TEST(FieldReader, TextFieldsEndAtACommaOrALineEnd) {
  FieldReader in(
      "curvas1,  1350,  150\r\n[pendenze]\r\ncartello_indicatore,  79900,   (Culmine)\r\n");
  EXPECT_EQ(in.ReadText(), "curvas1");
  EXPECT_EQ(in.ReadInt32("the value"), 1350);
  EXPECT_EQ(in.ReadInt32("the value"), 150);
  EXPECT_EQ(in.ReadText(), "[pendenze]");
  EXPECT_EQ(in.ReadText(), "cartello_indicatore");
  EXPECT_EQ(in.ReadInt32("the value"), 79900);
  EXPECT_FALSE(in.AtEnd());
  EXPECT_EQ(in.ReadText(), "(Culmine)");
  EXPECT_TRUE(in.AtEnd());
}

TEST(FieldReader, ADecimalCommaLeavesItsFractionAsTheNextField) {
  FieldReader in("pendenza,  1250,   -4,5\r\npendenza");
  EXPECT_EQ(in.ReadText(), "pendenza");
  EXPECT_EQ(in.ReadInt32("the value"), 1250);
  EXPECT_EQ(in.ReadInt32("the value"), -4);
  EXPECT_EQ(in.ReadText(), "5");
  EXPECT_EQ(in.ReadText(), "pendenza");
}

TEST(FieldReader, EmptyNumbersReadAsZero) {
  FieldReader in("indicatori_vmax,  1100,  105,  ,  ,  0\n");
  EXPECT_EQ(in.ReadText(), "indicatori_vmax");
  EXPECT_EQ(in.ReadInt32("the value"), 1100);
  EXPECT_EQ(in.ReadInt32("the value"), 105);
  EXPECT_EQ(in.ReadInt32("the value"), 0);
  EXPECT_EQ(in.ReadInt32("the value"), 0);
  EXPECT_EQ(in.ReadInt32("the value"), 0);
  EXPECT_TRUE(in.AtEnd());
}

TEST(FieldReader, BlanksAloneSeparateNumbers) {
  FieldReader in("orologio,    9               42            50 \r\nsabbia");
  EXPECT_EQ(in.ReadText(), "orologio");
  EXPECT_EQ(in.ReadInt16("the value"), 9);
  EXPECT_EQ(in.ReadInt16("the value"), 42);
  EXPECT_EQ(in.ReadInt16("the value"), 50);
  EXPECT_EQ(in.ReadText(), "sabbia");
}

TEST(FieldReader, LineEndsOfEveryKindAndEmptyLinesArePassedOver) {
  FieldReader in("a\rb\n\n\r\n  c,\r\n\r\n7\r\nd  ,e");
  EXPECT_EQ(in.ReadText(), "a");
  EXPECT_EQ(in.ReadText(), "b");
  EXPECT_EQ(in.ReadText(), "c");
  EXPECT_EQ(in.ReadInt32("the value"), 7);
  EXPECT_EQ(in.ReadText(), "d  ");
  EXPECT_EQ(in.ReadText(), "e");
  EXPECT_TRUE(in.AtEnd());
}

TEST(FieldReader, ReadingWithNothingLeftFails) {
  FieldReader empty("");
  EXPECT_THROW(empty.ReadText(), RuntimeFailure);
  FieldReader blanks(" \r\n  ");
  EXPECT_EQ(blanks.ReadInt32("the value"), 0);
  EXPECT_TRUE(blanks.AtEnd());
  EXPECT_THROW(blanks.ReadInt32("the value"), RuntimeFailure);
}

TEST(FieldReader, OnlyWholeNumbersThatFitTheirPlaceAreRead) {
  for (const char* bad : {"1.5", "1e3", "+4", "-", "12a", "\t3"}) {
    FieldReader in(bad);
    EXPECT_THROW(in.ReadInt32("the value"), RuntimeFailure) << bad;
  }
  EXPECT_THROW(FieldReader("2147483648").ReadInt32("the value"), RuntimeFailure);
  EXPECT_EQ(FieldReader("-2147483648").ReadInt32("the value"), INT32_MIN);
  EXPECT_THROW(FieldReader("32768").ReadInt16("the value"), RuntimeFailure);
  EXPECT_THROW(FieldReader("256").ReadByte("the value"), RuntimeFailure);
  EXPECT_THROW(FieldReader("-1").ReadByte("the value"), RuntimeFailure);
  EXPECT_EQ(FieldReader("255").ReadByte("the value"), 255);
  EXPECT_THROW(FieldReader("99999999999999999999999").ReadInt32("the value"), RuntimeFailure);
}

TEST(FieldReader, AQuotedTextFails) {
  FieldReader in("\"Sessa\"");
  EXPECT_THROW(in.ReadText(), RuntimeFailure);
}

TEST(Keywords, TestsFindTheKeywordAnywhere) {
  EXPECT_TRUE(Contains("curvas1", "curva"));
  EXPECT_TRUE(Contains("LUNGHEZZA PERCORSO", "lunghezza"));
  EXPECT_FALSE(Contains("[aderenze]", "aderenza"));
  EXPECT_FALSE(ContainsExact("Progressiva chilometrica uno", "progressiva"));
  EXPECT_TRUE(ContainsExact("progressiva chilometrica uno", "progressiva"));
}

}  // namespace
}  // namespace tarvosa
