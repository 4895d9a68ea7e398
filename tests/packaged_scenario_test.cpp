#include "app/packaged_scenario.h"

#include <chrono>

#include <gtest/gtest.h>

#include "documents/payload.h"
#include "fake_os.h"
#include "test_support.h"

namespace tarvosa {
namespace {

using testing::Call;
using testing::FakeOs;
using testing::RecordingScreen;
using testing::ScratchDirectory;
using testing::WriteFile;

ScenarioDocuments Lago() {
  ScenarioDocuments scenario{.route_title = "Lago", .train_title = "Espresso"};
  scenario[DocumentKind::kLineDefinition] = DocumentLines{"[generale]"};
  scenario[DocumentKind::kTrainData] = DocumentLines{"[generale]", "[fine]"};
  return scenario;
}

class PackagedScenario : public ::testing::Test {
 protected:
  const std::string kProgramBytes = "a program of 25 bytes....";
  ScratchDirectory dir_;
  std::string program_ = dir_.text() + "/Lago_Espresso";
};

TEST_F(PackagedScenario, AProgramAsBuiltCarriesNone) {
  EXPECT_EQ(PayloadOffset(), 0u);
}

TEST_F(PackagedScenario, TheScenarioIsReadFromItsOffset) {
  WriteFile(program_, kProgramBytes + EncodePayload(Lago()));
  const Result<ScenarioDocuments> read =
      ReadPackagedScenario(DefaultOs(), program_, kProgramBytes.size());
  ASSERT_TRUE(read.ok()) << read.status().message();
  EXPECT_EQ(read->route_title, "Lago");
  EXPECT_EQ((*read)[DocumentKind::kTrainData], Lago()[DocumentKind::kTrainData]);
}

TEST_F(PackagedScenario, AProgramCutShortIsAFileSystemFailureThatNamesIt) {
  const std::string payload = EncodePayload(Lago());
  WriteFile(program_, kProgramBytes + payload.substr(0, payload.size() - 5));
  const Status status = ReadPackagedScenario(DefaultOs(), program_, kProgramBytes.size()).status();
  EXPECT_EQ(status.kind(), ExitStatus::kFileSystem);
  EXPECT_EQ(status.message(),
            program_ + ": its scenario is cut short: " + std::to_string(payload.size() - 29) +
                " of its " + std::to_string(payload.size() - 24) + " bytes are there");
  // Cut before its scenario begins.
  WriteFile(program_, kProgramBytes.substr(0, 10));
  EXPECT_EQ(ReadPackagedScenario(DefaultOs(), program_, kProgramBytes.size()).status().message(),
            program_ + ": its scenario is cut short: 0 of the 24 bytes of its header are there");
}

TEST_F(PackagedScenario, AProgramThatCannotBeReadIsNamed) {
  const Status status = ReadPackagedScenario(DefaultOs(), program_, 25).status();
  EXPECT_EQ(status.kind(), ExitStatus::kFileSystem);
  EXPECT_EQ(status.message(), program_ + ": cannot read the program for its scenario");
}

const std::string kGames = "/giochi";
const std::string kPackaged = kGames + "/Lago_Espresso";

// Installs as the packaged program `kPackaged` would, its file in `os`
// carrying `scenario`; what the run ended with, and what it showed.
std::pair<ExitStatus, std::vector<std::string>> InstallCarrying(FakeOs& os,
                                                                const ScenarioDocuments& scenario) {
  const std::string program_bytes = "a program of 25 bytes....";
  os.AddFile(kPackaged, program_bytes + EncodePayload(scenario), 0755);
  Form1 form;
  form.app_path = kGames;
  RecordingScreen screen;
  const ExitStatus status = InstallPackagedScenario(os, form, screen, kPackaged,
                                                    program_bytes.size(), std::chrono::seconds(0));
  return {status, screen.shown};
}

// A line the writers cannot write, in any document: the run would stop
// halfway, its line and train files written.
TEST(PackagedInstall, ABadLineEndsTheRunBeforeTheWindowWithNothingWritten) {
  const std::pair<DocumentKind, std::string> bad_lines[] = {
      {DocumentKind::kLineDefinition, "uno\r\ndue"},
      {DocumentKind::kTrainData, "uno\ndue"},
      {DocumentKind::kNotes, "uno\xE0"},
      {DocumentKind::kSlowDownOrder, "uno ā"},
      {DocumentKind::kTimetable, "uno \u0090"},
  };
  const std::string reasons[] = {
      "line definition file: line 2, column 4: a line break inside a line",
      "train data file: line 3, column 4: a line break inside a line",
      "notes: line 1, column 4: the text is not valid UTF-8",
      "slow-down order: line 1, column 5: character U+0101 has no Windows-1252 byte",
      "timetable sheet: line 1, column 5: character U+0090 has no Windows-1252 byte",
  };
  for (std::size_t i = 0; i < std::size(bad_lines); ++i) {
    SCOPED_TRACE(reasons[i]);
    ScenarioDocuments scenario = Lago();
    const auto& [kind, line] = bad_lines[i];
    if (!scenario[kind]) scenario[kind].emplace();
    scenario[kind]->push_back(line);
    FakeOs os;
    const auto [status, shown] = InstallCarrying(os, scenario);
    EXPECT_EQ(status, ExitStatus::kFileSystem);
    EXPECT_EQ(shown, std::vector<std::string>{kPackaged +
                                              ": its scenario cannot be installed: " + reasons[i]});
    EXPECT_EQ(os.Names(kGames), std::vector<std::string>{"Lago_Espresso"});
    // The program's file was read, and nothing else was touched.
    for (const testing::CallRecord& call : os.calls()) {
      EXPECT_EQ(call.path, kPackaged) << ToString(call);
      EXPECT_NE(call.call, Call::kCreateNewFile) << ToString(call);
    }
  }
}

}  // namespace
}  // namespace tarvosa
