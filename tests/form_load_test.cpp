#include "app/form_load.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "test_support.h"

namespace tarvosa {
namespace {

namespace fs = std::filesystem;
using testing::ListDirectory;
using testing::ReadFile;
using testing::RecordingScreen;
using testing::RunProgram;
using testing::ScratchDirectory;
using testing::WriteFile;

constexpr std::size_t kLineFileBytes = 11761;

Form1 FormIn(const ScratchDirectory& dir) {
  Form1 form;
  form.app_path = dir.text();
  return form;
}

TEST(FormLoad, NamesTheScenarioShowsTheWindowFirstAndWritesTheLineFile) {
  ScratchDirectory dir;
  Form1 form = FormIn(dir);
  RecordingScreen screen;
  EXPECT_EQ(Form_Load(form, screen), ExitStatus::kClean);
  EXPECT_EQ(form.route_title, "Tarvosa");
  EXPECT_EQ(form.train_title, "Corvale");
  EXPECT_EQ(screen.shown, std::vector<std::string>{"window: Attendere"});
  EXPECT_EQ(ListDirectory(dir.path()), std::vector<std::string>{"Tarvosa_linea.txt"});
  EXPECT_EQ(fs::file_size(dir.path() / "Tarvosa_linea.txt"), kLineFileBytes);
}

TEST(FormLoad, AReadOnlyEarlierFileStopsTheRunWithAFileSystemError) {
  ScratchDirectory dir;
  const fs::path line_file = dir.path() / "Tarvosa_linea.txt";
  WriteFile(line_file, "earlier");
  fs::permissions(line_file, fs::perms::owner_read);
  Form1 form = FormIn(dir);
  RecordingScreen screen;

  EXPECT_EQ(Form_Load(form, screen), ExitStatus::kFileSystem);
  EXPECT_EQ(screen.shown,
            (std::vector<std::string>{"window: Attendere",
                                      line_file.string() + ": cannot replace a read-only file"}));
  EXPECT_EQ(ReadFile(line_file), "earlier");
  EXPECT_EQ(ListDirectory(dir.path()), std::vector<std::string>{"Tarvosa_linea.txt"});
}

// The program as users start it: from another working directory, lying in a
// directory whose name has blanks and a non-ASCII letter.
class InstallerProcess : public ::testing::Test {
 protected:
  void SetUp() override { fs::copy_file(TARVOSA_INSTALLER, program_); }
  ScratchDirectory install_{"Giochi di treni/scenari è"};
  ScratchDirectory working_{"lavoro"};
  fs::path program_ = install_.path() / "Tarvosa_Corvale";
};

TEST_F(InstallerProcess, WritesBesideItselfAndNothingInTheWorkingDirectory) {
  const auto result = RunProgram(program_, working_.path());
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.standard_error, "Attendere\n");
  EXPECT_EQ(ListDirectory(install_.path()),
            (std::vector<std::string>{"Tarvosa_Corvale", "Tarvosa_linea.txt"}));
  EXPECT_EQ(fs::file_size(install_.path() / "Tarvosa_linea.txt"), kLineFileBytes);
  EXPECT_TRUE(ListDirectory(working_.path()).empty());
}

TEST_F(InstallerProcess, ARunOverAnEarlierRunLeavesTheSameFile) {
  WriteFile(install_.path() / "Tarvosa_linea.txt", std::string(20000, 'x'));
  ASSERT_EQ(RunProgram(program_, working_.path()).exit_status, 0);
  const std::string first = ReadFile(install_.path() / "Tarvosa_linea.txt");
  ASSERT_EQ(RunProgram(program_, working_.path()).exit_status, 0);
  EXPECT_EQ(first.size(), kLineFileBytes);
  EXPECT_EQ(ReadFile(install_.path() / "Tarvosa_linea.txt"), first);
}

TEST_F(InstallerProcess, AReadOnlyEarlierFileEndsTheRunWithStatusOne) {
  const fs::path line_file = install_.path() / "Tarvosa_linea.txt";
  WriteFile(line_file, "earlier");
  fs::permissions(line_file, fs::perms::owner_read | fs::perms::group_read);

  const auto result = RunProgram(program_, working_.path());
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.standard_error,
            "Attendere\n" + line_file.string() + ": cannot replace a read-only file\n");
  EXPECT_EQ(ReadFile(line_file), "earlier");
}

}  // namespace
}  // namespace tarvosa
