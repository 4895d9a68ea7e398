// Runs that meet in one directory: many at once, runs killed half-way, and
// a lock that another run holds.
#include <chrono>
#include <cstdlib>
#include <map>
#include <thread>

#include <gtest/gtest.h>

#include "test_process.h"
#include "test_support.h"
#include "util/directory_lock.h"

namespace tarvosa {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::ListDirectory;
using testing::ReadFile;
using testing::RunOptions;
using testing::ScratchDirectory;

using Files = std::map<std::string, std::string>;

// Every file in `directory` but the program, with its bytes.
Files Snapshot(const fs::path& directory, const std::string& program) {
  Files files;
  for (const std::string& name : ListDirectory(directory)) {
    if (name != program) files[name] = ReadFile(directory / name);
  }
  return files;
}

class InstallerRuns : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::copy_file(TARVOSA_INSTALLER, install_.path() / "Tarvosa_Corvale");
    // What one run alone leaves: the files every other case must leave.
    ScratchDirectory alone;
    fs::copy_file(TARVOSA_INSTALLER, alone.path() / "Tarvosa_Corvale");
    ASSERT_EQ(testing::RunProgram(alone.path() / "Tarvosa_Corvale", working_.path()).exit_status,
              0);
    single_run_ = Snapshot(alone.path(), "Tarvosa_Corvale");
    ASSERT_EQ(single_run_.size(), testing::kInstalledFiles.size());
  }

  testing::StartedProgram Start(RunOptions options = {}) {
    return testing::StartProgram(install_.path() / "Tarvosa_Corvale", working_.path(), options);
  }
  testing::ProgramResult Run(RunOptions options = {}) { return WaitProgram(Start(options)); }
  Files Installed() const { return Snapshot(install_.path(), "Tarvosa_Corvale"); }

  // A run with the killing module loaded, stopped where `where` says.
  testing::ProgramResult RunKilled(std::vector<std::pair<std::string, std::string>> where) {
    const char* asan = std::getenv("ASAN_OPTIONS");
    where.push_back({"LD_PRELOAD", TARVOSA_KILL_AT});
    // The module comes before the sanitizer's runtime in a sanitizer build.
    where.push_back({"ASAN_OPTIONS", std::string(asan ? asan : "") + ":verify_asan_link_order=0"});
    return Run({.environment = where});
  }

  ScratchDirectory install_{"Giochi di treni"};
  ScratchDirectory working_{"lavoro"};
  Files single_run_;
};

TEST_F(InstallerRuns, RunsStartedTogetherEachInstallInTurn) {
  for (const int together : {8, 2, 2, 2, 2, 2, 2, 2, 2}) {
    std::vector<testing::StartedProgram> runs;
    for (int i = 0; i < together; ++i) runs.push_back(Start());
    for (const auto& run : runs) {
      const auto result = WaitProgram(run);
      EXPECT_EQ(result.exit_status, 0) << result.standard_error;
      EXPECT_EQ(result.standard_error, "Attendere\n");
    }
    EXPECT_EQ(Installed(), single_run_);
  }
}

TEST_F(InstallerRuns, ARunKilledAnywhereLeavesNothingTheNextRunDoesNotMend) {
  const struct {
    const char* point;
    std::vector<std::pair<std::string, std::string>> where;
    const char* left;  // a file that shows where it stopped
  } kills[] = {
      {"before the plan file",
       {{"KILL_AT_RENAME", "Tarvosa_Corvale_scheda_treno.txt"}},
       "Tarvosa_Corvale-.txt"},
      {"in the middle of the plan file",
       {{"KILL_IN_FILE", "Tarvosa_linea.dat."}, {"KILL_AFTER_BYTES", "1000000"}},
       "Tarvosa_Corvale_scheda_treno.txt"},
      {"after the plan file", {{"KILL_AT_RENAME", "Tarvosa_Corvale.sim"}}, "Tarvosa_linea.dat"},
  };
  for (const auto& kill : kills) {
    const auto killed = RunKilled(kill.where);
    EXPECT_EQ(killed.exit_status, -1) << kill.point << ": the run was not killed";
    const Files left = Installed();
    EXPECT_TRUE(left.count(kill.left)) << kill.point;
    EXPECT_TRUE(left.count("scenari.lock")) << kill.point;
    std::size_t partial = 0;
    for (const auto& [name, bytes] : left) partial += name.ends_with(".partial");
    EXPECT_EQ(partial, 1u) << kill.point;

    const auto mended = Run();
    EXPECT_EQ(mended.exit_status, 0) << kill.point << ": " << mended.standard_error;
    EXPECT_EQ(Installed(), single_run_) << kill.point;
  }
}

TEST_F(InstallerRuns, ARunWaitsForTheLockAndEndsWithoutItWhenItIsNotLetGo) {
  fs::copy_file(TARVOSA_QUICK_LOCK_INSTALLER, install_.path() / "Tarvosa_Corvale",
                fs::copy_options::overwrite_existing);
  std::optional<Result<DirectoryLock>> held;
  held.emplace(LockDirectory(DefaultOs(), (install_.path() / "scenari.lock").string(), 0ms));
  ASSERT_TRUE(held->ok()) << held->status().message();

  const auto refused = Run();
  EXPECT_EQ(refused.exit_status, 1);
  EXPECT_EQ(refused.standard_error, "Attendere\n" + (install_.path() / "scenari.lock").string() +
                                        ": another install is running in this directory (1 s "
                                        "waited for it to end)\n");
  EXPECT_EQ(ListDirectory(install_.path()),
            (std::vector<std::string>{"Tarvosa_Corvale", "scenari.lock"}));

  const auto waiting = Start();
  std::this_thread::sleep_for(300ms);
  held.reset();
  const auto installed = WaitProgram(waiting);
  EXPECT_EQ(installed.exit_status, 0) << installed.standard_error;
  EXPECT_EQ(Installed(), single_run_);
}

}  // namespace
}  // namespace tarvosa
