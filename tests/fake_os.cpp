#include "fake_os.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tarvosa::testing {
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
    case EINVAL:
      return Status::FileSystemError("Invalid argument");
  }
  return Status::FileSystemError("Input/output error");
}

FileInfo InfoOf(const FakeNode& node) {
  const FileType type = node.kind == FakeNode::Kind::kDirectory ? FileType::kDirectory
                        : node.kind == FakeNode::Kind::kFifo    ? FileType::kOther
                                                                : FileType::kRegular;
  return FileInfo{.type = type,
                  .permissions = node.permissions,
                  .size = node.bytes.size(),
                  .last_written = node.last_written};
}

}  // namespace

// Setting up and looking.

void FakeOs::AddFile(const std::string& path, std::string bytes, std::uint32_t permissions) {
  auto file = std::make_shared<FakeNode>();
  file->bytes = std::move(bytes);
  file->permissions = permissions;
  Written(*file);
  tree_.Put(path, std::move(file));
}

void FakeOs::AddLink(const std::string& path, const std::string& target) {
  auto link = std::make_shared<FakeNode>();
  link->kind = FakeNode::Kind::kLink;
  link->target = target;
  tree_.Put(path, std::move(link));
}

void FakeOs::AddFifo(const std::string& path) {
  auto fifo = std::make_shared<FakeNode>();
  fifo->kind = FakeNode::Kind::kFifo;
  tree_.Put(path, std::move(fifo));
}

void FakeOs::RemoveName(const std::string& path) {
  std::string name;
  int error = 0;
  if (const FakeNodePtr parent = tree_.ParentOf(path, name, error)) parent->entries.erase(name);
}

void FakeOs::HoldLockElsewhere(const std::string& path) {
  if (!Exists(path)) AddFile(path, "");
  Find(path)->locked_elsewhere = true;
}

void FakeOs::ReleaseLockElsewhere(const std::string& path) {
  if (const FakeNodePtr node = Find(path)) node->locked_elsewhere = false;
}

FakeNodePtr FakeOs::Find(const std::string& path) const {
  int error = 0;
  return tree_.Find(path, false, error);
}

void FakeOs::Written(FakeNode& file) {
  last_written_ += std::chrono::microseconds(1);
  file.last_written = last_written_;
}

bool FakeOs::Exists(const std::string& path) const {
  return Find(path) != nullptr;
}

std::optional<std::string> FakeOs::Content(const std::string& path) const {
  const FakeNodePtr node = Find(path);
  if (!node || node->kind != FakeNode::Kind::kFile) return std::nullopt;
  return node->bytes;
}

std::vector<std::string> FakeOs::Names(const std::string& path) const {
  int error = 0;
  const FakeNodePtr directory = tree_.Find(path, true, error);
  std::vector<std::string> names;
  if (!directory) return names;
  for (const auto& [name, node] : directory->entries) names.push_back(name);
  return names;  // a map's keys come sorted
}

bool FakeOs::IsLockedHere(const std::string& path) const {
  const FakeNodePtr node = Find(path);
  return node && node->locked_by != 0 && open_.count(node->locked_by) == 1;
}

// Calls.

File FakeOs::Open(const FakeNodePtr& node, const std::string& path) {
  const File::Handle handle = next_handle_++;
  open_[handle] = {node, path};
  return File(*this, handle);
}

Result<File> FakeOs::OpenForReading(const std::string& path, Links links) {
  if (Status fault = log_.Enter(Call::kOpenForReading, path); !fault.ok()) return fault;
  if (Status name = CheckNoNul(path); !name.ok()) return name;
  int error = 0;
  const FakeNodePtr node = tree_.Find(path, links == Links::kFollow, error);
  if (!node) return Failure(error);
  if (node->kind == FakeNode::Kind::kLink) return Failure(ELOOP);
  return Open(node, path);
}

Result<File> FakeOs::CreateNewFile(const std::string& path) {
  if (Status fault = log_.Enter(Call::kCreateNewFile, path); !fault.ok()) return fault;
  if (Status name = CheckNoNul(path); !name.ok()) return name;
  std::string name;
  int error = 0;
  const FakeNodePtr directory = tree_.ParentOf(path, name, error);
  if (!directory) return Failure(error);
  if (directory->entries.count(name)) return Failure(EEXIST);
  auto file = std::make_shared<FakeNode>();
  Written(*file);
  directory->entries[name] = file;
  return Open(file, path);
}

