#include "documents/payload.h"

#include <random>

#include <gtest/gtest.h>

#include "documents/document.h"
#include "util/checksum.h"
#include "util/coding.h"

namespace tarvosa {
namespace {

ScenarioDocuments Lago() {
  ScenarioDocuments scenario{.route_title = "Lago", .train_title = "Espresso"};
  scenario[DocumentKind::kLineDefinition] = DocumentLines{"[generale]", "lunghezza percorso, 8000"};
  scenario[DocumentKind::kTrainData] = DocumentLines{"[generale]", "", "[fine]"};
  scenario[DocumentKind::kTimetable] = DocumentLines{"  Località  ", "11.15½"};
  return scenario;
}

// Why the payload holds no scenario; "" when it holds one.
std::string Decoded(std::string_view payload) {
  const Result<ScenarioDocuments> scenario = DecodePayload(payload);
  if (scenario.ok()) return "";
  EXPECT_EQ(scenario.status().kind(), ExitStatus::kDataError);
  return scenario.status().message();
}

// A payload whose body is `body`, with a header that fits it.
std::string WithHeader(const std::string& body, std::uint32_t version = kPayloadVersion) {
  std::string payload(kPayloadMagic);
  PutFixed32(payload, version);
  PutFixed32(payload, Crc32(body));
  PutFixed64(payload, body.size());
  return payload + body;
}

TEST(Payload, AScenarioComesBackAsItWent) {
  const std::string payload = EncodePayload(Lago());
  const Result<ScenarioDocuments> decoded = DecodePayload(payload);
  ASSERT_TRUE(decoded.ok()) << decoded.status().message();
  const ScenarioDocuments& read = *decoded;
  EXPECT_EQ(read.route_title, "Lago");
  EXPECT_EQ(read.train_title, "Espresso");
  for (const DocumentKind kind : kWritingOrder) {
    EXPECT_EQ(read[kind], Lago()[kind]) << DocumentTitle(kind);
  }
  EXPECT_FALSE(read[DocumentKind::kNotes]);
  EXPECT_TRUE(read[DocumentKind::kTimetable]);
}

// Lengths take every byte of their field: a line of 70,000 bytes, one of
// 300; a document of the most lines a document holds.
TEST(Payload, LongLinesAndFullDocumentsComeBack) {
  ScenarioDocuments scenario = Lago();
  scenario[DocumentKind::kNotes] = DocumentLines{std::string(70000, 'n'), std::string(300, 'o')};
  scenario[DocumentKind::kTimetable] = DocumentLines(kDocumentTableSize - 1, "riga");
  const Result<ScenarioDocuments> decoded = DecodePayload(EncodePayload(scenario));
  ASSERT_TRUE(decoded.ok()) << decoded.status().message();
  EXPECT_EQ((*decoded)[DocumentKind::kNotes], scenario[DocumentKind::kNotes]);
  EXPECT_EQ((*decoded)[DocumentKind::kTimetable]->size(), kDocumentTableSize - 1);
}

TEST(Payload, TheHeaderIsMagicVersionChecksumAndLength) {
  const std::string payload = EncodePayload(Lago());
  EXPECT_EQ(payload.substr(0, 8), "TVSCENAR");
  EXPECT_EQ(DecodeFixed32(payload.data() + 8), 1u);
  const std::string_view body = std::string_view(payload).substr(24);
  EXPECT_EQ(DecodeFixed32(payload.data() + 12), Crc32(body));
  EXPECT_EQ(DecodeFixed64(payload.data() + 16), body.size());
  // The route title first: its length, then its bytes.
  EXPECT_EQ(body.substr(0, 6), std::string_view("\x04\x00Lago", 6));
}

TEST(Payload, APayloadCutShortAnywhereIsToldSo) {
  const std::string payload = EncodePayload(Lago());
  for (std::size_t size = 0; size < payload.size(); ++size) {
    const std::string reason = Decoded(std::string_view(payload).substr(0, size));
    EXPECT_EQ(reason.rfind("its scenario is cut short: ", 0), 0u) << size << ": " << reason;
  }
  EXPECT_EQ(Decoded(payload.substr(0, 30)), "its scenario is cut short: 6 of its " +
                                                std::to_string(payload.size() - 24) +
                                                " bytes are there");
  EXPECT_EQ(Decoded(payload.substr(0, 10)),
            "its scenario is cut short: 10 of the 24 bytes of its header are there");
}

TEST(Payload, AnyFlippedByteIsCaught) {
  const std::string payload = EncodePayload(Lago());
  for (std::size_t at = 0; at < payload.size(); ++at) {
    std::string altered = payload;
    altered[at] = static_cast<char>(altered[at] ^ 0x20);
    EXPECT_NE(Decoded(altered), "") << at;
  }
  std::string altered = payload;
  altered[40] = static_cast<char>(altered[40] ^ 1);
  EXPECT_EQ(Decoded(altered),
            "its scenario has been altered: its checksum does not match its bytes");
  altered = payload;
  altered[0] = 'X';
  EXPECT_EQ(Decoded(altered),
            "its scenario has been altered: its header is not where the program says");
}

TEST(Payload, AnUnknownVersionIsNamed) {
  std::string payload = EncodePayload(Lago());
  payload[8] = 2;
  EXPECT_EQ(Decoded(payload),
            "its scenario is of version 2, and this program reads version 1 only");
}

TEST(Payload, BytesAfterTheBodyAreAnAlteration) {
  EXPECT_EQ(Decoded(EncodePayload(Lago()) + "xyz"),
            "its scenario has been altered: 3 bytes follow it");
}

// Bodies with a checksum that fits them, as only a maker of bad payloads
// would write them.
TEST(Payload, ABodyThatIsNoScenarioIsRefusedWithWhatIsWrong) {
  EXPECT_EQ(Decoded(WithHeader("")),
            "its scenario cannot be read: the body ends inside its titles");
  std::string body;
  PutFixed16(body, 4);
  body += "Lago";
  PutFixed16(body, 8);
  body += "Espresso";
  PutFixed8(body, 2);
  EXPECT_EQ(Decoded(WithHeader(body)),
            "its scenario cannot be read: the body does not read as a scenario: a document is "
            "neither missing nor there of the line definition file");
  body.back() = 1;
  std::string one_too_many = body;
  PutFixed32(one_too_many, kDocumentTableSize);
  EXPECT_EQ(Decoded(WithHeader(one_too_many)),
            "its scenario cannot be read: the body does not read as a scenario: a document's "
            "line count of the line definition file");
  std::string huge = body;
  PutFixed32(huge, 0xFFFFFFFF);
  EXPECT_EQ(Decoded(WithHeader(huge)),
            "its scenario cannot be read: the body does not read as a scenario: a document's "
            "line count of the line definition file");
  std::string long_line = body;
  PutFixed32(long_line, 1);
  PutFixed32(long_line, 1000);
  EXPECT_EQ(Decoded(WithHeader(long_line + "abc")),
            "its scenario cannot be read: the body does not read as a scenario: a document's "
            "line of the line definition file");
  std::string missing = body;
  missing.back() = 0;
  missing += std::string(4, '\0');
  EXPECT_EQ(Decoded(WithHeader(missing)),
            "its scenario cannot be installed: there is no line definition file");
  EXPECT_EQ(Decoded(WithHeader(EncodePayload(Lago()).substr(24) + "x")),
            "its scenario cannot be read: the body does not read as a scenario: bytes after its "
            "documents");
}

TEST(Payload, RandomBytesAreRefusedAndNeverReadPastTheirEnd) {
  std::mt19937 random(11);
  for (int round = 0; round < 2000; ++round) {
    std::string bytes(random() % 200, '\0');
    for (char& c : bytes) c = static_cast<char>(random() % 4 == 0 ? random() % 4 : random());
    // With a header that fits, the body itself is read.
    const std::string reason = Decoded(round % 2 ? WithHeader(bytes) : bytes);
    EXPECT_NE(reason, "") << round;
  }
}

TEST(Payload, ATitleThatNamesNoFileIsRefused) {
  ScenarioDocuments scenario = Lago();
  scenario.route_title = "../../Lago";
  EXPECT_EQ(Decoded(EncodePayload(scenario)),
            "its scenario cannot be installed: route: the title holds '/', which a file name "
            "cannot hold");
}

TEST(Payload, TheSlotAsBuiltHoldsItsMarkerAndNoOffset) {
  constexpr PayloadSlot slot = EmptyPayloadSlot();
  EXPECT_EQ(std::string_view(slot.marker, kSlotMarkerBytes),
            std::string_view("(tarvosa:slot1)\0", 16));
  for (const unsigned char byte : slot.offset) EXPECT_EQ(byte, 0);
}

}  // namespace
}  // namespace tarvosa
