// The packaging library: an author's scenario found and read in a
// directory, the documents it lacks made, and the installer given the
// scenario's place in its slot with the scenario after its bytes.
#include <filesystem>

#include <gtest/gtest.h>

#include "compile_support.h"
#include "documents/payload.h"
#include "packaging/author_scenario.h"
#include "packaging/installer_program.h"
#include "packaging/made_documents.h"
#include "scenario/skeleton_table.h"
#include "test_support.h"
#include "util/coding.h"

namespace tarvosa {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::WriteFile;

// An installer of the system `magic` names, with `slots` slots holding 0.
std::string Installer(const std::string& magic, int slots) {
  std::string bytes = magic + std::string(100, 'x');
  for (int i = 0; i < slots; ++i) {
    bytes += std::string(kSlotMarker, kSlotMarkerBytes) + std::string(kSlotOffsetBytes, '\0');
    bytes += std::string(50, 'y');
  }
  return bytes;
}

class Packaging : public ::testing::Test {
 protected:
  // A file of the work directory, named as the scenario's files are named.
  std::string In(const std::string& name) const { return work_.text() + "/" + name; }
  testing::ScratchDirectory work_{"pacchetto"};
};

TEST_F(Packaging, TheProgramIsTheInstallerWithThePayloadsPlaceInItsSlotAndThePayloadAfter) {
  const std::string installer = Installer(
      "\x7F"
      "ELF",
      1);
  WriteFile(In("installer"), installer);
  const auto program = packaging::PackagedProgram(DefaultOs(), In("installer"), false, "PAYLOAD");
  ASSERT_TRUE(program.ok()) << program.status().message();
  ASSERT_EQ(program->size(), installer.size() + 7);
  EXPECT_EQ(program->substr(installer.size()), "PAYLOAD");
  const std::size_t slot = installer.find(kSlotMarker) + kSlotMarkerBytes;
  EXPECT_EQ(DecodeFixed64(program->data() + slot), installer.size());
  // Nothing else of the installer changes.
  EXPECT_EQ(program->substr(0, slot), installer.substr(0, slot));
  EXPECT_EQ(program->substr(slot + kSlotOffsetBytes, installer.size() - slot - kSlotOffsetBytes),
            installer.substr(slot + kSlotOffsetBytes));
}

TEST_F(Packaging, OnlyAnInstallerAsBuiltOfTheSystemAskedForIsPackaged) {
  WriteFile(In("linux"), Installer("\x7F"
                                   "ELF",
                                   1));
  WriteFile(In("windows"), Installer("MZ", 1));
  WriteFile(In("none"), Installer("\x7F"
                                  "ELF",
                                  0));
  WriteFile(In("two"), Installer("\x7F"
                                 "ELF",
                                 2));
  const auto carrying = packaging::PackagedProgram(DefaultOs(), In("linux"), false, "P");
  ASSERT_TRUE(carrying.ok());
  WriteFile(In("carrying"), *carrying);
  EXPECT_TRUE(packaging::PackagedProgram(DefaultOs(), In("windows"), true, "P").ok());
  const struct {
    std::string file;
    bool windows;
    ExitStatus kind;
  } refused[] = {
      {"linux", true, ExitStatus::kUsage},     {"windows", false, ExitStatus::kUsage},
      {"none", false, ExitStatus::kUsage},     {"two", false, ExitStatus::kUsage},
      {"carrying", false, ExitStatus::kUsage}, {"missing", false, ExitStatus::kFileSystem}};
  for (const auto& r : refused) {
    const auto program = packaging::PackagedProgram(DefaultOs(), In(r.file), r.windows, "P");
    ASSERT_FALSE(program.ok()) << r.file;
    EXPECT_EQ(program.status().kind(), r.kind) << r.file;
    EXPECT_TRUE(program.status().message().starts_with(In(r.file) + ": ")) << r.file;
  }
}

TEST_F(Packaging, AGivenInstallerIsTheOnlyPlaceLookedIn) {
  WriteFile(In("installer"), "bytes");
  const Result<std::string> no_tool = Status::FileSystemError("no tool");
  const auto found = packaging::FindInstaller(DefaultOs(), In("installer"), false, no_tool);
  ASSERT_TRUE(found.ok());
  EXPECT_EQ(*found, In("installer"));
  const auto missing = packaging::FindInstaller(DefaultOs(), In("nowhere"), true, no_tool);
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(missing.status().kind(), ExitStatus::kFileSystem);
  EXPECT_NE(missing.status().message().find("(looked for " + In("nowhere") + ")"),
            std::string::npos);
}

TEST_F(Packaging, AProgramIsWrittenRunnableAndReplacedOnlyWithForce) {
  const std::string program = In("sub/Lago_Espresso");
  ASSERT_TRUE(packaging::WriteProgram(DefaultOs(), program, "first", false).ok());
  EXPECT_EQ(ReadFile(program), "first");
#ifndef _WIN32  // where a program is one by its name alone
  EXPECT_NE(fs::status(program).permissions() & fs::perms::owner_exec, fs::perms::none);
#endif
  const Status refused = packaging::WriteProgram(DefaultOs(), program, "second", false);
  EXPECT_EQ(refused.kind(), ExitStatus::kFileSystem);
  EXPECT_EQ(ReadFile(program), "first");
  ASSERT_TRUE(packaging::WriteProgram(DefaultOs(), program, "second", true).ok());
  EXPECT_EQ(ReadFile(program), "second");
}

TEST_F(Packaging, ADirectoryHoldsOneScenarioByItsFileNames) {
  EXPECT_EQ(packaging::FindAuthorScenario(DefaultOs(), work_.text()).status().kind(),
            ExitStatus::kFileSystem);
  WriteFile(In("Lago_linea.txt"), "");
  WriteFile(In("Mare_Espresso-.txt"), "");  // another route's train
  EXPECT_EQ(packaging::FindAuthorScenario(DefaultOs(), work_.text()).status().kind(),
            ExitStatus::kFileSystem);
  WriteFile(In("Lago_Espresso-.txt"), "");
  const auto one = packaging::FindAuthorScenario(DefaultOs(), work_.text());
  ASSERT_TRUE(one.ok()) << one.status().message();
  EXPECT_EQ(one->route_title, "Lago");
  EXPECT_EQ(one->train_title, "Espresso");
  EXPECT_EQ(DocumentName(DocumentKind::kNotes, one->place), In("Lago_Espresso_note.txt"));
  WriteFile(In("Lago_Rapido-.txt"), "");
  EXPECT_EQ(packaging::FindAuthorScenario(DefaultOs(), work_.text()).status().kind(),
            ExitStatus::kUsage);
}

TEST_F(Packaging, TheDocumentsAreReadAsWrittenAndAMissingOneIsNone) {
  WriteFile(In("Lago_linea.txt"), "[generale]\r\n");
  WriteFile(In("Lago_Espresso-.txt"), "[generale]\n[fine]");
  const auto files = packaging::FindAuthorScenario(DefaultOs(), work_.text());
  ASSERT_TRUE(files.ok());
  const auto documents = packaging::ReadAuthorDocuments(DefaultOs(), *files);
  ASSERT_TRUE(documents.ok()) << documents.status().message();
  EXPECT_EQ(*(*documents)[DocumentKind::kTrainData], (DocumentLines{"[generale]", "[fine]"}));
  EXPECT_FALSE((*documents)[DocumentKind::kNotes].has_value());

  WriteFile(In("Lago_Espresso_note.txt"), "bene\r\nmale \x81\r\n");
  const auto refused = packaging::ReadAuthorDocuments(DefaultOs(), *files);
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.status().kind(), ExitStatus::kDataError);
  EXPECT_TRUE(refused.status().message().starts_with(In("Lago_Espresso_note.txt") + ":2:"))
      << refused.status().message();
}

