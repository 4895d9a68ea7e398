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

const std::vector<std::string> kCompiledFiles = {"Tarvosa_Corvale.dat", "Tarvosa_Corvale.sim",
                                                 "Tarvosa_linea.dat"};
// What a complete run leaves, sorted: the three documents and the three
// compiled files.
const std::vector<std::string> kInstalledFiles = {"Tarvosa_Corvale.dat",
                                                  "Tarvosa_Corvale.sim",
                                                  "Tarvosa_Corvale_note.txt",
                                                  "Tarvosa_Corvale_rallentamenti.txt",
                                                  "Tarvosa_Corvale_scheda_treno.txt",
                                                  "Tarvosa_linea.dat"};

Form1 FormIn(const ScratchDirectory& dir) {
  Form1 form;
  form.app_path = dir.text();
  return form;
}

// Makes `file` in `dir` an earlier file without any write permission.
fs::path ReadOnlyEarlierFile(const ScratchDirectory& dir, const std::string& file) {
  const fs::path path = dir.path() / file;
  WriteFile(path, "earlier");
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
  return path;
}

TEST(FormLoad, ShowsTheWindowFirstAndLeavesTheDocumentsAndCompiledFiles) {
  ScratchDirectory dir;
  Form1 form = FormIn(dir);
  RecordingScreen screen;
  EXPECT_EQ(Form_Load(form, screen), ExitStatus::kClean);
  EXPECT_EQ(form.route_title, "Tarvosa");
  EXPECT_EQ(form.train_title, "Corvale");
  EXPECT_EQ(screen.shown, std::vector<std::string>{"window: Attendere"});
  EXPECT_EQ(ListDirectory(dir.path()), kInstalledFiles);
}

TEST(FormLoad, AReadOnlyDocumentStopsTheRunBeforeTheLaterFiles) {
  ScratchDirectory dir;
  const fs::path train_file = ReadOnlyEarlierFile(dir, "Tarvosa_Corvale-.txt");
  Form1 form = FormIn(dir);
  RecordingScreen screen;

  EXPECT_EQ(Form_Load(form, screen), ExitStatus::kFileSystem);
  EXPECT_EQ(screen.shown,
            (std::vector<std::string>{"window: Attendere",
                                      train_file.string() + ": cannot replace a read-only file"}));
  EXPECT_EQ(ReadFile(train_file), "earlier");
  EXPECT_EQ(ListDirectory(dir.path()),
            (std::vector<std::string>{"Tarvosa_Corvale-.txt", "Tarvosa_linea.txt"}));
}

TEST(FormLoad, AReadOnlyCompiledFileStopsTheWritingThere) {
  ScratchDirectory dir;
  const fs::path table = ReadOnlyEarlierFile(dir, "Tarvosa_Corvale.sim");
  Form1 form = FormIn(dir);
  RecordingScreen screen;

  EXPECT_EQ(Form_Load(form, screen), ExitStatus::kFileSystem);
  EXPECT_EQ(screen.shown.back(), table.string() + ": cannot replace a read-only file");
  EXPECT_EQ(ReadFile(table), "earlier");
  EXPECT_EQ(ListDirectory(dir.path()),
            (std::vector<std::string>{"Tarvosa_Corvale.sim", "Tarvosa_Corvale_note.txt",
                                      "Tarvosa_Corvale_rallentamenti.txt",
                                      "Tarvosa_Corvale_scheda_treno.txt", "Tarvosa_linea.dat"}));
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
  std::vector<std::string> expected = kInstalledFiles;
  expected.insert(expected.begin(), "Tarvosa_Corvale");
  EXPECT_EQ(ListDirectory(install_.path()), expected);
  EXPECT_EQ(fs::file_size(install_.path() / "Tarvosa_Corvale.dat"), 70215u);
  EXPECT_TRUE(ListDirectory(working_.path()).empty());
}

TEST_F(InstallerProcess, ARunOverAnEarlierRunLeavesTheSameFiles) {
  for (const std::string& file : kCompiledFiles) {
    WriteFile(install_.path() / file, std::string(5000000, 'x'));
  }
  ASSERT_EQ(RunProgram(program_, working_.path()).exit_status, 0);
  std::vector<std::string> first;
  for (const std::string& file : kCompiledFiles) first.push_back(ReadFile(install_.path() / file));
  ASSERT_EQ(RunProgram(program_, working_.path()).exit_status, 0);
  for (std::size_t i = 0; i < kCompiledFiles.size(); ++i) {
    EXPECT_EQ(ReadFile(install_.path() / kCompiledFiles[i]), first[i]) << kCompiledFiles[i];
  }
  EXPECT_EQ(first[0].size(), 70215u);
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
