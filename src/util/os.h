// The few file operations whose calls differ from one system to another:
// flushing to disk, replacing by rename, and the lock that keeps two runs
// out of one directory. Everything else works through std::filesystem.
#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

namespace tarvosa::os {

// Flushes the content of the file `path` to the disk.
std::error_code FlushFile(const std::filesystem::path& path);

// Flushes the entries of the directory `path` (names created, renamed or
// removed) to the disk, where the system needs it done apart.
std::error_code FlushDirectory(const std::filesystem::path& path);

// Renames `from` over `to`, which may exist; once it returns, the rename
// is on the disk where the system can say so.
std::error_code RenameOver(const std::filesystem::path& from, const std::filesystem::path& to);

// An exclusive lock on a lock file, held until it is destroyed. The lock
// file goes with it; only a process that is killed leaves it behind, and
// the next lock takes it over.
class DirectoryLock {
 public:
  virtual ~DirectoryLock() = default;
};

// Takes the lock on `lock_file`, waiting up to `wait` while another process
// holds it. Nothing, with `error` set, when the wait runs out (a timed-out
// error) or the lock file cannot be made.
std::unique_ptr<DirectoryLock> LockDirectory(const std::filesystem::path& lock_file,
                                             std::chrono::milliseconds wait,
                                             std::error_code& error);

}  // namespace tarvosa::os
