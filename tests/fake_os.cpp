#include "fake_os.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tarvosa::testing {

struct FakeOs::Node {
  enum class Kind { kFile, kDirectory, kLink } kind = Kind::kFile;
  std::string bytes;  // a file's
  std::uint32_t permissions = 0644;
  std::string target;                      // a link's
  std::map<std::string, NodePtr> entries;  // a directory's
  bool locked_elsewhere = false;           // by another process
  File::Handle locked_by = 0;              // the open file holding its lock
};

namespace {

// In a POSIX system's words, whatever system the tests run on.
Status Failure(int error) {
  switch (error) {
    case ENOENT:
      return Status::FileSystemError("No such file or directory");
    case EEXIST:
      return Status::FileSystemError("File exists");
    case ENOTDIR:
      return Status::FileSystemError("Not a directory");
    case EISDIR:
      return Status::FileSystemError("Is a directory");
    case ELOOP:
      return Status::FileSystemError("Too many levels of symbolic links");
  }
  return Status::FileSystemError("Input/output error");
}

// The names of a path; "" and "." say nothing.
std::vector<std::string> Pieces(const std::string& path) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find('/', start), path.size());
    const std::string piece = path.substr(start, end - start);
    if (!piece.empty() && piece != ".") pieces.push_back(piece);
    start = end + 1;
  }
  return pieces;
}

constexpr int kMostLinks = 8;

}  // namespace

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

FakeOs::FakeOs() : root_(std::make_shared<Node>()) {
  root_->kind = Node::Kind::kDirectory;
}

FakeOs::~FakeOs() = default;

// Setting up and looking.

FakeOs::NodePtr FakeOs::MakeDirectories(const std::string& path) {
  NodePtr directory = root_;
  for (const std::string& piece : Pieces(path)) {
    NodePtr& entry = directory->entries[piece];
    if (!entry) {
      entry = std::make_shared<Node>();
      entry->kind = Node::Kind::kDirectory;
      entry->permissions = 0755;
    }
    directory = entry;
  }
  return directory;
}

void FakeOs::AddDirectory(const std::string& path) {
  MakeDirectories(path);
}

void FakeOs::AddFile(const std::string& path, std::string bytes, std::uint32_t permissions) {
  std::vector<std::string> pieces = Pieces(path);
  const std::string name = pieces.back();
  pieces.pop_back();
  std::string parent;
  for (const std::string& piece : pieces) parent += "/" + piece;
  auto file = std::make_shared<Node>();
  file->bytes = std::move(bytes);
  file->permissions = permissions;
  MakeDirectories(parent)->entries[name] = file;
}

void FakeOs::AddLink(const std::string& path, const std::string& target) {
  AddFile(path, "");
  int error = 0;
  NodePtr link = Find(path, false, error);
  link->kind = Node::Kind::kLink;
  link->target = target;
}

void FakeOs::RemoveName(const std::string& path) {
  std::string name;
  int error = 0;
  if (NodePtr parent = ParentOf(path, name, error)) parent->entries.erase(name);
}

void FakeOs::HoldLockElsewhere(const std::string& path) {
  if (!Exists(path)) AddFile(path, "");
  int error = 0;
  Find(path, false, error)->locked_elsewhere = true;
}

void FakeOs::ReleaseLockElsewhere(const std::string& path) {
  int error = 0;
  if (NodePtr node = Find(path, false, error)) node->locked_elsewhere = false;
}

bool FakeOs::Exists(const std::string& path) const {
  int error = 0;
  return Find(path, false, error) != nullptr;
}

std::optional<std::string> FakeOs::Content(const std::string& path) const {
  int error = 0;
  const NodePtr node = Find(path, false, error);
  if (!node || node->kind != Node::Kind::kFile) return std::nullopt;
  return node->bytes;
}

std::vector<std::string> FakeOs::Names(const std::string& path) const {
  int error = 0;
  const NodePtr directory = Find(path, true, error);
  std::vector<std::string> names;
  if (!directory) return names;
  for (const auto& [name, node] : directory->entries) names.push_back(name);
  return names;  // a map's keys come sorted
}

bool FakeOs::IsLockedHere(const std::string& path) const {
  int error = 0;
  const NodePtr node = Find(path, false, error);
  return node && node->locked_by != 0 && open_.count(node->locked_by) == 1;
}

std::string FakeOs::CallList() const {
  std::string list;
  for (const CallRecord& record : calls_) list += ToString(record) + "\n";
  return list;
}

void FakeOs::Fail(CallMatch match, std::string reason) {
  rules_.push_back({.match = std::move(match), .reason = std::move(reason)});
}

void FakeOs::AtCall(CallMatch match, std::function<void(const CallRecord&)> hook) {
  rules_.push_back({.match = std::move(match), .hook = std::move(hook)});
}

