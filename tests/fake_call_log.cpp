#include "fake_call_log.h"

namespace tarvosa::testing {

std::string_view NameOf(Call call) {
  switch (call) {
    case Call::kOpenForReading:
      return "open-for-reading";
    case Call::kCreateNewFile:
      return "create-new-file";
    case Call::kOpenLockFile:
      return "open-lock-file";
    case Call::kRead:
      return "read";
    case Call::kWrite:
      return "write";
    case Call::kFlush:
      return "flush";
    case Call::kClose:
      return "close";
    case Call::kStatFile:
      return "stat-file";
    case Call::kTryLock:
      return "try-lock";
    case Call::kIsSameFile:
      return "is-same-file";
    case Call::kStat:
      return "stat";
    case Call::kRenameOver:
      return "rename-over";
    case Call::kMakeDirectories:
      return "make-directories";
    case Call::kAddExecutePermission:
      return "add-execute-permission";
    case Call::kUnlink:
      return "unlink";
    case Call::kListDirectory:
      return "list-directory";
    case Call::kFlushDirectory:
      break;
  }
  return "flush-directory";
}

std::string ToString(const CallRecord& record) {
  std::string text = std::string(NameOf(record.call)) + " " + record.path;
  if (record.call == Call::kRenameOver) text += " -> " + record.to;
  return text;
}

std::string CallLog::List() const {
  std::string list;
  for (const CallRecord& record : calls_) list += ToString(record) + "\n";
  return list;
}

void CallLog::Fail(CallMatch match, std::string reason) {
  rules_.push_back({.match = std::move(match), .reason = std::move(reason)});
}

void CallLog::AtCall(CallMatch match, std::function<void(const CallRecord&)> hook) {
  rules_.push_back({.match = std::move(match), .hook = std::move(hook)});
}

bool CallLog::Picks(Rule& rule, const CallRecord& record) {
  const CallMatch& match = rule.match;
  if (match.call && *match.call != record.call) return false;
  const auto holds = [&](const std::string& path) {
    return path.find(match.path_part) != std::string::npos;
  };
  if (!holds(record.path) && !(record.call == Call::kRenameOver && holds(record.to))) {
    return false;
  }
  ++rule.seen;
  return match.nth == 0 || rule.seen == match.nth;
}

Status CallLog::Enter(Call call, const std::string& path, const std::string& to) {
  calls_.push_back({call, path, to});
  const CallRecord record = calls_.back();
  Status fault;
  // By index, and each hook copied: a hook may add rules.
  for (std::size_t i = 0; i < rules_.size(); ++i) {
    if (!Picks(rules_[i], record)) continue;
    if (rules_[i].hook) {
      const auto hook = rules_[i].hook;
      hook(record);
    } else if (fault.ok()) {
      fault = Status::FileSystemError(rules_[i].reason);
    }
  }
  return fault;
}

}  // namespace tarvosa::testing
