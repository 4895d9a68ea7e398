#include "util/directory_lock.h"

#include <chrono>
#include <optional>
#include <thread>

#include <gtest/gtest.h>

#include "test_support.h"

namespace tarvosa {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::ListDirectory;
using testing::ScratchDirectory;

TEST(DirectoryLock, ASecondLockWaitsForTheFirstAndTheLockFileGoesWithIt) {
  ScratchDirectory dir;
  const std::string file = (dir.path() / "Tarvosa.lock").string();
  std::optional<Result<DirectoryLock>> first;
  first.emplace(LockDirectory(DefaultOs(), file, 0ms));
  ASSERT_TRUE(first->ok()) << first->status().message();
  EXPECT_EQ(ListDirectory(dir.path()), std::vector<std::string>{"Tarvosa.lock"});

  const Result<DirectoryLock> refused = LockDirectory(DefaultOs(), file, 100ms);
  EXPECT_EQ(refused.status().kind(), ExitStatus::kFileSystem);
  EXPECT_EQ(refused.status().message(),
            file + ": another install is running in this directory (0 s waited for it to end)");

  std::thread release([&] {
    std::this_thread::sleep_for(200ms);
    first.reset();
  });
  std::optional<Result<DirectoryLock>> second;
  second.emplace(LockDirectory(DefaultOs(), file, 10s));  // waits for the release
  release.join();
  ASSERT_TRUE(second->ok()) << second->status().message();
  second.reset();
  EXPECT_TRUE(ListDirectory(dir.path()).empty());
}

TEST(DirectoryLock, ALockFileLeftBehindIsTakenOverAndAMissingDirectoryFailsAtOnce) {
  ScratchDirectory dir;
  const fs::path file = dir.path() / "Tarvosa.lock";
  testing::WriteFile(file, "");  // as a killed run leaves it
  std::optional<Result<DirectoryLock>> lock;
  lock.emplace(LockDirectory(DefaultOs(), file.string(), 0ms));
  ASSERT_TRUE(lock->ok()) << lock->status().message();
  lock.reset();
  EXPECT_FALSE(fs::exists(file));

  // Not a wait that ran out: the lock file cannot be made at all.
  const std::string missing = (dir.path() / "missing" / "Tarvosa.lock").string();
  const auto started = std::chrono::steady_clock::now();
  const Result<DirectoryLock> failed = LockDirectory(DefaultOs(), missing, 10s);
  EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
  EXPECT_EQ(failed.status().message(),
            missing + ": cannot lock the directory: No such file or directory");
}

#if !defined(_WIN32)
// A link put where the lock file goes is never followed.
TEST(DirectoryLock, ALinkInPlaceOfTheLockFileIsRefused) {
  ScratchDirectory dir;
  testing::WriteFile(dir.path() / "elsewhere", "not ours");
  fs::create_symlink(dir.path() / "elsewhere", dir.path() / "Tarvosa.lock");
  const std::string file = (dir.path() / "Tarvosa.lock").string();
  const Result<DirectoryLock> refused = LockDirectory(DefaultOs(), file, 0ms);
  EXPECT_EQ(refused.status().message(),
            file + ": cannot lock the directory: Too many levels of symbolic links");
  EXPECT_EQ(testing::ReadFile(dir.path() / "elsewhere"), "not ours");
}
#endif

}  // namespace
}  // namespace tarvosa