Result<std::optional<File>> FakeOs::OpenLockFile(const std::string& path) {
  if (Status fault = log_.Enter(Call::kOpenLockFile, path); !fault.ok()) return fault;
  if (Status name = CheckNoNul(path); !name.ok()) return name;
  std::string name;
  int error = 0;
  const FakeNodePtr directory = tree_.ParentOf(path, name, error);
  if (!directory) return Failure(error);
  FakeNodePtr& entry = directory->entries[name];
  if (!entry) entry = std::make_shared<FakeNode>();
  if (entry->kind == FakeNode::Kind::kLink) {
    return Status::FileSystemError("the name is a link, which is not followed");
  }
  if (entry->kind == FakeNode::Kind::kDirectory) return Failure(EISDIR);
  const bool held = entry->locked_elsewhere || entry->locked_by != 0;
  if (lock_by_opening_ && held) return std::optional<File>();
  return std::optional<File>(Open(entry, path));
}

Result<std::size_t> FakeOs::Read(File& file, std::uint64_t offset, std::span<char> buffer) {
  OpenFile& open = Opened(file);
  if (Status fault = log_.Enter(Call::kRead, open.path); !fault.ok()) return fault;
  if (open.node->kind == FakeNode::Kind::kDirectory) return Failure(EISDIR);
  const std::string& bytes = open.node->bytes;
  if (offset >= bytes.size()) return std::size_t{0};
  const std::size_t count =
      std::min({buffer.size(), static_cast<std::size_t>(bytes.size() - offset), most_read_});
  std::memcpy(buffer.data(), bytes.data() + offset, count);
  return count;
}

Status FakeOs::Write(File& file, std::string_view bytes) {
  OpenFile& open = Opened(file);
  if (Status fault = log_.Enter(Call::kWrite, open.path); !fault.ok()) return fault;
  open.node->bytes.append(bytes);
  Written(*open.node);
  return Status();
}

Status FakeOs::Flush(File& file) {
  return log_.Enter(Call::kFlush, Opened(file).path);
}

// Closed even when the call fails, as a system closes it.
Status FakeOs::Close(File& file) {
  const OpenFile open = Opened(file);
  const File::Handle handle = file.Release();
  open_.erase(handle);
  if (open.node->locked_by == handle) open.node->locked_by = 0;
  return log_.Enter(Call::kClose, open.path);
}

Result<FileInfo> FakeOs::StatFile(const File& file) {
  const OpenFile& open = Opened(file);
  if (Status fault = log_.Enter(Call::kStatFile, open.path); !fault.ok()) return fault;
  return InfoOf(*open.node);
}

Result<bool> FakeOs::TryLock(File& file) {
  OpenFile& open = Opened(file);
  if (Status fault = log_.Enter(Call::kTryLock, open.path); !fault.ok()) return fault;
  FakeNode& node = *open.node;
  if (node.locked_elsewhere || (node.locked_by != 0 && node.locked_by != file.handle())) {
    return false;
  }
  node.locked_by = file.handle();
  return true;
}

Result<bool> FakeOs::IsSameFile(const File& file, const std::string& path) {
  if (Status fault = log_.Enter(Call::kIsSameFile, path); !fault.ok()) return fault;
  if (Status name = CheckNoNul(path); !name.ok()) return name;
  int error = 0;
  const FakeNodePtr named = tree_.Find(path, false, error);
  if (!named && error != ENOENT) return Failure(error);
  return named == Opened(file).node;
}

Result<FileInfo> FakeOs::Stat(const std::string& path) {
  if (Status fault = log_.Enter(Call::kStat, path); !fault.ok()) return fault;
  if (Status name = CheckNoNul(path); !name.ok()) return name;
  int error = 0;
  const FakeNodePtr node = tree_.Find(path, true, error);
  if (!node && (error == ENOENT || error == ENOTDIR)) return FileInfo{};
  if (!node) return Failure(error);
  return InfoOf(*node);
}

