#include "documents/scenario_documents.h"

#include <gtest/gtest.h>

#include "documents/document.h"
#include "test_support.h"

namespace tarvosa {
namespace {

using testing::ListDirectory;
using testing::ReadFile;
using testing::ScratchDirectory;

// What a check says: "ok", or the reason its data error gives.
std::string Said(const Status& status) {
  if (status.ok()) return "ok";
  EXPECT_EQ(status.kind(), ExitStatus::kDataError) << status.message();
  return status.message();
}

TEST(ScenarioDocuments, EveryKindIsNamedAfterTheTitles) {
  const ScenarioPlace place{.route_title = "Lago", .train_title = "Espresso", .app_path = "d"};
  std::vector<std::string> names;
  for (const DocumentKind kind : kWritingOrder) names.push_back(DocumentName(kind, place));
  EXPECT_EQ(names, (std::vector<std::string>{
                       "d/Lago_linea.txt", "d/Lago_Espresso-.txt", "d/Lago_Espresso_note.txt",
                       "d/Lago_Espresso_rallentamenti.txt", "d/Lago_Espresso_scheda_treno.txt"}));
}

TEST(ScenarioDocuments, ATitleMustNameAFileOnEverySystem) {
  EXPECT_EQ(Said(TitleProblem("Lago di Còmo")), "ok");
  EXPECT_EQ(Said(TitleProblem("Lago_Nord")), "ok");
  EXPECT_EQ(Said(TitleProblem("")), "the title is empty");
  EXPECT_EQ(Said(TitleProblem(std::string(101, 'a'))), "the title is longer than 100 bytes");
  EXPECT_EQ(Said(TitleProblem("../Lago")), "the title holds '/', which a file name cannot hold");
  EXPECT_EQ(Said(TitleProblem("C:Lago")), "the title holds ':', which a file name cannot hold");
  EXPECT_EQ(Said(TitleProblem("a\\b")), "the title holds '\\', which a file name cannot hold");
  EXPECT_EQ(Said(TitleProblem("a\tb")), "the title holds a control character");
  EXPECT_EQ(Said(TitleProblem("Lago→")),
            "the title's character 5: character U+2192 has no Windows-1252 byte");
}

TEST(ScenarioDocuments, ADocumentHoldsAThousandLinesAndNoEndMarker) {
  EXPECT_EQ(Said(DocumentProblem(DocumentLines(1000, "x"))), "ok");
  EXPECT_EQ(Said(DocumentProblem(DocumentLines(1001, "x"))),
            "1001 lines: a document holds at most 1000");
  EXPECT_EQ(Said(DocumentProblem({"uno", std::string(kEndMarker), "tre"})),
            "line 2 is 'riferimento fine del file', which ends a document where it stands");
  EXPECT_EQ(Said(DocumentProblem({" riferimento fine del file"})), "ok");
}

// Every line must come out of the writer as it stands: UTF-8 that encodes
// into Windows-1252, one byte a character, and no line end of its own.
TEST(ScenarioDocuments, ALineTheWriterCannotEncodeIsNamedWithItsColumn) {
  EXPECT_EQ(Said(DocumentProblem({"uno", "€ Š ÿ", "{tab\tulato}"})), "ok");
  EXPECT_EQ(Said(DocumentProblem({"uno", "due\r\ntre"})),
            "line 2, column 4: a line break inside a line");
  EXPECT_EQ(Said(DocumentProblem({"città\r"})), "line 1, column 6: a line break inside a line");
  EXPECT_EQ(Said(DocumentProblem({"", "", "\ntre"})),
            "line 3, column 1: a line break inside a line");
  EXPECT_EQ(Said(DocumentProblem({"uno", "ab\xC3("})),
            "line 2, column 3: the text is not valid UTF-8");
  EXPECT_EQ(Said(DocumentProblem({"\xE2\x82"})), "line 1, column 1: the text is not valid UTF-8");
  EXPECT_EQ(Said(DocumentProblem({"città ā"})),
            "line 1, column 7: character U+0101 has no Windows-1252 byte");
  // The five bytes Windows-1252 leaves undefined: carried raw, they are no
  // UTF-8; carried as the characters of those numbers, they have no byte.
  EXPECT_EQ(Said(DocumentProblem({"x\x81"})), "line 1, column 2: the text is not valid UTF-8");
  const std::pair<const char*, const char*> undefined[] = {{"\u0081", "U+0081"},
                                                           {"\u008D", "U+008D"},
                                                           {"\u008F", "U+008F"},
                                                           {"\u0090", "U+0090"},
                                                           {"\u009D", "U+009D"}};
  for (const auto& [character, name] : undefined) {
    EXPECT_EQ(Said(DocumentProblem({"uno", std::string("x") + character})),
              std::string("line 2, column 2: character ") + name + " has no Windows-1252 byte");
  }
}

TEST(ScenarioDocuments, TheLineAndTrainFilesMustBeThere) {
  ScenarioDocuments scenario{.route_title = "Lago", .train_title = "Espresso"};
  EXPECT_EQ(Said(ScenarioProblem(scenario)), "there is no line definition file");
  scenario[DocumentKind::kLineDefinition] = DocumentLines{"[generale]"};
  EXPECT_EQ(Said(ScenarioProblem(scenario)), "there is no train data file");
  scenario[DocumentKind::kTrainData] = DocumentLines{};
  EXPECT_EQ(Said(ScenarioProblem(scenario)), "ok");
  scenario[DocumentKind::kNotes] = DocumentLines(1001);
  EXPECT_EQ(Said(ScenarioProblem(scenario)), "notes: 1001 lines: a document holds at most 1000");
  scenario.train_title = "a/b";
  EXPECT_EQ(Said(ScenarioProblem(scenario)),
            "train: the title holds '/', which a file name cannot hold");
}

TEST(ScenarioDocuments, ADocumentIsWrittenWithItsLinesExactly) {
  ScratchDirectory dir;
  const ScenarioPlace place{
      .route_title = "Lago", .train_title = "Espresso", .app_path = dir.text()};
  ASSERT_TRUE(
      WriteScenarioDocument(DefaultOs(), place, DocumentKind::kNotes, {"    Località", "", " x "})
          .ok());
  EXPECT_EQ(ReadFile(dir.path() / "Lago_Espresso_note.txt"), "    Localit\xE0\r\n\r\n x \r\n");
}

TEST(ScenarioDocuments, ADocumentATableWouldCutShortIsRefusedUnwritten) {
  ScratchDirectory dir;
  const ScenarioPlace place{
      .route_title = "Lago", .train_title = "Espresso", .app_path = dir.text()};
  const Status written = WriteScenarioDocument(DefaultOs(), place, DocumentKind::kNotes,
                                               {"uno", std::string(kEndMarker), "tre"});
  EXPECT_EQ(written.kind(), ExitStatus::kDataError);
  EXPECT_EQ(written.message(), dir.text() +
                                   "/Lago_Espresso_note.txt: line 2 is 'riferimento "
                                   "fine del file', which ends a document where it stands");
  EXPECT_TRUE(ListDirectory(dir.path()).empty());
}

}  // namespace
}  // namespace tarvosa
