// The tool's commands on a file system in memory, where a test can fail any
// one call: what a failure leaves behind, what is refused before anything
// is written, and what only a fake can place (the tool's own file).
#include <algorithm>

#include <gtest/gtest.h>

#include "compile_support.h"
#include "documents/payload.h"
#include "fake_os.h"
#include "round_trip.h"
#include "scenario/skeleton_table.h"
#include "tool_support.h"
#include "util/coding.h"

namespace tarvosa {
namespace {

using testing::Call;
using testing::FakeOs;

const std::string kExample = "/w/ex";
const std::string kLine = kExample + "/Tarvosa_linea.txt";
const std::string kTrain = kExample + "/Tarvosa_Corvale-.txt";
const std::string kOut = "/w/out";
const std::vector<std::string> kCompiled = {"Tarvosa_Corvale.dat", "Tarvosa_Corvale.sim",
                                            "Tarvosa_linea.dat"};

class ToolOnFakeOs : public ::testing::Test {
 protected:
  void SetUp() override {
    os_.AddDirectory("/w");
    const auto exported = Tool({"export", kExample});
    ASSERT_EQ(exported.exit_status, 0) << exported.standard_error;
  }
  testing::ToolRun Tool(const std::vector<std::string>& arguments) {
    return testing::RunScenario(arguments, os_, program_);
  }
  // No partial file of any name is left in `directory`.
  void ExpectNoPartialFile(const std::string& directory) {
    for (const std::string& name : os_.Names(directory)) {
      EXPECT_FALSE(name.ends_with(".partial")) << name;
    }
  }

  FakeOs os_;
  Result<std::string> program_ = std::string("/opt/tarvosa/scenario");
};

// The three files are replaced in order, plan, table and track; the one
// whose write or rename fails and those after it keep their earlier bytes.
TEST_F(ToolOnFakeOs, ACompileThatFailsKeepsTheFilesItHadNotReplacedWhole) {
  const std::vector<std::string> order = {"Tarvosa_linea.dat", "Tarvosa_Corvale.sim",
                                          "Tarvosa_Corvale.dat"};
  for (const Call call : {Call::kWrite, Call::kRenameOver}) {
    for (std::size_t failing = 0; failing < order.size(); ++failing) {
      for (const std::string& file : kCompiled) os_.AddFile(kOut + "/" + file, "earlier " + file);
      os_.Fail({.call = call, .path_part = kOut + "/" + order[failing]});
      const auto run = Tool({"compile", kLine, kTrain, "-o", kOut});
      const std::string why = std::string(testing::NameOf(call)) + " of " + order[failing];
      EXPECT_EQ(run.exit_status, 1) << why;
      // After the example's warnings.
      const std::string failure =
          kOut + "/" + order[failing] +
          (call == Call::kWrite ? ": cannot write the file: " : ": cannot replace the file: ") +
          "Input/output error\n";
      EXPECT_TRUE(run.standard_error.ends_with(failure)) << why << "\n" << run.standard_error;
      for (std::size_t i = 0; i < order.size(); ++i) {
        const bool replaced = i < failing;
        EXPECT_EQ(os_.Content(kOut + "/" + order[i]) == "earlier " + order[i], !replaced)
            << why << ": " << order[i];
      }
      EXPECT_EQ(os_.Names(kOut), kCompiled) << why;
      ExpectNoPartialFile(kOut);
      os_ = FakeOs();
      SetUp();
    }
  }
}

// An author's files are read through links, as they always were, and what
// must be there is looked for on the Os.
TEST_F(ToolOnFakeOs, TheInputsAreReadThroughLinksAndLookedForOnTheOs) {
  os_.AddLink("/w/linked_linea.txt", kLine);
  os_.AddDirectory(kOut);
  const auto compiled =
      Tool({"compile", "/w/linked_linea.txt", kTrain, "-o", kOut, "--route", "Tarvosa"});
  ASSERT_EQ(compiled.exit_status, 0) << compiled.standard_error;
  EXPECT_EQ(os_.Names(kOut), kCompiled);

  const auto missing = Tool({"compile", kLine, kTrain, "-o", "/w/none"});
  EXPECT_EQ(missing.exit_status, 4);
  EXPECT_TRUE(missing.standard_error.starts_with("-o: Directory does not exist: /w/none"))
      << missing.standard_error;
  // A link to nothing is there as a name: its file is what is missing.
  os_.AddLink("/w/dangling.dat", "/w/nothing.dat");
  EXPECT_EQ(Tool({"diff", "/w/dangling.dat", kLine}).standard_error,
            "/w/dangling.dat: no such file\n");
  EXPECT_EQ(Tool({"diff", "/w/nothing.dat", kLine}).standard_error,
            "/w/nothing.dat: no such file or directory\n");

  const auto file = Tool({"check", kExample, kTrain});
  EXPECT_EQ(file.exit_status, 4);
  EXPECT_TRUE(file.standard_error.starts_with("LINE: File is actually a directory: " + kExample))
      << file.standard_error;
}

// Every file that is there already is named before anything is written.
// A title holding a NUL byte names no file: the run ends with a message
// that shows the byte, and writes nothing.
TEST_F(ToolOnFakeOs, ADecompileWhoseTitleHoldsANulByteEndsAndWritesNothing) {
  const testing::EncodedFiles files = testing::Encode(testing::CompileWithTitles(
      testing::CrLf(scenario::kSkeletonLine), testing::CrLf(scenario::kSkeletonTrain), "Rota",
      std::string("Tre\0no", 6)));
  os_.AddFile("/w/c/Rota_Treno.dat", files.track);
  os_.AddFile("/w/c/Rota_Treno.sim", files.table);
  os_.AddFile("/w/c/Rota_linea.dat", files.plan);
  const auto run = Tool({"decompile", "/w/c", "-o", kOut});
  EXPECT_NE(run.exit_status, 0);
  EXPECT_NE(run.standard_error.find("Tre\\u0000no"), std::string::npos) << run.standard_error;
  EXPECT_EQ(run.standard_error.find('\0'), std::string::npos);
  EXPECT_EQ(os_.Names(kOut), std::vector<std::string>{});
}

TEST_F(ToolOnFakeOs, ExistingDocumentsAreRefusedBeforeAnyIsWrittenAndReplacedWithForce) {
  os_.AddFile("/w/nw/Percorso_Treno_note.txt", "mine");
  const auto refused = Tool({"new", "/w/nw"});
  EXPECT_EQ(refused.exit_status, 1);
  EXPECT_EQ(refused.standard_error,
            "/w/nw/Percorso_Treno_note.txt: exists already; --force replaces it\n");
  EXPECT_EQ(os_.Names("/w/nw"), std::vector<std::string>{"Percorso_Treno_note.txt"});
  EXPECT_EQ(os_.Content("/w/nw/Percorso_Treno_note.txt"), "mine");

  ASSERT_EQ(Tool({"new", "/w/nw", "--force"}).exit_status, 0);
  EXPECT_EQ(os_.Names("/w/nw").size(), 3u);
  EXPECT_NE(os_.Content("/w/nw/Percorso_Treno_note.txt"), "mine");

  os_.AddFile(kExample + "/Tarvosa_Corvale_note.txt", "mine");
  const auto again = Tool({"export", kExample});
  EXPECT_EQ(again.exit_status, 1);
  EXPECT_EQ(std::count(again.standard_error.begin(), again.standard_error.end(), '\n'), 5);
  EXPECT_EQ(os_.Content(kExample + "/Tarvosa_Corvale_note.txt"), "mine");
  ASSERT_EQ(Tool({"export", kExample, "--force"}).exit_status, 0);
  EXPECT_NE(os_.Content(kExample + "/Tarvosa_Corvale_note.txt"), "mine");

  os_.Fail({.call = Call::kMakeDirectories});
  const auto unmade = Tool({"new", "/w/elsewhere"});
  EXPECT_EQ(unmade.exit_status, 1);
  EXPECT_EQ(unmade.standard_error, "/w/elsewhere: cannot make the directory: Input/output error\n");
}

class PackageOnFakeOs : public ToolOnFakeOs {
 protected:
  void SetUp() override {
    ToolOnFakeOs::SetUp();
    ASSERT_EQ(Tool({"new", "/w/lago", "--route", "Lago", "--train", "Espresso"}).exit_status, 0);
    // An installer as built: its magic and its empty slot.
    installer_ =
        "\x7F"
        "ELF" +
        std::string(64, 'x') + std::string(kSlotMarker, kSlotMarkerBytes) +
        std::string(kSlotOffsetBytes, '\0') + std::string(64, 'y');
    os_.AddFile("/opt/tarvosa/Tarvosa_Corvale", installer_, 0755);
  }
  testing::ToolRun Package() { return Tool({"package", "/w/lago", "-o", kProgram}); }