Status FakeOs::RenameOver(const std::string& from, const std::string& to) {
  if (Status fault = log_.Enter(Call::kRenameOver, from, to); !fault.ok()) return fault;
  for (const std::string& path : {from, to}) {
    if (Status name = CheckNoNul(path); !name.ok()) return name;
  }
  std::string from_name, to_name;
  int error = 0;
  const FakeNodePtr from_directory = tree_.ParentOf(from, from_name, error);
  if (!from_directory) return Failure(error);
  const FakeNodePtr to_directory = tree_.ParentOf(to, to_name, error);
  if (!to_directory) return Failure(error);
  const auto moved = from_directory->entries.find(from_name);
  if (moved == from_directory->entries.end()) return Failure(ENOENT);
  const auto replaced = to_directory->entries.find(to_name);
  if (replaced != to_directory->entries.end() &&
      replaced->second->kind == FakeNode::Kind::kDirectory &&
      moved->second->kind != FakeNode::Kind::kDirectory) {
    return Failure(EISDIR);
  }
  FakeNodePtr node = moved->second;
  from_directory->entries.erase(moved);
  to_directory->entries[to_name] = std::move(node);
  return Status();
}

// Each directory on the way, from the root down, made where missing.
Status FakeOs::MakeDirectories(const std::string& path) {
  if (Status fault = log_.Enter(Call::kMakeDirectories, path); !fault.ok()) return fault;
  if (Status name = CheckNoNul(path); !name.ok()) return name;
  if (path.empty()) return Failure(EINVAL);
  std::string prefix;
  std::size_t start = 0;
  while (start < path.size()) {
    const std::size_t end = std::min(path.find('/', start), path.size());
    prefix += '/';
    prefix.append(path, start, end - start);
    start = end + 1;
    int error = 0;
    if (const FakeNodePtr node = tree_.Find(prefix, true, error)) {
      if (node->kind != FakeNode::Kind::kDirectory) return Failure(ENOTDIR);
      continue;
    }
    if (error != ENOENT) return Failure(error);
    std::string name;
    const FakeNodePtr parent = tree_.ParentOf(prefix, name, error);
    if (!parent) return Failure(error);
    // A link to nothing holds the name.
    if (parent->entries.count(name) != 0) return Failure(ENOTDIR);
    auto directory = std::make_shared<FakeNode>();
    directory->kind = FakeNode::Kind::kDirectory;
    directory->permissions = 0755;
    parent->entries[name] = std::move(directory);
  }
  return Status();
}

Status FakeOs::AddExecutePermission(const std::string& path) {
  if (Status fault = log_.Enter(Call::kAddExecutePermission, path); !fault.ok()) return fault;
  if (Status name = CheckNoNul(path); !name.ok()) return name;
  int error = 0;
  const FakeNodePtr node = tree_.Find(path, true, error);
  if (!node) return Failure(error);
  node->permissions |= 0111;
  return Status();
}

Status FakeOs::Unlink(const std::string& path) {
  if (Status fault = log_.Enter(Call::kUnlink, path); !fault.ok()) return fault;
  if (Status name = CheckNoNul(path); !name.ok()) return name;
  std::string name;
  int error = 0;
  const FakeNodePtr directory = tree_.ParentOf(path, name, error);
  if (!directory) return error == ENOENT ? Status() : Failure(error);
  const auto entry = directory->entries.find(name);
  if (entry == directory->entries.end()) return Status();
  if (entry->second->kind == FakeNode::Kind::kDirectory) return Failure(EISDIR);
  directory->entries.erase(entry);
  return Status();
}

Result<std::vector<std::string>> FakeOs::ListDirectory(const std::string& path) {
  if (Status fault = log_.Enter(Call::kListDirectory, path); !fault.ok()) return fault;
  if (Status name = CheckNoNul(path); !name.ok()) return name;
  int error = 0;
  const FakeNodePtr directory = tree_.Find(path, true, error);
  if (!directory) return Failure(error);
  if (directory->kind != FakeNode::Kind::kDirectory) return Failure(ENOTDIR);
  return Names(path);
}

Status FakeOs::FlushDirectory(const std::string& path) {
  if (Status fault = log_.Enter(Call::kFlushDirectory, path); !fault.ok()) return fault;
  if (Status name = CheckNoNul(path); !name.ok()) return name;
  int error = 0;
  const FakeNodePtr directory = tree_.Find(path, true, error);
  if (!directory) return Failure(error);
  if (directory->kind != FakeNode::Kind::kDirectory) return Failure(ENOTDIR);
  return Status();
}

void FakeOs::Sleep(std::chrono::milliseconds duration) {
  now_ += duration;
  slept_ += duration;
}

}  // namespace tarvosa::testing
