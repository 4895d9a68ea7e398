// POSIX: fsync for files and directories, flock on a lock file that is
// removed while still held.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "util/os.h"

namespace tarvosa::os {
namespace {

std::error_code LastError() {
  return std::error_code(errno, std::generic_category());
}

std::error_code Sync(const std::filesystem::path& path, int flags) {
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
  if (fd < 0) return LastError();
  std::error_code error;
  if (::fsync(fd) != 0) error = LastError();
  ::close(fd);
  return error;
}

class FlockLock final : public DirectoryLock {
 public:
  FlockLock(std::filesystem::path path, int fd) : path_(std::move(path)), fd_(fd) {}
  // The name goes first, while the lock still keeps others off it; one who
  // waits on the old file then finds it gone and tries again.
  ~FlockLock() override {
    ::unlink(path_.c_str());
    ::close(fd_);
  }

 private:
  std::filesystem::path path_;
  int fd_;
};

// The lock file is the one now under its name: a holder may have removed
// it between our open and our lock.
bool StillNamed(const std::filesystem::path& path, int fd) {
  struct stat held {};
  struct stat named {};
  return ::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
         held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

}  // namespace

std::error_code FlushFile(const std::filesystem::path& path) {
  return Sync(path, O_RDONLY);
}

std::error_code FlushDirectory(const std::filesystem::path& path) {
  return Sync(path, O_RDONLY | O_DIRECTORY);
}

std::error_code RenameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) return LastError();
  return {};
}

std::unique_ptr<DirectoryLock> LockDirectory(const std::filesystem::path& lock_file,
                                             std::chrono::milliseconds wait,
                                             std::error_code& error) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    // Read-only: a lock file left by a killed run of another user still serves.
    const int fd = ::open(lock_file.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
      error = LastError();
      return nullptr;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      if (StillNamed(lock_file, fd)) return std::make_unique<FlockLock>(lock_file, fd);
    } else if (errno != EWOULDBLOCK) {
      error = LastError();
      ::close(fd);
      return nullptr;
    }
    ::close(fd);
    if (std::chrono::steady_clock::now() >= deadline) {
      error = std::make_error_code(std::errc::timed_out);
      return nullptr;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

}  // namespace tarvosa::os
