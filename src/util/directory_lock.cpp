#include "util/directory_lock.h"

#include <optional>
#include <utility>

namespace tarvosa {
namespace {

using Attempt = Result<std::optional<DirectoryLock>>;

Attempt NotTaken() {
  return std::optional<DirectoryLock>();
}

// One attempt: the lock on the file now under the name, or nothing while
// another holds it. The file is closed again when it is not taken.
Attempt TryLockOnce(Os& os, const std::string& lock_file) {
  Result<std::optional<File>> opened = os.OpenLockFile(lock_file);
  if (!opened.ok()) return opened.status();
  if (!opened->has_value()) return NotTaken();
  File& file = **opened;
  // Only a file of its own serves as the lock: a FIFO, a device or a
  // directory under the name is somebody else's.
  const Result<FileInfo> info = os.StatFile(file);
  if (!info.ok()) return info.status();
  if (info->type != FileType::kRegular) {
    return Status::FileSystemError("the name holds something other than a regular file");
  }
  const Result<bool> locked = os.TryLock(file);
  if (!locked.ok()) return locked.status();
  if (!*locked) return NotTaken();
  // The holder we waited for removes the name before it lets go, and a
  // third run may have made a new lock file since: the file we locked
  // counts only while it is still the one under the name.
  const Result<bool> same = os.IsSameFile(file, lock_file);
  if (!same.ok()) return same.status();
  if (!*same) return NotTaken();
  return std::optional<DirectoryLock>(DirectoryLock(os, lock_file, std::move(file)));
}

Status TimedOut(const std::string& lock_file, std::chrono::milliseconds wait) {
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(wait).count();
  return Status::FileSystemError(lock_file + ": another install is running in this directory (" +
                                 std::to_string(seconds) + " s waited for it to end)");
}

}  // namespace

DirectoryLock::DirectoryLock(Os& os, std::string lock_file, File file)
    : os_(&os), lock_file_(std::move(lock_file)), file_(std::move(file)) {}

// The name goes first, while the lock still keeps others off it; one who
// waits on the old file then finds it gone and tries again. Where the open
// file cannot be unlinked (Windows), it is deleted as it is closed.
DirectoryLock::~DirectoryLock() {
  if (!file_.is_open()) return;  // moved away
  (void)os_->Unlink(lock_file_);
  (void)os_->Close(file_);
}

Result<DirectoryLock> LockDirectory(Os& os, const std::string& lock_file,
                                    std::chrono::milliseconds wait) {
  const auto deadline = os.Now() + wait;
  for (;;) {
    Attempt attempt = TryLockOnce(os, lock_file);
    if (!attempt.ok()) {
      return Status::FileSystemError(lock_file +
                                     ": cannot lock the directory: " + attempt.status().message());
    }
    if (attempt->has_value()) return std::move(**attempt);
    if (os.Now() >= deadline) return TimedOut(lock_file, wait);
    os.Sleep(kLockRetryPause);
  }
}

}  // namespace tarvosa
