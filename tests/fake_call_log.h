// The calls a FakeOs records, in order, and the faults and hooks a test
// sets on them.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "util/status.h"

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
  kMakeDirectories,
  kAddExecutePermission,
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

class CallLog {
 public:
  // Records the call and runs the hooks that pick it, before it acts; the
  // failure of the first fault that picks it, or ok.
  Status Enter(Call call, const std::string& path, const std::string& to = "");

  // Fails the calls that `match` picks, doing nothing else, with `reason`.
  void Fail(CallMatch match, std::string reason);
  // Runs `hook` when a call that `match` picks comes, before it acts.
  void AtCall(CallMatch match, std::function<void(const CallRecord&)> hook);

  const std::vector<CallRecord>& calls() const { return calls_; }
  // One call a line, as ToString writes them.
  std::string List() const;

 private:
  struct Rule {
    CallMatch match = {};
    std::size_t seen = 0;
    std::string reason = {};                           // a fault's
    std::function<void(const CallRecord&)> hook = {};  // a hook's
  };
  static bool Picks(Rule& rule, const CallRecord& record);

  std::vector<CallRecord> calls_;
  std::vector<Rule> rules_;
};

}  // namespace tarvosa::testing