TEST_F(Packaging, ATitleNoSystemCanNameAFileWithIsADataError) {
  const packaging::AuthorFiles files{
      "Lago", "Espresso*", {.route_title = "Lago", .train_title = "Espresso*", .app_path = "d"}};
  const Status titles = packaging::CheckTitles(files);
  EXPECT_EQ(titles.kind(), ExitStatus::kDataError);
  EXPECT_TRUE(titles.message().starts_with("d/Lago_linea.txt: the train title 'Espresso*': "))
      << titles.message();
}

TEST_F(Packaging, OnlyTheDocumentsTheAuthorDidNotWriteAreMade) {
  const Compilation compiled = testing::CompileTexts(testing::CrLf(scenario::kSkeletonLine),
                                                     testing::CrLf(scenario::kSkeletonTrain));
  ASSERT_TRUE(compiled.Writable());
  ScenarioDocuments scenario{.route_title = "Lago", .train_title = "Espresso"};
  scenario[DocumentKind::kTimetable] = DocumentLines{"the author's own sheet"};
  EXPECT_EQ(packaging::AddMadeDocuments(compiled.scenario, scenario),
            std::vector<DocumentKind>{DocumentKind::kSlowDownOrder});
  EXPECT_EQ(*scenario[DocumentKind::kTimetable], DocumentLines{"the author's own sheet"});
  ASSERT_TRUE(scenario[DocumentKind::kSlowDownOrder].has_value());
  EXPECT_FALSE(scenario[DocumentKind::kSlowDownOrder]->empty());
  EXPECT_TRUE(packaging::AddMadeDocuments(compiled.scenario, scenario).empty());
}

}  // namespace
}  // namespace tarvosa
