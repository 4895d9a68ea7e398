// POSIX: file descriptors opened with O_NOFOLLOW, fsync for files and
// directories, and flock on the lock file.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <thread>

#include "util/os.h"

namespace tarvosa {
namespace {

Status Failure(int error) {
  return Status::FileSystemError(std::generic_category().message(error));
}

Status LastError() {
  return Failure(errno);
}

int Descriptor(const File& file) {
  return static_cast<int>(file.handle());
}

FileInfo InfoOf(const struct stat& status) {
  FileInfo info;
  if (S_ISREG(status.st_mode)) {
    info.type = FileType::kRegular;
  } else if (S_ISDIR(status.st_mode)) {
    info.type = FileType::kDirectory;
  } else {
    info.type = FileType::kOther;
  }
  info.permissions = status.st_mode & 0777;
  info.size = static_cast<std::uint64_t>(status.st_size);
  const auto written = std::chrono::seconds(status.st_mtim.tv_sec) +
                       std::chrono::nanoseconds(status.st_mtim.tv_nsec);
  info.last_written = std::chrono::system_clock::time_point(
      std::chrono::duration_cast<std::chrono::system_clock::duration>(written));
  return info;
}

// The directory `path` names, without its last name; "" when it has none.
std::string ParentOf(const std::string& path) {
  const std::size_t end = path.find_last_not_of('/');
  if (end == std::string::npos) return "";
  const std::size_t separator = path.find_last_of('/', end);
  if (separator == std::string::npos) return "";
  const std::size_t parent_end = path.find_last_not_of('/', separator);
  return parent_end == std::string::npos ? "/" : path.substr(0, parent_end + 1);
}

bool IsLink(const std::string& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

// A link that was not followed, in the words the Windows build uses.
Status LinkRefused() {
  return Status::FileSystemError("the name is a link, which is not followed");
}

bool IsDirectory(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

class PosixOs final : public Os {
 public:
  Result<File> OpenForReading(const std::string& path, Links links) override {
    if (Status name = CheckNoNul(path); !name.ok()) return name;
    // Non-blocking, so that a FIFO under the name cannot hold the open up;
    // the caller reads only a regular file.
    const int no_follow = links == Links::kRefuse ? O_NOFOLLOW : 0;
    return Opened(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | no_follow));
  }

  Result<File> CreateNewFile(const std::string& path) override {
    if (Status name = CheckNoNul(path); !name.ok()) return name;
    return Opened(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
  }

  // Read-only: a lock file left by a killed run of another user still
  // serves. Non-blocking, so that a FIFO under the name cannot hold the open
  // up; the caller locks only a regular file.
  Result<std::optional<File>> OpenLockFile(const std::string& path) override {
    if (Status name = CheckNoNul(path); !name.ok()) return name;
    const int fd =
        ::open(path.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0 && errno == ELOOP && IsLink(path)) return LinkRefused();
    if (fd < 0) return LastError();
    return std::optional<File>(File(*this, fd));
  }

  Result<std::size_t> Read(File& file, std::uint64_t offset, std::span<char> buffer) override {
    for (;;) {
      const ssize_t read =
          ::pread(Descriptor(file), buffer.data(), buffer.size(), static_cast<off_t>(offset));
      if (read >= 0) return static_cast<std::size_t>(read);
      if (errno != EINTR) return LastError();
    }
  }

  Status Write(File& file, std::string_view bytes) override {
    while (!bytes.empty()) {
      const ssize_t written = ::write(Descriptor(file), bytes.data(), bytes.size());
      if (written < 0 && errno == EINTR) continue;
      if (written < 0) return LastError();
      if (written == 0) return Failure(EIO);
      bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return Status();
  }

  Status Flush(File& file) override {
    if (::fsync(Descriptor(file)) != 0) return LastError();
    return Status();
  }

  Status Close(File& file) override {
    if (::close(static_cast<int>(file.Release())) != 0) return LastError();
    return Status();
  }

  Result<FileInfo> StatFile(const File& file) override {
    struct stat status {};
    if (::fstat(Descriptor(file), &status) != 0) return LastError();
    return InfoOf(status);
  }

  Result<bool> TryLock(File& file) override {
    if (::flock(Descriptor(file), LOCK_EX | LOCK_NB) == 0) return true;
    if (errno == EWOULDBLOCK) return false;
    return LastError();
  }

  Result<bool> IsSameFile(const File& file, const std::string& path) override {
    if (Status name = CheckNoNul(path); !name.ok()) return name;
    struct stat held {};
    struct stat named {};
    if (::fstat(Descriptor(file), &held) != 0) return LastError();
    if (::lstat(path.c_str(), &named) != 0) {
      if (errno == ENOENT) return false;
      return LastError();
    }
    return held.st_dev == named.st_dev && held.st_ino == named.st_ino;
  }

  Result<FileInfo> Stat(const std::string& path) override {
    if (Status name = CheckNoNul(path); !name.ok()) return name;
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) return InfoOf(status);
    if (errno == ENOENT || errno == ENOTDIR) return FileInfo{};
    return LastError();
  }

  // rename, not renameat: the tests' killing module stops a run at it.
  Status RenameOver(const std::string& from, const std::string& to) override {
    for (const std::string& path : {from, to}) {
      if (Status name = CheckNoNul(path); !name.ok()) return name;
    }
    if (::rename(from.c_str(), to.c_str()) != 0) return LastError();
    return Status();
  }

  // Parents first, only when the directory cannot be made without them.
  Status MakeDirectories(const std::string& path) override {
    if (Status name = CheckNoNul(path); !name.ok()) return name;
    if (path.empty()) return Failure(EINVAL);
    if (::mkdir(path.c_str(), 0777) == 0) return Status();
    if (errno == ENOENT) {
      const std::string parent = ParentOf(path);
      if (parent.empty()) return Failure(ENOENT);
      if (Status made = MakeDirectories(parent); !made.ok()) return made;
      if (::mkdir(path.c_str(), 0777) == 0) return Status();
    }
    if (errno != EEXIST) return LastError();
    return IsDirectory(path) ? Status() : Failure(ENOTDIR);
  }

  Status AddExecutePermission(const std::string& path) override {
    if (Status name = CheckNoNul(path); !name.ok()) return name;
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return LastError();
    if (::chmod(path.c_str(), (status.st_mode & 07777) | 0111) != 0) return LastError();
    return Status();
  }

  Status Unlink(const std::string& path) override {
    if (Status name = CheckNoNul(path); !name.ok()) return name;
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) return LastError();
    return Status();
  }

  Result<std::vector<std::string>> ListDirectory(const std::string& path) override {
    if (Status name = CheckNoNul(path); !name.ok()) return name;
    DIR* directory = ::opendir(path.c_str());
    if (directory == nullptr) return LastError();
    std::vector<std::string> names;
    int error = 0;
    for (;;) {
      errno = 0;  // readdir's end and its failure differ only by errno
      const dirent* entry = ::readdir(directory);
      if (entry == nullptr) {
        error = errno;
        break;
      }
      const std::string_view name = entry->d_name;
      if (name != "." && name != "..") names.emplace_back(name);
    }
    ::closedir(directory);
    if (error != 0) return Failure(error);
    return names;
  }

  Status FlushDirectory(const std::string& path) override {
    if (Status name = CheckNoNul(path); !name.ok()) return name;
    Result<File> directory = Opened(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!directory.ok()) return directory.status();
    if (Status flushed = Flush(*directory); !flushed.ok()) return flushed;
    return Close(*directory);
  }

  std::chrono::steady_clock::time_point Now() override { return std::chrono::steady_clock::now(); }

  void Sleep(std::chrono::milliseconds duration) override { std::this_thread::sleep_for(duration); }

 private:
  Result<File> Opened(int fd) {
    if (fd < 0) return LastError();
    return File(*this, fd);
  }
};

}  // namespace

Os& DefaultOs() {
  static PosixOs os;
  return os;
}

}  // namespace tarvosa
