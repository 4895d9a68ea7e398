#include "util/directory_lock.h"

#include <chrono>
#include <functional>
#include <optional>
#include <thread>

#include <gtest/gtest.h>

#include "fake_os.h"
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
            file + ": cannot lock the directory: the name is a link, which is not followed");
  EXPECT_EQ(testing::ReadFile(dir.path() / "elsewhere"), "not ours");
}
#endif

// The waiting loop on an Os in memory: its clock moves on only as the loop
// sleeps, so a minute's wait takes no time.
using testing::Call;
using testing::CallRecord;
using testing::FakeOs;

const std::string kLockFile = "/giochi/Tarvosa.lock";

std::vector<Call> Kinds(const FakeOs& os) {
  std::vector<Call> kinds;
  for (const CallRecord& record : os.calls()) kinds.push_back(record.call);
  return kinds;
}

TEST(DirectoryLockOnAFake, TheFileLockedIsCheckedToBeTheOneUnderTheName) {
  FakeOs os;
  os.AddDirectory("/giochi");
  std::optional<Result<DirectoryLock>> lock;
  lock.emplace(LockDirectory(os, kLockFile, 0ms));
  ASSERT_TRUE(lock->ok()) << lock->status().message();
  EXPECT_TRUE(os.IsLockedHere(kLockFile));
  EXPECT_EQ(Kinds(os), (std::vector<Call>{Call::kOpenLockFile, Call::kStatFile, Call::kTryLock,
                                          Call::kIsSameFile}));
  // Let go: the name goes while the lock still keeps others off it.
  lock.reset();
  EXPECT_EQ(os.calls().at(4).call, Call::kUnlink);
  EXPECT_EQ(os.calls().at(5).call, Call::kClose);
  EXPECT_FALSE(os.Exists(kLockFile));
}

TEST(DirectoryLockOnAFake, ALockFileReplacedAfterItsOpenIsOpenedAgain) {
  FakeOs os;
  os.AddDirectory("/giochi");
  // The holder we waited for removed its file, and a third run made a new one.
  os.AtCall({.call = Call::kTryLock}, [&](const CallRecord&) {
    os.RemoveName(kLockFile);
    os.AddFile(kLockFile, "");
  });
  const Result<DirectoryLock> lock = LockDirectory(os, kLockFile, 60s);
  ASSERT_TRUE(lock.ok()) << lock.status().message();
  EXPECT_TRUE(os.IsLockedHere(kLockFile)) << os.CallList();
  EXPECT_EQ(Kinds(os), (std::vector<Call>{Call::kOpenLockFile, Call::kStatFile, Call::kTryLock,
                                          Call::kIsSameFile, Call::kClose, Call::kOpenLockFile,
                                          Call::kStatFile, Call::kTryLock, Call::kIsSameFile}));
}

TEST(DirectoryLockOnAFake, ALockHeldUntilTheEndOfTheWaitIsAnotherInstall) {
  FakeOs os;
  os.AddDirectory("/giochi");
  os.HoldLockElsewhere(kLockFile);
  const auto started = std::chrono::steady_clock::now();
  const Result<DirectoryLock> lock = LockDirectory(os, kLockFile, 60s);
  EXPECT_LT(std::chrono::steady_clock::now() - started, 10s);
  EXPECT_EQ(lock.status().message(), kLockFile +
                                         ": another install is running in this directory (60 s "
                                         "waited for it to end)");
  EXPECT_EQ(os.slept(), 60s);
  EXPECT_FALSE(os.IsLockedHere(kLockFile));
}

// POSIX locks an open file; Windows refuses the open itself.
TEST(DirectoryLockOnAFake, AWaitingRunTakesTheLockOnceItIsLetGoEitherWay) {
  for (const bool by_opening : {false, true}) {
    FakeOs os;
    os.AddDirectory("/giochi");
    if (by_opening) os.LockByOpening();
    os.HoldLockElsewhere(kLockFile);
    os.AtCall({.call = Call::kOpenLockFile, .nth = 5},
              [&](const CallRecord&) { os.ReleaseLockElsewhere(kLockFile); });
    const Result<DirectoryLock> lock = LockDirectory(os, kLockFile, 60s);
    ASSERT_TRUE(lock.ok()) << lock.status().message();
    EXPECT_TRUE(os.IsLockedHere(kLockFile)) << by_opening;
    EXPECT_EQ(os.slept(), 4 * kLockRetryPause) << by_opening;
  }
}

TEST(DirectoryLockOnAFake, AFailedCallIsNoWaitButAFailure) {
  for (const Call call :
       {Call::kOpenLockFile, Call::kStatFile, Call::kTryLock, Call::kIsSameFile}) {
    FakeOs os;
    os.AddDirectory("/giochi");
    os.Fail({.call = call}, "No locks available");
    const Result<DirectoryLock> lock = LockDirectory(os, kLockFile, 60s);
    EXPECT_EQ(lock.status().message(),
              kLockFile + ": cannot lock the directory: No locks available")
        << NameOf(call);
    EXPECT_EQ(os.slept(), 0ms);
  }
}

// Whatever stands under the name and is no regular file is refused at once,
// never waited for, never locked and never removed.
TEST(DirectoryLockOnAFake, ALinkADirectoryOrAFifoUnderTheNameIsRefusedAndLeft) {
  const struct {
    std::function<void(FakeOs&)> put;
    std::string reason;
  } cases[] = {
      {[](FakeOs& os) { os.AddLink(kLockFile, "/altrove/file"); },
       "the name is a link, which is not followed"},
      {[](FakeOs& os) { os.AddDirectory(kLockFile); }, "Is a directory"},
      {[](FakeOs& os) { os.AddFifo(kLockFile); },
       "the name holds something other than a regular file"},
  };
  for (const auto& [put, reason] : cases) {
    FakeOs os;
    os.AddDirectory("/giochi");
    put(os);
    const Result<DirectoryLock> lock = LockDirectory(os, kLockFile, 60s);
    EXPECT_EQ(lock.status().message(), kLockFile + ": cannot lock the directory: " + reason);
    EXPECT_EQ(lock.status().kind(), ExitStatus::kFileSystem);
    EXPECT_EQ(os.slept(), 0ms) << reason;
    EXPECT_TRUE(os.Exists(kLockFile)) << reason;
    EXPECT_FALSE(os.Exists("/altrove/file")) << reason;
    for (const CallRecord& record : os.calls()) {
      EXPECT_NE(record.call, Call::kTryLock) << reason;
      EXPECT_NE(record.call, Call::kUnlink) << reason;
    }
  }
}

}  // namespace
}  // namespace tarvosa
