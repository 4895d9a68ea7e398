#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "test_support.h"
#include "util/os.h"

namespace tarvosa {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::ListDirectory;
using testing::ScratchDirectory;

TEST(DirectoryLock, ASecondLockWaitsForTheFirstAndTheLockFileGoesWithIt) {
  ScratchDirectory dir;
  const fs::path file = dir.path() / "Tarvosa.lock";
  std::error_code error;
  auto first = os::LockDirectory(file, 0ms, error);
  ASSERT_NE(first, nullptr) << error.message();
  EXPECT_EQ(ListDirectory(dir.path()), std::vector<std::string>{"Tarvosa.lock"});

  EXPECT_EQ(os::LockDirectory(file, 100ms, error), nullptr);
  EXPECT_EQ(error, std::errc::timed_out);

  std::thread release([&] {
    std::this_thread::sleep_for(200ms);
    first.reset();
  });
  error.clear();
  auto second = os::LockDirectory(file, 10s, error);  // waits for the release
  release.join();
  ASSERT_NE(second, nullptr) << error.message();
  second.reset();
  EXPECT_TRUE(ListDirectory(dir.path()).empty());
}

TEST(DirectoryLock, ALockFileLeftBehindIsTakenOverAndAMissingDirectoryFailsAtOnce) {
  ScratchDirectory dir;
  const fs::path file = dir.path() / "Tarvosa.lock";
  testing::WriteFile(file, "");  // as a killed run leaves it
  std::error_code error;
  auto lock = os::LockDirectory(file, 0ms, error);
  ASSERT_NE(lock, nullptr) << error.message();
  lock.reset();
  EXPECT_FALSE(fs::exists(file));

  // Not a wait that ran out: the lock file cannot be made at all.
  EXPECT_EQ(os::LockDirectory(dir.path() / "missing" / "Tarvosa.lock", 10s, error), nullptr);
  EXPECT_TRUE(error);
  EXPECT_NE(error, std::errc::timed_out);
}

}  // namespace
}  // namespace tarvosa