// Calls.

bool FakeOs::Picks(Rule& rule, const CallRecord& record) {
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

Status FakeOs::Enter(Call call, const std::string& path, const std::string& to) {
  calls_.push_back({call, path, to});
  const CallRecord record = calls_.back();
  Status fault;
  // By index: a hook may add rules.
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

FakeOs::NodePtr FakeOs::Find(const std::string& path, bool follow, int& error) const {
  std::vector<std::string> pieces = Pieces(path);
  NodePtr node = root_;
  int links = 0;
  std::size_t at = 0;
  while (at < pieces.size()) {
    if (node->kind != Node::Kind::kDirectory) {
      error = ENOTDIR;
      return nullptr;
    }
    const auto entry = node->entries.find(pieces[at]);
    if (entry == node->entries.end()) {
      error = ENOENT;
      return nullptr;
    }
    node = entry->second;
    ++at;
    const bool last = at == pieces.size();
    if (node->kind != Node::Kind::kLink || (last && !follow)) continue;
    if (++links > kMostLinks) {
      error = ELOOP;
      return nullptr;
    }
    // A link's target is a whole path: start again from the root with it
    // and the rest.
    std::vector<std::string> rest = Pieces(node->target);
    rest.insert(rest.end(), pieces.begin() + static_cast<std::ptrdiff_t>(at), pieces.end());
    pieces = std::move(rest);
    node = root_;
    at = 0;
  }
  return node;
}

FakeOs::NodePtr FakeOs::ParentOf(const std::string& path, std::string& name, int& error) const {
  std::vector<std::string> pieces = Pieces(path);
  if (pieces.empty()) {
    error = EISDIR;
    return nullptr;
  }
  name = pieces.back();
  pieces.pop_back();
  std::string parent;
  for (const std::string& piece : pieces) parent += "/" + piece;
  NodePtr directory = Find(parent, true, error);
  if (directory && directory->kind != Node::Kind::kDirectory) {
    error = ENOTDIR;
    return nullptr;
  }
  return directory;
}

FakeOs::OpenFile& FakeOs::Opened(const File& file) {
  return open_.at(file.handle());
}

File FakeOs::Open(const NodePtr& node, const std::string& path) {
  const File::Handle handle = next_handle_++;
  open_[handle] = {node, path};
  return File(*this, handle);
}

Result<File> FakeOs::OpenForReading(const std::string& path, Links links) {
  if (Status fault = Enter(Call::kOpenForReading, path); !fault.ok()) return fault;
  int error = 0;
  const NodePtr node = Find(path, links == Links::kFollow, error);
  if (!node) return Failure(error);
  if (node->kind == Node::Kind::kLink) return Failure(ELOOP);
  return Open(node, path);
}

Result<File> FakeOs::CreateNewFile(const std::string& path) {
  if (Status fault = Enter(Call::kCreateNewFile, path); !fault.ok()) return fault;
  std::string name;
  int error = 0;
  const NodePtr directory = ParentOf(path, name, error);
  if (!directory) return Failure(error);
  if (directory->entries.count(name)) return Failure(EEXIST);
  auto file = std::make_shared<Node>();
  directory->entries[name] = file;
  return Open(file, path);
}

Result<std::optional<File>> FakeOs::OpenLockFile(const std::string& path) {
  if (Status fault = Enter(Call::kOpenLockFile, path); !fault.ok()) return fault;
  std::string name;
  int error = 0;
  const NodePtr directory = ParentOf(path, name, error);
  if (!directory) return Failure(error);
  NodePtr& entry = directory->entries[name];
  if (!entry) entry = std::make_shared<Node>();
  if (entry->kind == Node::Kind::kLink) return Failure(ELOOP);
  if (entry->kind == Node::Kind::kDirectory) return Failure(EISDIR);
  const bool held = entry->locked_elsewhere || entry->locked_by != 0;
  if (lock_by_opening_ && held) return std::optional<File>();
  return std::optional<File>(Open(entry, path));
}

Result<std::size_t> FakeOs::Read(File& file, std::uint64_t offset, std::span<char> buffer) {
  OpenFile& open = Opened(file);
  if (Status fault = Enter(Call::kRead, open.path); !fault.ok()) return fault;
  if (open.node->kind == Node::Kind::kDirectory) return Failure(EISDIR);
  const std::string& bytes = open.node->bytes;
  if (offset >= bytes.size()) return std::size_t{0};
  const std::size_t count = std::min<std::size_t>(buffer.size(), bytes.size() - offset);
  std::memcpy(buffer.data(), bytes.data() + offset, count);
  return count;
}

Status FakeOs::Write(File& file, std::string_view bytes) {
  OpenFile& open = Opened(file);
  if (Status fault = Enter(Call::kWrite, open.path); !fault.ok()) return fault;
  open.node->bytes.append(bytes);
  return Status();
}

Status FakeOs::Flush(File& file) {
  return Enter(Call::kFlush, Opened(file).path);
}

// Closed even when the call fails, as a system closes it.
Status FakeOs::Close(File& file) {
  const OpenFile open = Opened(file);
  const File::Handle handle = file.Release();
  open_.erase(handle);
  if (open.node->locked_by == handle) open.node->locked_by = 0;
  return Enter(Call::kClose, open.path);
}

Result<FileInfo> FakeOs::StatFile(const File& file) {
  const OpenFile& open = Opened(file);
  if (Status fault = Enter(Call::kStatFile, open.path); !fault.ok()) return fault;
  const Node& node = *open.node;
  const FileType type =
      node.kind == Node::Kind::kDirectory ? FileType::kDirectory : FileType::kRegular;
  return FileInfo{.type = type, .permissions = node.permissions, .size = node.bytes.size()};
}

Result<bool> FakeOs::TryLock(File& file) {
  OpenFile& open = Opened(file);
  if (Status fault = Enter(Call::kTryLock, open.path); !fault.ok()) return fault;
  Node& node = *open.node;
  if (node.locked_elsewhere || (node.locked_by != 0 && node.locked_by != file.handle())) {
    return false;
  }
  node.locked_by = file.handle();
  return true;
}

Result<bool> FakeOs::IsSameFile(const File& file, const std::string& path) {
  if (Status fault = Enter(Call::kIsSameFile, path); !fault.ok()) return fault;
  int error = 0;
  const NodePtr named = Find(path, false, error);
  if (!named && error != ENOENT) return Failure(error);
  return named == Opened(file).node;
}

Result<FileInfo> FakeOs::Stat(const std::string& path) {
  if (Status fault = Enter(Call::kStat, path); !fault.ok()) return fault;
  int error = 0;
  const NodePtr node = Find(path, true, error);
  if (!node && (error == ENOENT || error == ENOTDIR)) return FileInfo{};
  if (!node) return Failure(error);
  const FileType type =
      node->kind == Node::Kind::kDirectory ? FileType::kDirectory : FileType::kRegular;
  return FileInfo{.type = type, .permissions = node->permissions, .size = node->bytes.size()};
}

Status FakeOs::RenameOver(const std::string& from, const std::string& to) {
  if (Status fault = Enter(Call::kRenameOver, from, to); !fault.ok()) return fault;
  std::string from_name, to_name;
  int error = 0;
  const NodePtr from_directory = ParentOf(from, from_name, error);
  if (!from_directory) return Failure(error);
  const NodePtr to_directory = ParentOf(to, to_name, error);
  if (!to_directory) return Failure(error);
  const auto moved = from_directory->entries.find(from_name);
  if (moved == from_directory->entries.end()) return Failure(ENOENT);
  const auto replaced = to_directory->entries.find(to_name);
  if (replaced != to_directory->entries.end() && replaced->second->kind == Node::Kind::kDirectory &&
      moved->second->kind != Node::Kind::kDirectory) {
    return Failure(EISDIR);
  }
  NodePtr node = moved->second;
  from_directory->entries.erase(moved);
  to_directory->entries[to_name] = std::move(node);
  return Status();
}

Status FakeOs::Unlink(const std::string& path) {
  if (Status fault = Enter(Call::kUnlink, path); !fault.ok()) return fault;
  std::string name;
  int error = 0;
  const NodePtr directory = ParentOf(path, name, error);
  if (!directory) return error == ENOENT ? Status() : Failure(error);
  const auto entry = directory->entries.find(name);
  if (entry == directory->entries.end()) return Status();
  if (entry->second->kind == Node::Kind::kDirectory) return Failure(EISDIR);
  directory->entries.erase(entry);
  return Status();
}

Result<std::vector<std::string>> FakeOs::ListDirectory(const std::string& path) {
  if (Status fault = Enter(Call::kListDirectory, path); !fault.ok()) return fault;
  int error = 0;
  const NodePtr directory = Find(path, true, error);
  if (!directory) return Failure(error);
  if (directory->kind != Node::Kind::kDirectory) return Failure(ENOTDIR);
  return Names(path);
}

Status FakeOs::FlushDirectory(const std::string& path) {
  if (Status fault = Enter(Call::kFlushDirectory, path); !fault.ok()) return fault;
  int error = 0;
  const NodePtr directory = Find(path, true, error);
  if (!directory) return Failure(error);
  if (directory->kind != Node::Kind::kDirectory) return Failure(ENOTDIR);
  return Status();
}

void FakeOs::Sleep(std::chrono::milliseconds duration) {
  now_ += duration;
  slept_ += duration;
}

}  // namespace tarvosa::testing
