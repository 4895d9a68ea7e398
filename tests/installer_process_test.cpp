// The installer as users start it: a process in a directory of its own,
// started from another working directory, and what it leaves when the file
// system fails it.
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <map>

#include <gtest/gtest.h>

#include "test_process.h"
#include "test_support.h"
#include "util/escape.h"

namespace tarvosa {
namespace {

namespace fs = std::filesystem;
using testing::kInstalledFiles;
using testing::ListDirectory;
using testing::ReadFile;
using testing::RunOptions;
using testing::RunProgram;
using testing::ScratchDirectory;
using testing::WriteFile;

class InstallerProcess : public ::testing::Test {
 protected:
  void SetUp() override { fs::copy_file(TARVOSA_INSTALLER, program_); }

  testing::ProgramResult Run(RunOptions options = {}) {
    return RunProgram(program_, working_.path(), options);
  }
  std::string Name(const std::string& file) const { return (install_.path() / file).string(); }

  // Every file beside the program, with its bytes.
  std::map<std::string, std::string> Snapshot() const {
    std::map<std::string, std::string> files;
    for (const std::string& name : ListDirectory(install_.path())) {
      if (name != "Tarvosa_Corvale") files[name] = ReadFile(install_.path() / name);
    }
    return files;
  }
  // Installs once, so that every file of a run is there before the next.
  std::map<std::string, std::string> EarlierRun() {
    EXPECT_EQ(Run().exit_status, 0);
    return Snapshot();
  }
  void SkipUnlessRoot() {
    if (geteuid() != 0) GTEST_SKIP() << "only root can run the program as nobody";
  }

  ScratchDirectory install_{"Giochi di treni/scenari è"};
  ScratchDirectory working_{"lavoro"};
  fs::path program_ = install_.path() / "Tarvosa_Corvale";
};

TEST_F(InstallerProcess, WritesBesideItselfAndNothingInTheWorkingDirectory) {
  const auto result = Run();
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.standard_error, "Attendere\n");
  std::vector<std::string> expected = kInstalledFiles;
  expected.insert(expected.begin(), "Tarvosa_Corvale");
  EXPECT_EQ(ListDirectory(install_.path()), expected);
  EXPECT_EQ(fs::file_size(Name("Tarvosa_Corvale.dat")), 70215u);
  EXPECT_TRUE(ListDirectory(working_.path()).empty());
}

TEST_F(InstallerProcess, ARunOverAnEarlierRunLeavesTheSameFiles) {
  for (const std::string& file : kInstalledFiles) WriteFile(Name(file), std::string(5000000, 'x'));
  const auto first = EarlierRun();
  ASSERT_EQ(Run().exit_status, 0);
  EXPECT_EQ(Snapshot(), first);
  EXPECT_EQ(first.at("Tarvosa_Corvale.dat").size(), 70215u);
}

TEST_F(InstallerProcess, ADirectoryItMayNotWriteStopsTheRunAtItsLock) {
  SkipUnlessRoot();
  const auto before = EarlierRun();
  const auto result = Run({.as_nobody = true});
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.standard_error, "Attendere\n" + Name("scenari.lock") +
                                       ": cannot lock the directory: Permission denied\n");
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(InstallerProcess, AReadOnlyEarlierDocumentIsKeptAndTheRunEnds) {
  SkipUnlessRoot();
  EarlierRun();
  fs::permissions(install_.path(), fs::perms::all);
  fs::permissions(Name("Tarvosa_Corvale_note.txt"), fs::perms::owner_read | fs::perms::others_read);
  const auto before = Snapshot();

  const auto result = Run({.as_nobody = true});
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.standard_error, "Attendere\n" + Name("Tarvosa_Corvale_note.txt") +
                                       ": cannot replace a read-only file\n");
  // The line and train files it wrote before the failed step are gone too.
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(InstallerProcess, AReadOnlyEarlierCompiledFileIsKeptAndTheRunEnds) {
  SkipUnlessRoot();
  EarlierRun();
  fs::permissions(install_.path(), fs::perms::all);
  fs::permissions(Name("Tarvosa_Corvale.dat"), fs::perms::owner_read | fs::perms::others_read);
  const auto before = Snapshot();

  const auto result = Run({.as_nobody = true});
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.standard_error,
            "Attendere\n" + Name("Tarvosa_Corvale.dat") + ": cannot replace a read-only file\n");
  EXPECT_EQ(Snapshot(), before);
}

