// One run at a time in a directory: an exclusive lock on a lock file in it,
// taken through an Os.
#pragma once

#include <chrono>
#include <string>

#include "util/os.h"
#include "util/status.h"

namespace tarvosa {

// The lock, held until it is destroyed. The lock file goes with it; only a
// process that is killed leaves it behind, and the next lock takes it over.
class DirectoryLock {
 public:
  DirectoryLock(Os& os, std::string lock_file, File file);
  DirectoryLock(DirectoryLock&&) noexcept = default;
  DirectoryLock& operator=(DirectoryLock&&) = delete;
  ~DirectoryLock();

 private:
  Os* os_;
  std::string lock_file_;
  File file_;
};

// How long a waiting run sleeps between two attempts at the lock.
inline constexpr std::chrono::milliseconds kLockRetryPause{20};

// Takes the lock on `lock_file`, waiting up to `wait` while another process
// holds it. A file-system failure when the wait runs out ("LOCK: another
// install is running in this directory (N s waited for it to end)") or the
// lock file cannot be made or locked ("LOCK: cannot lock the directory:
// reason"): a link, a directory or anything else that is no regular file
// under the name is refused at once, and left as it is.
Result<DirectoryLock> LockDirectory(Os& os, const std::string& lock_file,
                                    std::chrono::milliseconds wait);

}  // namespace tarvosa
