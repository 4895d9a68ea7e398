// An Os in memory for tests: a file system of files, directories,
// permission bits and links that records every call in order, fails the
// calls a test picks, runs a test's hook at a chosen call, and keeps a clock
// that a sleep moves on without waiting. It answers as a POSIX system does,
// with the same reasons.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "util/os.h"

namespace tarvosa::testing {

// The primitives, as the calls are recorded.
enum class Call {
  kOpenForReading,
  kCreateNewFile,
  kOpenLockFile,
  kRead,
  kWrite,
  kFlush,
  kClose,
  kStatFile,
  kTryLock,
  kIsSameFile,
  kStat,
  kRenameOver,
  kUnlink,
  kListDirectory,
  kFlushDirectory,
};

std::string_view NameOf(Call call);  // "open-for-reading", "create-new-file" ...

struct CallRecord {
  Call call;
  std::string path;  // the name asked for, or the one the file was opened under
  std::string to;    // where RenameOver renames to
};

// "rename-over /d/a.1a2b3c4d.partial -> /d/a", "flush /d/a.1a2b3c4d.partial".
std::string ToString(const CallRecord& record);

// The calls a fault or a hook is for: the `nth` (from 1; every one when 0)
// of those of kind `call` (of any kind when unset) whose path, or
// destination, holds `path_part`.
struct CallMatch {
  std::optional<Call> call = {};
  std::string path_part = {};
  std::size_t nth = 1;
};

class FakeOs final : public Os {
 public:
  FakeOs();
  ~FakeOs() override;

  // Making the file system, with its parent directories; none of these is
  // a recorded call, so a hook may use them.
  void AddDirectory(const std::string& path);
  void AddFile(const std::string& path, std::string bytes, std::uint32_t permissions = 0644);
  void AddLink(const std::string& path, const std::string& target);
  // Removes the name; a file still open stays readable through its handle.
  void RemoveName(const std::string& path);
  // The file under `path`, made when missing, locked by another process.
  void HoldLockElsewhere(const std::string& path);
  void ReleaseLockElsewhere(const std::string& path);
  // Locks as Windows does: a lock file another holds cannot be opened.
  void LockByOpening() { lock_by_opening_ = true; }

  // Looking at it.
  bool Exists(const std::string& path) const;
  // The bytes of the regular file under `path`; nothing when there is none.
  std::optional<std::string> Content(const std::string& path) const;
  // The names in the directory `path`, sorted.
  std::vector<std::string> Names(const std::string& path) const;
  // Whether a file this Os has open holds the lock of the file now under
  // `path`.
  bool IsLockedHere(const std::string& path) const;

  // The calls so far, in order.
  const std::vector<CallRecord>& calls() const { return calls_; }
  // One call a line, as ToString writes them.
  std::string CallList() const;

  // Fails the calls that `match` picks, doing nothing else, with `reason`.
  void Fail(CallMatch match, std::string reason = "Input/output error");
  // Runs `hook` when a call that `match` picks comes, before it acts.
  void AtCall(CallMatch match, std::function<void(const CallRecord&)> hook);

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
  Status Unlink(const std::string& path) override;
  Result<std::vector<std::string>> ListDirectory(const std::string& path) override;
  Status FlushDirectory(const std::string& path) override;
  std::chrono::steady_clock::time_point Now() override { return now_; }
  void Sleep(std::chrono::milliseconds duration) override;

 private:
  struct Node;
  using NodePtr = std::shared_ptr<Node>;
  struct OpenFile {
    NodePtr node;
    std::string path;
  };
  struct Rule {
    CallMatch match = {};
    std::size_t seen = 0;
    std::string reason = {};                           // a fault's
    std::function<void(const CallRecord&)> hook = {};  // a hook's
  };

  // Records the call, runs its hooks; the fault picked for it, if any.
  Status Enter(Call call, const std::string& path, const std::string& to = "");
  static bool Picks(Rule& rule, const CallRecord& record);

  // The node `path` names; links followed on the way, and at the end when
  // `follow` says so. Nothing, with `error` set to an errno, when there is
  // none.
  NodePtr Find(const std::string& path, bool follow, int& error) const;
  // The directory that holds `path`'s last name, and that name.
  NodePtr ParentOf(const std::string& path, std::string& name, int& error) const;
  NodePtr MakeDirectories(const std::string& path);
  OpenFile& Opened(const File& file);
  File Open(const NodePtr& node, const std::string& path);

  NodePtr root_;
  std::map<File::Handle, OpenFile> open_;
  File::Handle next_handle_ = 1;
  std::vector<CallRecord> calls_;
  std::vector<Rule> rules_;
  bool lock_by_opening_ = false;
  std::chrono::steady_clock::time_point now_{std::chrono::hours(1000)};
  std::chrono::milliseconds slept_{0};
};

}  // namespace tarvosa::testing