  const std::string kProgram = "/w/dist/Lago_Espresso";
  std::string installer_;
};

TEST_F(PackageOnFakeOs, TheInstallerBesideTheToolIsPackagedIntoAProgramOthersMayRun) {
  const auto packaged = Package();
  ASSERT_EQ(packaged.exit_status, 0) << packaged.standard_error;
  const auto program = os_.Content(kProgram);
  ASSERT_TRUE(program.has_value());
  ASSERT_GT(program->size(), installer_.size());
  const Result<ScenarioDocuments> carried = DecodePayload(program->substr(installer_.size()));
  ASSERT_TRUE(carried.ok()) << carried.status().message();
  EXPECT_EQ(carried->route_title, "Lago");
  EXPECT_TRUE((*carried)[DocumentKind::kNotes].has_value()) << "the notes new wrote are read";
  const Result<FileInfo> info = os_.Stat(kProgram);
  ASSERT_TRUE(info.ok());
  EXPECT_EQ(info->permissions, 0755u);

  program_ = std::string("/usr/bin/scenario");
  const auto elsewhere = Package();
  EXPECT_EQ(elsewhere.exit_status, 1);
  EXPECT_EQ(elsewhere.standard_error,
            "the installer of the Linux build is missing (looked for /usr/bin/Tarvosa_Corvale); "
            "build it, or give its place with --installer\n");
}

TEST_F(PackageOnFakeOs, AProgramThatCannotBeWrittenOrMadeRunnableSaysWhichAndLeavesNoPartial) {
  os_.Fail({.call = Call::kWrite, .path_part = kProgram});
  const auto unwritten = Package();
  EXPECT_EQ(unwritten.exit_status, 1);
  EXPECT_EQ(unwritten.standard_error, kProgram + ": cannot write the file: Input/output error\n");
  EXPECT_TRUE(os_.Names("/w/dist").empty());

  os_ = FakeOs();
  SetUp();
  os_.Fail({.call = Call::kAddExecutePermission}, "Operation not permitted");
  const auto unrunnable = Package();
  EXPECT_EQ(unrunnable.exit_status, 1);
  EXPECT_EQ(unrunnable.standard_error,
            kProgram + ": cannot make it a program: Operation not permitted\n");
  ExpectNoPartialFile("/w/dist");
}

}  // namespace
}  // namespace tarvosa
