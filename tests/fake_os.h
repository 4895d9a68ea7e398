// An Os in memory for tests: a file system of files, directories,
// permission bits and links that records every call in order, fails the
// calls a test picks, runs a test's hook at a chosen call, and keeps a clock
// that a sleep moves on without waiting. It answers as a POSIX system does,
// with the same reasons, and refuses a path holding a NUL byte as every Os
// does.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "fake_call_log.h"
#include "fake_file_tree.h"
#include "util/os.h"

namespace tarvosa::testing {

class FakeOs final : public Os {
 public:
  // Making the file system, with its parent directories; none of these is
  // a recorded call, so a hook may use them.
  void AddDirectory(const std::string& path) { tree_.MakeDirectories(path); }
  void AddFile(const std::string& path, std::string bytes, std::uint32_t permissions = 0644);
  void AddLink(const std::string& path, const std::string& target);
  // A FIFO: opened without blocking, it is neither a file nor a directory.
  void AddFifo(const std::string& path);
  // Removes the name; a file still open stays readable through its handle.
  void RemoveName(const std::string& path);
  // The file under `path`, made when missing, locked by another process.
  void HoldLockElsewhere(const std::string& path);
  void ReleaseLockElsewhere(const std::string& path);
  // Locks as Windows does: a lock file another holds cannot be opened.
  void LockByOpening() { lock_by_opening_ = true; }
  // Reads as a pipe or a network disk may: at most `bytes` a call.
  void ShortenReads(std::size_t bytes) { most_read_ = bytes; }

  // Looking at it.
  bool Exists(const std::string& path) const;
  // The bytes of the regular file under `path`; nothing when there is none.
  std::optional<std::string> Content(const std::string& path) const;
  // The names in the directory `path`, sorted.
  std::vector<std::string> Names(const std::string& path) const;
  // Whether a file this Os has open holds the lock of the file now under
  // `path`.
  bool IsLockedHere(const std::string& path) const;

  // The calls so far, in order, one a line in CallList.
  const std::vector<CallRecord>& calls() const { return log_.calls(); }
  std::string CallList() const { return log_.List(); }

  // Fails the calls that `match` picks, doing nothing else, with `reason`.
  void Fail(CallMatch match, std::string reason = "Input/output error") {
    log_.Fail(std::move(match), std::move(reason));
  }
  // Runs `hook` when a call that `match` picks comes, before it acts.
  void AtCall(CallMatch match, std::function<void(const CallRecord&)> hook) {
    log_.AtCall(std::move(match), std::move(hook));
  }

  // What Sleep has added to the clock.
  std::chrono::milliseconds slept() const { return slept_; }

  // Os.
  Result<File> OpenForReading(const std::string& path, Links links) override;
  Result<File> CreateNewFile(const std::string& path) override;
  Result<std::optional<File>> OpenLockFile(const std::string& path) override;
  Result<std::size_t> Read(File& file, std::uint64_t offset, std::span<char> buffer) override;
  Status Write(File& file, std::string_view bytes) override;
  Status Flush(File& file) override;
  Status Close(File& file) override;
  Result<FileInfo> StatFile(const File& file) override;
  Result<bool> TryLock(File& file) override;
  Result<bool> IsSameFile(const File& file, const std::string& path) override;
  Result<FileInfo> Stat(const std::string& path) override;
  Status RenameOver(const std::string& from, const std::string& to) override;
  Status MakeDirectories(const std::string& path) override;
  Status AddExecutePermission(const std::string& path) override;
  Status Unlink(const std::string& path) override;
  Result<std::vector<std::string>> ListDirectory(const std::string& path) override;
  Status FlushDirectory(const std::string& path) override;
  std::chrono::steady_clock::time_point Now() override { return now_; }
  void Sleep(std::chrono::milliseconds duration) override;

 private:
  struct OpenFile {
    FakeNodePtr node;
    std::string path;  // the name it was opened under
  };

  OpenFile& Opened(const File& file) { return open_.at(file.handle()); }
  File Open(const FakeNodePtr& node, const std::string& path);
  FakeNodePtr Find(const std::string& path) const;  // the name itself
  // Marks the file written, a tick after the last file written.
  void Written(FakeNode& file);

  FakeFileTree tree_;
  CallLog log_;
  std::map<File::Handle, OpenFile> open_;
  File::Handle next_handle_ = 1;
  bool lock_by_opening_ = false;
  std::size_t most_read_ = SIZE_MAX;
  std::chrono::steady_clock::time_point now_{std::chrono::hours(1000)};
  std::chrono::milliseconds slept_{0};
  std::chrono::system_clock::time_point last_written_{};
};

}  // namespace tarvosa::testing