// A directory at a later output's name stops the run there; the line and
// train files written before it go, and the directory stays.
TEST_F(InstallerProcess, ADirectoryAtADocumentsNameStopsTheRunWithNoTextFileLeft) {
  EarlierRun();
  const std::string order = Name("Tarvosa_Corvale_rallentamenti.txt");
  fs::remove(order);
  fs::create_directory(order);
  WriteFile(Name("Tarvosa_Corvale_rallentamenti.txt/mine"), "the user's");

  const auto result = Run();
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.standard_error,
            "Attendere\n" + order + ": cannot replace the file: Is a directory\n");
  std::vector<std::string> expected = kInstalledFiles;
  expected.insert(expected.begin(), "Tarvosa_Corvale");
  EXPECT_EQ(ListDirectory(install_.path()), expected);
  EXPECT_EQ(ReadFile(Name("Tarvosa_Corvale_rallentamenti.txt/mine")), "the user's");
}

// An installer renamed as one of the files it writes would replace itself:
// it ends before its window shows, and writes nothing.
TEST_F(InstallerProcess, AProgramNamedAsItsOwnOutputInstallsNothing) {
  const fs::path renamed = install_.path() / "Tarvosa_linea.dat";
  fs::rename(program_, renamed);
  const auto result = RunProgram(renamed, working_.path());
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.standard_error, renamed.string() +
                                       ": its scenario cannot be installed here: the line plan "
                                       "'Tarvosa_linea.dat' and the program 'Tarvosa_linea.dat' "
                                       "would be one file\n");
  EXPECT_EQ(ListDirectory(install_.path()), std::vector<std::string>{"Tarvosa_linea.dat"});
  EXPECT_EQ(ReadFile(renamed), ReadFile(TARVOSA_INSTALLER));
}

// Whatever stands at the lock's name and is no regular file of its own ends
// the run: the lock is never taken through it, nothing is written, and it
// is left as it was.
TEST_F(InstallerProcess, ALinkAFifoOrADirectoryAtTheLocksNameEndsTheRun) {
  const std::string lock = Name("scenari.lock");
  const ScratchDirectory elsewhere{"altrove"};
  const fs::path target = elsewhere.path() / "creato";
  const struct {
    std::function<void()> put;
    std::string reason;
  } cases[] = {
      {[&] { fs::create_symlink(target, lock); }, "the name is a link, which is not followed"},
      {[&] { ASSERT_EQ(::mkfifo(lock.c_str(), 0644), 0); },
       "the name holds something other than a regular file"},
      {[&] { fs::create_directory(lock); }, "Is a directory"},
  };
  for (const auto& [put, reason] : cases) {
    put();
    const auto status = fs::symlink_status(lock).type();
    const auto result = Run();
    EXPECT_EQ(result.exit_status, 1) << reason;
    EXPECT_EQ(result.standard_error,
              "Attendere\n" + lock + ": cannot lock the directory: " + reason + "\n");
    EXPECT_EQ(ListDirectory(install_.path()),
              (std::vector<std::string>{"Tarvosa_Corvale", "scenari.lock"}))
        << reason;
    EXPECT_EQ(fs::symlink_status(lock).type(), status) << reason;
    EXPECT_FALSE(fs::exists(target)) << reason;
    fs::remove(lock);
  }
}

// A directory whose name holds escape sequences (one retitles the window,
// one clears the screen) is named in a message with them escaped: no ESC
// byte reaches the terminal.
TEST(InstallerMessages, AHostileDirectoryNameIsShownEscaped) {
  ScratchDirectory install("scenari \x1b]0;preso\x07\x1b[2J");
  ScratchDirectory working("lavoro");
  const fs::path program = install.path() / "Tarvosa_Corvale";
  fs::copy_file(TARVOSA_INSTALLER, program);
  const fs::path order = install.path() / "Tarvosa_Corvale_rallentamenti.txt";
  fs::create_directory(order);

  const auto result = RunProgram(program, working.path());
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.standard_error.find('\x1b'), std::string::npos) << result.standard_error;
  EXPECT_EQ(result.standard_error, "Attendere\n" + EscapeTerminal(order.string()) +
                                       ": cannot replace the file: Is a directory\n");
  EXPECT_NE(result.standard_error.find("scenari \\u001b]0;preso\\u0007\\u001b[2J"),
            std::string::npos);
}

// A file-size limit stands in for a disk that fills up in the middle of the
// plan file, the largest one.
TEST_F(InstallerProcess, AFullDiskInThePlanFileKeepsEveryEarlierFile) {
  const auto before = EarlierRun();
  const auto result = Run({.file_size_limit = 1 << 20});
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.standard_error, "Attendere\n" + Name("Tarvosa_linea.dat") +
                                       ": cannot write the file: File too large\n");
  EXPECT_EQ(Snapshot(), before);
}

}  // namespace
}  // namespace tarvosa
