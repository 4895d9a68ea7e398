// The one seam between the program and the operating system: the few
// primitives every file operation of a run is made of, behind an interface
// so that tests can run a whole install on a file system in memory, count
// its calls and fail any one of them. What is done with the primitives
// (replacing a file whole, the lock's waiting loop) lies above, in
// portable code.
//
// Paths are UTF-8. A failure is a file-system Status whose message is the
// system's reason alone ("No such file or directory"): the caller says
// which file and what it was doing. A path holding a NUL byte is refused
// by every Os before the system sees it (CheckNoNul).
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "util/status.h"

namespace tarvosa {

class Os;

// A file an Os opened, closed when destroyed; it moves, it is not copied.
class File {
 public:
  using Handle = std::intptr_t;

  File() = default;  // no file
  File(Os& os, Handle handle) : os_(&os), handle_(handle) {}
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  ~File();

  bool is_open() const { return os_ != nullptr; }
  Handle handle() const { return handle_; }

  // For the Os that closes it: the handle, which the File no longer holds.
  Handle Release();

 private:
  Os* os_ = nullptr;
  Handle handle_ = 0;
};

enum class FileType { kMissing, kRegular, kDirectory, kOther };

struct FileInfo {
  FileType type = FileType::kMissing;
  // The POSIX permission bits (0777); on Windows 0444 for a read-only file
  // and 0666 for any other.
  std::uint32_t permissions = 0;
  std::uint64_t size = 0;
  // When its bytes were last written; only ever compared with another.
  std::chrono::system_clock::time_point last_written{};
};

// Whether opening a name that is a symbolic link (a reparse point on
// Windows) opens what it points to.
enum class Links { kRefuse, kFollow };

class Os {
 public:
  virtual ~Os() = default;

  // An existing file, for reading.
  virtual Result<File> OpenForReading(const std::string& path, Links links) = 0;

  // A file that no name held yet, for writing; never through a link.
  virtual Result<File> CreateNewFile(const std::string& path) = 0;

  // The lock file `path`, created when missing, never through a link, ready
  // for TryLock. Nothing when another holds it open for itself, as a system
  // that locks by opening does (Windows: it is opened for nobody else to
  // share, and deleted when the last handle closes).
  virtual Result<std::optional<File>> OpenLockFile(const std::string& path) = 0;

  // Reads into `buffer` from byte `offset`; how many bytes came, 0 at the
  // end of the file.
  virtual Result<std::size_t> Read(File& file, std::uint64_t offset, std::span<char> buffer) = 0;

  // Writes all of `bytes` after what was written before.
  virtual Status Write(File& file, std::string_view bytes) = 0;

  // Puts what was written to the file on the disk.
  virtual Status Flush(File& file) = 0;

  // Closes the file; it is closed even when this fails.
  virtual Status Close(File& file) = 0;

  virtual Result<FileInfo> StatFile(const File& file) = 0;

  // Takes the lock without waiting: false when another process holds it.
  // Held until the file is closed.
  virtual Result<bool> TryLock(File& file) = 0;

  // Whether `file` is the file now under the name `path`, which may have
  // been removed or replaced since it was opened; false when there is none.
  virtual Result<bool> IsSameFile(const File& file, const std::string& path) = 0;

  // What `path` names, through a link; kMissing when nothing does.
  virtual Result<FileInfo> Stat(const std::string& path) = 0;

  // Renames `from` over `to`, which may exist.
  virtual Status RenameOver(const std::string& from, const std::string& to) = 0;

  // Makes the directory `path` and the directories above it that are
  // missing; one that is there already is no failure, a file in its place
  // is ("Not a directory").
  virtual Status MakeDirectories(const std::string& path) = 0;

  // Adds the execute permission bits (0111) to the file `path`, through a
  // link: a program others may run. Windows has no such bits.
  virtual Status AddExecutePermission(const std::string& path) = 0;

  // Removes the name `path`; a name that is not there is no failure.
  virtual Status Unlink(const std::string& path) = 0;

  // The names of the entries of the directory `path`, in no order.
  virtual Result<std::vector<std::string>> ListDirectory(const std::string& path) = 0;

  // Puts the directory's entries (names created, renamed or removed) on the
  // disk, where the system needs that done apart.
  virtual Status FlushDirectory(const std::string& path) = 0;

  virtual std::chrono::steady_clock::time_point Now() = 0;
  virtual void Sleep(std::chrono::milliseconds duration) = 0;
};

// The system the program runs on.
Os& DefaultOs();

// Ok, or the failure every Os gives for a path that holds a NUL byte: the
// system would read it only up to that byte, which names another file. The
// message shows the path escaped for a terminal, the NUL as "\u0000".
Status CheckNoNul(const std::string& path);

}  // namespace tarvosa
