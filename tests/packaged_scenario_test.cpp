#include "app/packaged_scenario.h"

#include <gtest/gtest.h>

#include "documents/payload.h"
#include "test_support.h"

namespace tarvosa {
namespace {

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

}  // namespace
}  // namespace tarvosa
